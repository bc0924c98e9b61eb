#pragma once
// Form1, the main window: the menu bar that reaches every other window and operation, the
// last-draw row, the condition panel, the result area with its progress bar, and DataGrid1,
// the grid that shows the table the window's last operation read.

#include "model/hot_cold.h"
#include "red/panel_state.h"
#include "red/selection_result.h"

#include <QHash>
#include <QMainWindow>

#include <functional>

class QComboBox;
class QDateTime;
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

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Deletes itself when closed.
    explicit MainWindow(Database& db, QWidget* parent = nullptr);

    Database& database() const { return m_db; }

    // A menu item by its control name ("XH", "SQTJCC"); nullptr for an unknown name.
    QAction* menuItem(const QString& name) const { return m_items.value(name); }
    // Connects a menu item to its work and enables it; items of unbuilt windows stay disabled.
    void onMenuItem(const QString& name, const std::function<void()>& action);
    // Shows the window named `name` modeless over this one, loading it with `make` when it is
    // not loaded yet; closing it unloads it.
    void openWindow(const QString& name, const std::function<QWidget*()>& make);

    LastDrawFrame* lastDrawFrame() const { return m_lastDraw; }
    ConditionPanelView* conditionPanel() const { return m_panel; }
    QLineEdit* resultText() const { return m_resultText; }           // Text2
    QProgressBar* progressBar() const { return m_progress; }         // ProgressBar1
    QComboBox* resultList() const { return m_resultList; }           // Combo1
    QPushButton* showResultsButton() const { return m_showResults; } // Command4
    QTableView* dataGrid() const { return m_grid; }                  // DataGrid1

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

public Q_SLOTS:
    // One tick of the title-bar clock Timer1.
    void tickClock(const QDateTime& now);
    // AC and Command3: the two AC values of the last-draw row.
    void showAcValues();
    // TC: closes every window and ends the program.
    void exitProgram();

private:
    void buildMenus();
    QAction* addItem(QWidget* menu, const QString& name, const QString& caption, bool enabled);
    QMenu* addMenu(const QString& name, const QString& caption);
    QWidget* buildResultArea();

    Database& m_db;
    QHash<QString, QAction*> m_items;
    LastDrawFrame* m_lastDraw = nullptr;
    ConditionPanelView* m_panel = nullptr;
    QLineEdit* m_resultText = nullptr;
    QProgressBar* m_progress = nullptr;
    QComboBox* m_resultList = nullptr;
    QPushButton* m_showResults = nullptr;
    QTableView* m_grid = nullptr;
    QSqlQueryModel* m_gridModel = nullptr;
    QTimer* m_clock = nullptr;
    HotColdValues m_hotCold{};
    SelectionResult m_selection;
};

} // namespace ssq
