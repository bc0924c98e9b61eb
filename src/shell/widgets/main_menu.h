#pragma once
// Form1's menu bar as typed handles: every item is a member, so wiring an item that does not
// exist fails to compile. The items carry their control names ("XH", "SQTJCC") as objectName for
// the help pages and the tests.

#include <functional>

class QAction;
class QMenuBar;

namespace ssq {

class MainWindow;

struct MainMenu {
    QAction* select = nullptr; // XH 红球选号

    // TJCZ 条件操作
    QAction* saveSet = nullptr;       // BCTJ
    QAction* restoreSet = nullptr;    // TJZX
    QAction* checkLastDraw = nullptr; // SQTJCC
    QAction* saveFile = nullptr;      // BCWJ
    QAction* loadFile = nullptr;      // ZRWJ
    QAction* backtest = nullptr;      // HTCS

    // XHJGCC 选号结果操作
    QAction* saveNumbers = nullptr;  // BCHM
    QAction* showNumbers = nullptr;  // xshm
    QAction* exportResult = nullptr; // DCJG
    QAction* randomPick = nullptr;   // SJXZ
    QAction* wheel = nullptr;        // XZJZ

    // CX 查询
    QAction* acQuery = nullptr;    // AC
    QAction* pastDraws = nullptr;  // WQCX
    QAction* prizeCheck = nullptr; // ZJCX

    QAction* trendChart = nullptr;      // ZST
    QAction* characteristics = nullptr; // HMFX
    QAction* indicatorChart = nullptr;  // ZXT

    // KJSJ 数据操作
    QAction* drawEntry = nullptr;   // TJSJ
    QAction* drawHistory = nullptr; // CKSJ
    QAction* importFile = nullptr;  // DRSJ
    QAction* pasteDraws = nullptr;  // ZTKJ
    QAction* updateDraws = nullptr; // LWGX

    // WH 数据库维护
    QAction* backup = nullptr;  // BF
    QAction* restore = nullptr; // XF
    QAction* compact = nullptr; // YS

    QAction* blue = nullptr; // LQXH
    QAction* game = nullptr; // MNYX

    // BZ 帮助
    QAction* helpPage = nullptr;    // SYBZ
    QAction* importHelp = nullptr;  // DRSM
    QAction* screenModes = nullptr; // PMFBL
    QAction* exit = nullptr;        // TC
};

// Fills `bar` with the menus and items in their order.
MainMenu buildMainMenu(QMenuBar* bar);

// Connects every item of `main`'s menu to its work.
void connectMainMenu(MainWindow& main, const MainMenu& menu);

// Runs `work` whenever `item` is chosen, for as long as `main` lives.
void onItem(MainWindow& main, QAction* item, std::function<void()> work);

// The items that work on the condition panel and the selection result (XH, the saved set,
// condition files, the last-draw check, saving and showing numbers).
void connectPanelItems(MainWindow& main, const MainMenu& menu);

} // namespace ssq
