#include "shell/widgets/panel_menus.h"

#include "analysis/hot_cold_table.h"
#include "red/condition_file.h"
#include "red/condition_set.h"
#include "red/last_draw_row.h"
#include "red/widgets/condition_panel_view.h"
#include "shell/widgets/main_window.h"
#include "shell/widgets/selection_runner.h"
#include "store/database.h"
#include "ui/prompter.h"

#include <QPushButton>

#include <functional>

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
}

// Command5: a refused analysis keeps the table the window holds.
void fillHotCold(MainWindow& main) {
    const HotColdTableResult result = hotColdTable(main.database().connection());
    main.showInGrid(newestDrawQuery());
    if (result.ok)
        main.setHotColdTable(result.values);
    prompter().message(&main, result.message,
                       result.ok ? Prompter::Icon::Information : Prompter::Icon::Warning);
}

} // namespace

void connectPanelMenus(MainWindow& main) {
    auto* runner = new SelectionRunner(main);
    main.onMenuItem(u"XH"_s, [runner] { runner->start(); });
    main.onMenuItem(u"BCTJ"_s, [&main] { saveSet(main); });
    main.onMenuItem(u"TJZX"_s, [&main] { restoreSet(main); });
    main.onMenuItem(u"BCWJ"_s, [&main] { saveFile(main); });
    main.onMenuItem(u"ZRWJ"_s, [&main] { loadFile(main); });

    QPushButton* hotCold = main.conditionPanel()->hotColdButton();
    QObject::connect(hotCold, &QPushButton::clicked, &main, [&main] { fillHotCold(main); });
    hotCold->setEnabled(true);
}

} // namespace ssq
