#include "shell/qt_result_menus.h"

#include "red/last_draw_check_run.h"
#include "red/qt_result_actions.h"
#include "shell/main_window.h"
#include "store/database.h"
#include "ui/prompter.h"

#include <QAction>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace ssq {

void connectResultMenus(MainWindow& main) {
    auto* actions = new QtResultActions(main.database(), &main);
    const ResultText textAt = [&main](int i) { return main.selectionResult().text(i); };

    QPushButton* list = main.showResultsButton();
    QObject::connect(list, &QPushButton::clicked, &main, [&main, actions, textAt] {
        actions->showResultList(*main.resultList(), main.selectionResult().count(), textAt);
    });
    list->setEnabled(true);

    QAction* save = main.menuItem(u"BCHM"_s);
    QObject::connect(save, &QAction::triggered, &main, [&main, actions, textAt] {
        actions->saveResults(main.selectionResult().count(), textAt);
    });
    save->setEnabled(true);

    QAction* show = main.menuItem(u"xshm"_s);
    QObject::connect(show, &QAction::triggered, &main, [actions] { actions->openResultsWindow(); });
    show->setEnabled(true);

    // The check restores the saved set, fills the last-draw row and ticks the failed conditions;
    // its message comes once the ticks are on the panel for the user to see.
    QAction* check = main.menuItem(u"SQTJCC"_s);
    QObject::connect(check, &QAction::triggered, &main, [&main] {
        PanelState panel = main.panelState();
        const LastDrawCheckRun run = runLastDrawCheck(main.database().connection(), panel);
        if (run.ok) {
            main.setPanelState(panel);
            main.showInGrid(lastDrawCheckGridQuery());
        }
        prompter().message(&main, run.message,
                           run.ok ? Prompter::Icon::None : Prompter::Icon::Warning);
    });
    check->setEnabled(true);
}

} // namespace ssq
