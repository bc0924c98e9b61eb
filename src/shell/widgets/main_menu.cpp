#include "shell/widgets/main_menu.h"

#include "analysis/widgets/indicator_chart_window.h"
#include "analysis/widgets/number_characteristics_window.h"
#include "analysis/widgets/trend_chart_window.h"
#include "backtest/widgets/backtest_window.h"
#include "blue/widgets/blue_selection_window.h"
#include "game/widgets/game_window.h"
#include "model/indicators.h"
#include "shell/widgets/main_window.h"
#include "shell/widgets/screen_mode_window.h"
#include "store/maintenance.h"
#include "store/widgets/draw_entry_window.h"
#include "store/widgets/history_import_window.h"
#include "store/widgets/history_viewer_window.h"
#include "store/widgets/past_draw_query_window.h"
#include "store/widgets/paste_draws_window.h"
#include "store/widgets/update_draws_window.h"
#include "tickets/random_pick.h"
#include "tickets/widgets/prize_check_window.h"
#include "tickets/widgets/random_pick_dialog.h"
#include "tickets/widgets/ticket_export_dialog.h"
#include "tickets/widgets/wheel_window.h"
#include "ui/prompter.h"
#include "ui/url_opener.h"
#include "ui/widgets/named_widgets.h"
#include "ui/widgets/single_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

QAction* addItem(QWidget* menu, const QString& name, const QString& caption) {
    auto* item = new QAction(caption, menu);
    item->setObjectName(name);
    menu->addAction(item);
    return item;
}

// The windows the menu opens, each at most once: choosing an item again raises its window.
struct MenuWindows {
    QPointer<DrawEntryWindow> drawEntry;
    QPointer<HistoryViewerWindow> drawHistory;
    QPointer<PastDrawQueryWindow> pastDraws;
    QPointer<TrendChartWindow> trendChart;
    QPointer<NumberCharacteristicsWindow> characteristics;
    QPointer<IndicatorChartWindow> indicatorChart;
    QPointer<BlueSelectionWindow> blue;
    QPointer<GameWindow> game;
    QPointer<BacktestWindow> backtest;
    QPointer<PrizeCheckWindow> prizeCheck;
    QPointer<WheelWindow> wheel;
};

void runMaintenance(MainWindow& main, const std::function<Outcome()>& step) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Outcome result = step();
    QApplication::restoreOverrideCursor();
    prompter().message(&main, result.message,
                       result.ok ? Prompter::Icon::Information : Prompter::Icon::Warning);
}

// The ticket dialogs work on the kept combinations; with none there is nothing to do.
bool haveResult(MainWindow& main) {
    if (main.selectionResult().count() > 0)
        return true;
    prompter().message(&main, u"还没有选号结果，请先点击“红球选号”"_s, Prompter::Icon::Warning);
    return false;
}

} // namespace

MainMenu buildMainMenu(QMenuBar* bar) {
    MainMenu m;
    m.select = addItem(bar, u"XH"_s, u"红球选号"_s);

    QMenu* conditions = addNamedMenu(bar, u"TJCZ"_s, u"条件操作"_s);
    m.saveSet = addItem(conditions, u"BCTJ"_s, u"保存条件设置"_s);
    m.restoreSet = addItem(conditions, u"TJZX"_s, u"条件再现"_s);
    m.checkLastDraw = addItem(conditions, u"SQTJCC"_s, u"上期条件查错"_s);
    conditions->addSeparator();
    m.saveFile = addItem(conditions, u"BCWJ"_s, u"保存条件到文件…"_s);
    m.loadFile = addItem(conditions, u"ZRWJ"_s, u"从文件载入条件…"_s);
    m.backtest = addItem(conditions, u"HTCS"_s, u"条件历史回测…"_s);

    QMenu* results = addNamedMenu(bar, u"XHJGCC"_s, u"选号结果操作"_s);
    m.saveNumbers = addItem(results, u"BCHM"_s, u"保存所选号码"_s);
    m.showNumbers = addItem(results, u"xshm"_s, u"号码显示与打印(必须先保存号码)"_s);
    m.exportResult = addItem(results, u"DCJG"_s, u"导出选号结果…"_s);
    m.randomPick = addItem(results, u"SJXZ"_s, u"从结果中随机选N注"_s);
    m.wheel = addItem(results, u"XZJZ"_s, u"旋转矩阵与缩水…"_s);

    QMenu* query = addNamedMenu(bar, u"CX"_s, u"查询"_s);
    m.acQuery = addItem(query, u"AC"_s, u"AC值查询"_s);
    m.acQuery->setToolTip(QString::fromUtf8(acScaleNote()));
    query->setToolTipsVisible(true);
    m.pastDraws = addItem(query, u"WQCX"_s, u"往期是否开出查询"_s);
    m.prizeCheck = addItem(query, u"ZJCX"_s, u"中奖查询"_s);

    m.trendChart = addItem(bar, u"ZST"_s, u"号码走势图"_s);
    m.characteristics = addItem(bar, u"HMFX"_s, u"号码特性分析"_s);
    m.indicatorChart = addItem(bar, u"ZXT"_s, u"指标折线图"_s);

    QMenu* data = addNamedMenu(bar, u"KJSJ"_s, u"数据操作"_s);
    m.drawEntry = addItem(data, u"TJSJ"_s, u"数据添加、删除、修改"_s);
    m.drawHistory = addItem(data, u"CKSJ"_s, u"查看历史数据"_s);
    m.importFile = addItem(data, u"DRSJ"_s, u"导入开奖数据文件"_s);
    m.pasteDraws = addItem(data, u"ZTKJ"_s, u"粘贴开奖号码…"_s);
    m.updateDraws = addItem(data, u"LWGX"_s, u"联网更新开奖数据"_s);

    QMenu* maintenance = addNamedMenu(bar, u"WH"_s, u"数据库维护"_s);
    m.backup = addItem(maintenance, u"BF"_s, u"数据库备份(请您定期备份)"_s);
    m.restore = addItem(maintenance, u"XF"_s, u"用备份数据库替换当前数据库(修复)"_s);
    m.compact = addItem(maintenance, u"YS"_s, u"数据库压缩(减肥优化)"_s);

    m.blue = addItem(bar, u"LQXH"_s, u"蓝球选号"_s);
    m.game = addItem(bar, u"MNYX"_s, u"模拟开奖游戏"_s);

    QMenu* help = addNamedMenu(bar, u"BZ"_s, u"帮助"_s);
    m.helpPage = addItem(help, u"SYBZ"_s, u"使用帮助"_s);
    m.importHelp = addItem(help, u"DRSM"_s, u"开奖数据文件格式说明"_s);
    help->addSeparator();
    m.screenModes = addItem(help, u"PMFBL"_s, u"调整屏幕分辩率"_s);
    m.exit = addItem(bar, u"TC"_s, u"退出"_s);
    return m;
}

void onItem(MainWindow& main, QAction* item, std::function<void()> work) {
    QObject::connect(item, &QAction::triggered, &main, std::move(work));
}

void connectMainMenu(MainWindow& main, const MainMenu& menu) {
    Database& db = main.database();
    const auto on = [&main](QAction* item, std::function<void()> work) {
        onItem(main, item, std::move(work));
    };

    auto windows = std::make_shared<MenuWindows>();
    const auto opens = [&main, &on, windows](QAction* item, auto slot, auto make) {
        on(item, [&main, windows, slot, make] { showSingleWindow((*windows).*slot, &main, make); });
    };
    opens(menu.drawEntry, &MenuWindows::drawEntry, [&db] { return new DrawEntryWindow(db); });
    opens(menu.drawHistory, &MenuWindows::drawHistory,
          [&db] { return new HistoryViewerWindow(db); });
    opens(menu.pastDraws, &MenuWindows::pastDraws, [&db] { return new PastDrawQueryWindow(db); });
    opens(menu.trendChart, &MenuWindows::trendChart, [&db] { return new TrendChartWindow(db); });
    opens(menu.characteristics, &MenuWindows::characteristics,
          [&db] { return new NumberCharacteristicsWindow(db); });
    opens(menu.indicatorChart, &MenuWindows::indicatorChart,
          [&db] { return new IndicatorChartWindow(db); });
    // "返回" in the blue-ball window unloads it; closing the game window discards the game.
    opens(menu.blue, &MenuWindows::blue, [&db] { return new BlueSelectionWindow(db); });
    opens(menu.game, &MenuWindows::game, [] { return new GameWindow; });
    opens(menu.backtest, &MenuWindows::backtest, [&main, &db] {
        return new BacktestWindow(
            db, [&main] { return main.panelState(); }, &main);
    });

    // The ticket windows take "取蓝球选号结果" from the blue-ball window while it is open.
    const BlueResult blues = [windows]() -> BlueList {
        const BlueSelectionWindow* blue = windows->blue;
        return blue && blue->isVisible() ? blueListOfTexts(blue->resultTexts()) : BlueList{};
    };
    opens(menu.prizeCheck, &MenuWindows::prizeCheck,
          [&db, blues] { return new PrizeCheckWindow(db, blues); });
    on(menu.exportResult, [&main, blues] {
        if (haveResult(main))
            (new TicketExportDialog(main.selectionResult(), blues, &main))->open();
    });
    on(menu.randomPick, [&main, blues] {
        if (!haveResult(main))
            return;
        auto* dialog = new RandomPickDialog(main.selectionResult(), blues, &main);
        // The picked tickets become the result, listed at once.
        QObject::connect(
            dialog, &RandomPickDialog::picked, &main, [&main](const SelectionResult& tickets) {
                main.showSelectionResult(tickets, pickResultLine(tickets.count()), true);
            });
        dialog->open();
    });
    // The wheel window reads the current result when it needs it; its verified tickets become
    // the result, listed at once.
    opens(menu.wheel, &MenuWindows::wheel, [&main, blues] {
        auto* window = new WheelWindow([&main] { return main.selectionResult(); }, blues);
        QObject::connect(window, &WheelWindow::resultChosen, &main,
                         [&main](const SelectionResult& tickets, const QString& line) {
                             main.showSelectionResult(tickets, line, true);
                         });
        return window;
    });

    on(menu.importFile, [&main, &db] { HistoryImportWindow::open(db, &main); });
    on(menu.pasteDraws, [&main, &db] { PasteDrawsWindow::open(db, &main); });
    on(menu.updateDraws, [&main, &db] { UpdateDrawsWindow::open(db, &main); });
    on(menu.backup, [&main, &db] {
        runMaintenance(main, [&db] { return backupDatabase(db, backupFolder()); });
    });
    on(menu.restore, [&main, &db] {
        // With several backups the player says which one, the newest offered first.
        const QList<BackupFile> backups = listBackups(backupFolder());
        QString chosen = backupFilePath(backupFolder());
        if (backups.size() > 1) {
            const std::optional<QString> answer =
                prompter().input(&main,
                                 u"备份文件夹中有%1份备份，最新的在最前：\n"_s.arg(backups.size()) +
                                     numberedBackupLines(backups).join(u'\n') +
                                     u"\n请输入要用来替换当前数据库的备份的序号："_s,
                                 u"选择备份"_s, u"1"_s);
            if (!answer)
                return;
            QString error;
            chosen = chosenBackup(backups, *answer, &error);
            if (chosen.isEmpty()) {
                prompter().message(&main, error, Prompter::Icon::Warning);
                return;
            }
        }
        runMaintenance(main, [&db, chosen] { return restoreFromBackupFile(db, chosen); });
    });
    on(menu.compact, [&main, &db] { runMaintenance(main, [&db] { return compactDatabase(db); }); });

    on(menu.acQuery, [&main] { main.showAcValues(); });
    on(menu.helpPage, [] { urlOpener().open(homePageUrl()); });
    on(menu.importHelp, [] { urlOpener().open(downloadPageUrl()); });
    on(menu.screenModes, [] { showScreenModeWindow(); });
    on(menu.exit, [&main] { main.exitProgram(); });
    connectPanelItems(main, menu);
}

} // namespace ssq
