#include "shell/widgets/store_menus.h"

#include "shell/widgets/main_window.h"
#include "store/widgets/draw_entry_window.h"
#include "store/widgets/history_import_window.h"
#include "store/widgets/history_viewer_window.h"
#include "store/maintenance.h"
#include "store/widgets/past_draw_query_window.h"
#include "store/widgets/paste_draws_window.h"
#include "store/widgets/update_draws_window.h"
#include "ui/prompter.h"

#include <QApplication>

#include <functional>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

void runMaintenance(MainWindow& main, const std::function<MaintenanceResult()>& step) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const MaintenanceResult result = step();
    QApplication::restoreOverrideCursor();
    prompter().message(&main, result.message,
                       result.ok ? Prompter::Icon::Information : Prompter::Icon::Warning);
}

} // namespace

void connectStoreMenus(MainWindow& main) {
    Database& db = main.database();
    main.onMenuItem(u"TJSJ"_s, [&main, &db] {
        main.openWindow(u"Form9"_s, [&db] { return new DrawEntryWindow(db); });
    });
    main.onMenuItem(u"CKSJ"_s, [&main, &db] {
        main.openWindow(u"Form4"_s, [&db] { return new HistoryViewerWindow(db); });
    });
    main.onMenuItem(u"WQCX"_s, [&main, &db] {
        main.openWindow(u"Form10"_s, [&db] { return new PastDrawQueryWindow(db); });
    });
    main.onMenuItem(u"DRSJ"_s, [&db] { HistoryImportWindow::open(db); });
    main.onMenuItem(u"ZTKJ"_s, [&main, &db] { PasteDrawsWindow::open(db, &main); });
    main.onMenuItem(u"LWGX"_s, [&main, &db] { UpdateDrawsWindow::open(db, &main); });
    main.onMenuItem(u"BF"_s, [&main, &db] {
        runMaintenance(main, [&db] { return backupDatabase(db, backupFolder()); });
    });
    main.onMenuItem(u"XF"_s, [&main, &db] {
        runMaintenance(main, [&db] { return restoreFromBackup(db, backupFolder()); });
    });
    main.onMenuItem(u"YS"_s,
              [&main, &db] { runMaintenance(main, [&db] { return compactDatabase(db); }); });
}

} // namespace ssq
