#pragma once
// "号码走势图": the trend chart of the newest 30, 50, 100, 200 or all draws. The grid's model holds
// the chart and a delegate paints its cells; the issues and the column titles stay in view while
// the grid scrolls, and the newest draw opens in view at the bottom. The draws are read once per
// opening and per change of the window; nothing is written.

#include <QDate>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace ssq {

class Database;
class PagePrinter;
class TrendChartModel;

class TrendChartWindow : public QWidget {
    Q_OBJECT
public:
    // `today` places the stored issues in their decade. Deletes itself when closed.
    explicit TrendChartWindow(Database& db, QWidget* parent = nullptr,
                              QDate today = QDate::currentDate());
    ~TrendChartWindow() override;

    TrendChartModel* model() const { return m_model; }
    QTableView* grid() const { return m_grid; }
    // Tests print into a PDF file; the system's printer otherwise.
    void setPrinter(PagePrinter* printer) { m_printer = printer; }

public Q_SLOTS:
    // Reads the draws for the window chosen in Combo1 and shows them; false when refused.
    bool loadChart();
    void copyPick();  // Command2 "复制选号"
    void saveImage(); // Command3 "保存图片…"
    void print();     // Command4 "打印"

private:
    void cellClicked(const QModelIndex& index);

    Database& m_db;
    QDate m_today;
    int m_shownIndex = -1; // the choice of Combo1 the chart shows
    PagePrinter* m_printer = nullptr;
    TrendChartModel* m_model = nullptr;
    QComboBox* m_window = nullptr;
    QCheckBox* m_omissions = nullptr;
    QCheckBox* m_layers = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_pick = nullptr;
};

} // namespace ssq
