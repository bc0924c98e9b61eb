#pragma once
// The main window's commands on selection results and on the last-draw check, so that wiring
// them to its buttons and menu items takes one line each: Command4 (the result list), BCHM
// (saving), xshm (the results window) and SQTJCC (the last-draw check).

#include "red/panel_state.h"
#include "red/saved_results.h"
#include "red/selection_result.h"

#include <QObject>
#include <QPointer>

class QComboBox;
class QWidget;

namespace ssq {

class Database;
class ResultsWindow;

class ResultActions : public QObject {
    Q_OBJECT
public:
    // `window` is the main window: the parent of messages and of the results window.
    ResultActions(Database& db, QWidget* window);

    // Command4 "显示5000注选号结果": the first 5000 results into `list` (Combo1), then the
    // message. Places the list held before beyond them are emptied.
    void showResultList(QComboBox& list, int count, const ResultText& textAt);

    // BCHM "保存所选号码": saves up to 5000 results to hmbc, telling the user before and after.
    bool saveResults(int count, const ResultText& textAt);
    // The same for the main window's current result; when there is none (no run yet, or the last
    // one was refused or cancelled) says so and leaves hmbc untouched.
    bool saveSelection(const SelectionResult& result, const ResultText& textAt);

    // xshm: opens Form8, which reads hmbc; while it is open, only shows it again.
    ResultsWindow* openResultsWindow();

    // SQTJCC "上期条件查错": runs the check on the panel and shows its message. True when the
    // panel changed; it then holds the newest draw, the restored set and the ticks.
    bool checkLastDraw(PanelState& panel);

private:
    Database& m_db;
    QWidget* m_window;
    QPointer<ResultsWindow> m_results;
};

} // namespace ssq
