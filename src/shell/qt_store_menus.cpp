#include "shell/qt_store_menus.h"

#include "shell/main_window.h"
#include "store/draw_entry_window.h"
#include "store/history_import_window.h"
#include "store/history_viewer_window.h"
#include "store/maintenance.h"
#include "store/past_draw_query_window.h"
#include "ui/prompter.h"

#include <QApplication>

#include <functional>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Loads the window when it is not loaded yet, and shows it modeless over the main window.
void openOnce(MainWindow& main, const QString& name, const std::function<QWidget*()>& make) {
    QWidget* window = main.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    if (!window) {
        window = make();
        window->setParent(&main, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

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
        openOnce(main, u"Form9"_s, [&db] { return new DrawEntryWindow(db); });
    });
    main.onMenuItem(u"CKSJ"_s, [&main, &db] {
        openOnce(main, u"Form4"_s, [&db] { return new HistoryViewerWindow(db); });
    });
    main.onMenuItem(u"WQCX"_s, [&main, &db] {
        openOnce(main, u"Form10"_s, [&db] { return new PastDrawQueryWindow(db); });
    });
    main.onMenuItem(u"DRSJ"_s, [&db] { HistoryImportWindow::open(db); });
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
