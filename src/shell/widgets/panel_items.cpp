#include "shell/widgets/main_menu.h"

#include "red/condition_file.h"
#include "red/condition_set.h"
#include "red/last_draw_check_run.h"
#include "red/last_draw_row.h"
#include "red/saved_results.h"
#include "red/widgets/condition_panel_view.h"
#include "red/widgets/result_actions.h"
#include "shell/widgets/main_window.h"
#include "shell/widgets/selection_runner.h"
#include "store/database.h"
#include "ui/prompter.h"

#include <QAction>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

const QString kConditionSetQuery = u"select* from tjbc order by 编号 "_s;
const QString kConditionFileSuffix = u".ssqpanel.json"_s;
const QString kConditionFileFilter = u"条件文件 (*.ssqpanel.json)"_s;

// BCTJ: the set goes to tjbc together with the 单/双 choice in Text1 170/171.
void saveSet(MainWindow& main) {
    PanelState state = main.panelState();
    const Outcome outcome = saveConditionSet(main.database().connection(), state);
    if (outcome.ok)
        main.setPanelState(state);
    main.showInGrid(kConditionSetQuery);
    prompter().message(&main, outcome.message,
                       outcome.ok ? Prompter::Icon::Information : Prompter::Icon::Warning);
}

// TJZX: silent when it works; the check boxes stay as they are.
void restoreSet(MainWindow& main) {
    PanelState state = main.panelState();
    const Outcome outcome = restoreConditionSet(main.database().connection(), state);
    if (outcome.ok)
        main.setPanelState(state);
    main.showInGrid(kConditionSetQuery);
    if (!outcome.message.isEmpty())
        prompter().message(&main, outcome.message,
                           outcome.ok ? Prompter::Icon::None : Prompter::Icon::Warning);
}

void saveFile(MainWindow& main) {
    const QString path = askSavePath(&main, u"保存条件到文件"_s, kConditionFileFilter, u".json"_s,
                                     kConditionFileSuffix);
    if (path.isEmpty())
        return;
    QString error;
    if (!saveConditionFile(path, main.panelState(), main.hotColdTable(), &error)) {
        prompter().message(&main, error, Prompter::Icon::Warning);
        return;
    }
    prompter().message(&main, u"条件已保存到文件“%1”"_s.arg(path), Prompter::Icon::Information);
}

// A file is taken whole or not at all: a refused one leaves the panel and the hot/cold table.
void loadFile(MainWindow& main) {
    const QString path = prompter().openFileName(&main, u"从文件载入条件"_s, kConditionFileFilter);
    if (path.isEmpty())
        return;
    QString error;
    const std::optional<ConditionFile> file = loadConditionFile(path, &error);
    if (!file) {
        prompter().message(&main, error, Prompter::Icon::Warning);
        return;
    }
    main.setPanelState(file->panel);
    main.setHotColdTable(file->hotCold);
    prompter().message(&main, u"已从文件“%1”载入条件"_s.arg(path), Prompter::Icon::Information);
}

// SQTJCC: the check restores the saved set, fills the last-draw row and ticks the failed
// conditions; its message comes once the ticks are on the panel for the user to see. The
// player's own ticks are offered back, since 条件再现 does not keep them.
void checkLastDraw(MainWindow& main) {
    const PanelState player = main.panelState();
    PanelState panel = player;
    const LastDrawCheckRun run = runLastDrawCheck(main.database().connection(), panel);
    if (run.ok) {
        main.setPanelState(panel);
        main.showInGrid(lastDrawCheckGridQuery());
    }
    prompter().message(&main, run.message, run.ok ? Prompter::Icon::None : Prompter::Icon::Warning);
    if (!run.ok || panel.check1 == player.check1)
        return;
    if (prompter().question(&main, restoreTicksQuestion())) {
        restoreTicks(panel, player);
        main.setPanelState(panel);
    }
}

} // namespace

void connectPanelItems(MainWindow& main, const MainMenu& menu) {
    const auto on = [&main](QAction* item, std::function<void()> work) {
        onItem(main, item, std::move(work));
    };
    auto* runner = new SelectionRunner(main);
    on(menu.select, [runner] { runner->start(); });
    on(menu.saveSet, [&main] { saveSet(main); });
    on(menu.restoreSet, [&main] { restoreSet(main); });
    on(menu.saveFile, [&main] { saveFile(main); });
    on(menu.loadFile, [&main] { loadFile(main); });
    on(menu.checkLastDraw, [&main] { checkLastDraw(main); });

    ResultActions& actions = main.resultActions();
    on(menu.saveNumbers, [&main, &actions] {
        const SelectionResult& result = main.selectionResult();
        if (actions.saveSelection(result, [&result](int i) { return result.text(i); }))
            main.showInGrid(ResultsPaging::allResults());
    });
    on(menu.showNumbers, [&actions] { actions.openResultsWindow(); });
}

} // namespace ssq
