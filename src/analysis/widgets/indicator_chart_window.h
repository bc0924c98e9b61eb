#pragma once
// Form6 "折线图": loads the indicators of the most recent issues, then draws the one the player
// picks from three menus as a line chart with each value above its point and, beneath
// "对应柱状图：", as a bar chart. Both charts run from the oldest issue on the left to the newest.

#include "analysis/indicator_chart_data.h"

#include <QMainWindow>

class QChartView;
class QLineEdit;

namespace ssq {

class Database;
struct IndicatorChartItem;

class IndicatorChartWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit IndicatorChartWindow(Database& db, QWidget* parent = nullptr);

    QChartView* lineChart() const { return m_lineView; } // MSChart1
    QChartView* barChart() const { return m_barView; }   // MSChart2
    // The chart on screen (its title, issues and values).
    const IndicatorChart& shownChart() const { return m_shown; }

    // Loads the last `wantedText` issues and keeps them when the load succeeds; shows nothing.
    IndicatorChartLoad loadIssues(const QString& wantedText);

public Q_SLOTS:
    void loadData();            // Command1
    void drawChart(int column); // a chart menu item
    void saveImage();           // "保存图片…"

private:
    void buildMenus();
    QWidget* buildTopRow();
    void drawLine();
    void drawBars();
    void showPointTip(int index);

    Database& m_db;
    QLineEdit* m_count = nullptr; // Text1
    QChartView* m_lineView = nullptr;
    QChartView* m_barView = nullptr;
    IndicatorChartData m_data;
    IndicatorChart m_shown;
};

} // namespace ssq
