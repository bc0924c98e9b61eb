#pragma once
// Form1, the main window: the menu bar that reaches every other window and operation, the
// last-draw row, the condition panel, the result area with its progress bar, and DataGrid1,
// the grid that shows the table the window's last operation read.

#include "model/hot_cold.h"
#include "red/panel_state.h"
#include "red/selection_result.h"

#include <QMainWindow>

class QComboBox;
class QDateTime;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSqlQueryModel;
class QTableView;
class QTimer;

namespace ssq {

class ConditionPanelView;
class Database;
class LastDrawFrame;
class ResultActions;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Deletes itself when closed.
    explicit MainWindow(Database& db, QWidget* parent = nullptr);

    Database& database() const { return m_db; }

    // Command4, BCHM and xshm: the list, saving and the results window of this window's result.
    ResultActions& resultActions() const { return *m_resultActions; }

    // While a selection runs, the menus, the last-draw row, the panel and Command4 are off, so
    // nothing that feeds the run can change under it; afterwards Command4 is as it was before.
    void setRunning(bool running);
    bool isRunning() const { return m_running; }
    // ProgressBar1 at `done` of `total`.
    void showProgress(int done, int total);

    // Points DataGrid1 at the result of a query on the program's database.
    void showInGrid(const QString& queryText);

    // The condition panel as one state, from the last-draw row of Frame1 and the panel's frames:
    // the one way the selection, the check, the saved set and condition files see the controls.
    PanelState panelState() const;
    void setPanelState(const PanelState& state);

    // The hot/cold values of the red numbers, all 0 until Command5 or a condition file fills them.
    const HotColdValues& hotColdTable() const { return m_hotCold; }
    void setHotColdTable(const HotColdValues& values) { m_hotCold = values; }

    // The kept combinations of the last completed selection run.
    const SelectionResult& selectionResult() const { return m_selection; }
    void setSelectionResult(SelectionResult result) { m_selection = std::move(result); }
    // A new result with Text2 telling `line`; with `listed`, Combo1 lists it at once.
    void showSelectionResult(SelectionResult result, const QString& line, bool listed);

public Q_SLOTS:
    // One tick of the title-bar clock Timer1.
    void tickClock(const QDateTime& now);
    // AC and Command3: the two AC values of the last-draw row.
    void showAcValues();
    // Command4: the first 5000 combinations of the result into Combo1.
    void listResult();
    // Command5: the hot/cold values from the stored draws; a refused analysis keeps the table.
    void fillHotColdTable();
    // TC: closes every window and ends the program.
    void exitProgram();

private:
    QWidget* buildResultArea();
    void startLiveCount();

    Database& m_db;
    ResultActions* m_resultActions = nullptr;
    LastDrawFrame* m_lastDraw = nullptr;
    ConditionPanelView* m_panel = nullptr;
    QLineEdit* m_resultText = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_liveCount = nullptr;
    QComboBox* m_resultList = nullptr;
    QPushButton* m_showResults = nullptr;
    QTableView* m_grid = nullptr;
    QSqlQueryModel* m_gridModel = nullptr;
    QTimer* m_clock = nullptr;
    HotColdValues m_hotCold{};
    SelectionResult m_selection;
    bool m_running = false;
    bool m_showResultsWasEnabled = false;
};

} // namespace ssq
