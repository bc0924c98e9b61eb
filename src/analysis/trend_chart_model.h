#pragma once
// The trend chart as a grid: one row per draw of the window (newest last), then the five
// statistics rows and the pick row; columns the 33 reds, the 16 blues and the indicators. The
// issue is the row header. Cells are painted from their look (no widget per cell), the same way
// on screen, in the saved picture and on paper.

#include "analysis/trend_chart.h"

#include <QAbstractTableModel>
#include <QColor>

#include <bitset>

namespace ssq {

struct TrendCellLook {
    enum class Kind { Empty, Ball, Omission, Statistic, Indicator, Pick };
    Kind kind = Kind::Empty;
    QString text;
    QColor ball;       // Ball and marked Pick: the ball's colour
    QColor background; // the cell's fill
    bool marked = false;
};

class TrendChartModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kStatisticsRows = 5;
    static constexpr int kIndicatorColumn = kTrendNumbers; // first indicator column
    static constexpr int kColumns = kTrendNumbers + kTrendIndicators;
    // Long omissions shaded by "遗漏分层": from these lengths on, reds and blues apart.
    static constexpr std::array<int, 3> kRedLayers{10, 20, 30};
    static constexpr std::array<int, 3> kBlueLayers{30, 50, 70};

    explicit TrendChartModel(QObject* parent = nullptr);

    void setChart(TrendChart chart, int decade);
    const TrendChart& chart() const { return m_chart; }
    int drawCount() const { return m_chart.rowCount(); }
    int statisticsRow(int index) const { return drawCount() + index; }
    int pickRow() const { return drawCount() + kStatisticsRows; }

    bool omissionsShown() const { return m_showOmissions; }
    void setOmissionsShown(bool shown);
    bool layersShown() const { return m_layers; }
    void setLayersShown(bool shown);

    // The pick row: a click on a number cell marks or unmarks it.
    void togglePick(int column);
    void clearPick();
    QString pickText() const;

    TrendCellLook look(int row, int column) const;
    // "01".."33", "01".."16", then the indicator titles.
    static QString columnTitle(int column);
    QString rowTitle(int row) const;
    // After which columns the zones, the reds and the blues end.
    static bool endsGroup(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString cellText(int row, int column) const;
    int statistic(int index, int column) const;
    void restyle();

    TrendChart m_chart;
    int m_decade = 0;
    std::vector<QString> m_issues; // the seven-digit issue of each draw
    std::vector<std::array<QString, kTrendIndicators>> m_indicators; // each draw's, made once
    bool m_showOmissions = true;
    bool m_layers = false;
    std::bitset<kTrendNumbers> m_pick;
};

// The ball colours of the chart.
QColor trendRedBall();
QColor trendBlueBall();

} // namespace ssq
