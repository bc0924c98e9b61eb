#pragma once
// Form3 "蓝球选号": the ten blue conditions in the frames "常规指标" and "代码指标", the tolerance
// frame, the result boxes Text29..Text45, the history grids and the window's own menu. The
// controls are only a view of a BlueControls; the rules live in the blue logic.

#include "blue/blue_controls.h"

#include <QMainWindow>
#include <QStringList>

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QRadioButton;

namespace ssq {

class Database;
class DrawGridView;

class BlueSelectionWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit BlueSelectionWindow(Database& db, QWidget* parent = nullptr);

    BlueControls controls() const;
    // Shows the inputs; the result boxes are left as they are.
    void setControls(const BlueControls& controls);

    // What the result boxes Text29..Text44 show, empty where no number was accepted.
    QStringList resultTexts() const;

    // Check1..Check16, Text1..Text45.
    QCheckBox* check(int index) const { return m_check[index]; }
    QLineEdit* text(int index) const { return m_text[index]; }
    DrawGridView* historyGrid() const { return m_grid1; }  // DataGrid1
    DrawGridView* analysisGrid() const { return m_grid2; } // DataGrid2
    DrawGridView* optionGrid() const { return m_grid3; }   // DataGrid3

public Q_SLOTS:
    void runSelection();     // LQXH
    void showDistribution(); // HMFB
    void showIndicators();   // KJZB
    void analyse();          // CQCS
    void saveOptions();      // XXCD
    void restoreOptions();   // SZZX
    void saveToFile();       // BCWJ "保存设置到文件…"
    void loadFromFile();     // ZRWJ "从文件载入设置…"

private:
    void buildMenus();
    QWidget* buildConditions();
    QGroupBox* buildNumberFrame();
    QGroupBox* buildCodeFrame();
    QGroupBox* buildToleranceFrame();
    QGroupBox* buildResultFrame();
    QWidget* buildLegend();
    QCheckBox* makeCheck(int index, const QString& caption, QWidget* parent,
                         const QString& tip = {});
    QLineEdit* makeText(int index, int maxChars, QWidget* parent);
    QHBoxLayout* makeTextRow(int first, int last, QWidget* parent);
    void showDistributionIn(DrawGridView& grid);

    Database& m_db;
    std::array<QCheckBox*, blue::kChecks + 1> m_check{};
    std::array<QLineEdit*, blue::kSummary + 1> m_text{};
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option2 = nullptr;
    QButtonGroup* m_options = nullptr;
    DrawGridView* m_grid1 = nullptr;
    DrawGridView* m_grid2 = nullptr;
    DrawGridView* m_grid3 = nullptr;
};

} // namespace ssq
