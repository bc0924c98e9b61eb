#include "shell/widgets/result_menus.h"

#include "red/last_draw_check_run.h"
#include "red/saved_results.h"
#include "red/widgets/result_actions.h"
#include "shell/widgets/main_window.h"
#include "store/database.h"
#include "ui/prompter.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace ssq {

void connectResultMenus(MainWindow& main) {
    auto* actions = new ResultActions(main.database(), &main);
    const ResultText textAt = [&main](int i) { return main.selectionResult().text(i); };

    QPushButton* list = main.showResultsButton();
    QObject::connect(list, &QPushButton::clicked, &main, [&main, actions, textAt] {
        actions->showResultList(*main.resultList(), main.selectionResult().count(), textAt);
    });
    list->setEnabled(true);

    main.onMenuItem(u"BCHM"_s, [&main, actions, textAt] {
        if (actions->saveSelection(main.selectionResult(), textAt))
            main.showInGrid(ResultsPaging::allResults());
    });
    main.onMenuItem(u"xshm"_s, [actions] { actions->openResultsWindow(); });

    // The check restores the saved set, fills the last-draw row and ticks the failed conditions;
    // its message comes once the ticks are on the panel for the user to see.
    main.onMenuItem(u"SQTJCC"_s, [&main] {
        PanelState panel = main.panelState();
        const LastDrawCheckRun run = runLastDrawCheck(main.database().connection(), panel);
        if (run.ok) {
            main.setPanelState(panel);
            main.showInGrid(lastDrawCheckGridQuery());
        }
        prompter().message(&main, run.message,
                           run.ok ? Prompter::Icon::None : Prompter::Icon::Warning);
    });
}

} // namespace ssq
