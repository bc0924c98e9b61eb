#include "shell/qt_blue_menus.h"

#include "blue/blue_selection_window.h"
#include "shell/main_window.h"

using namespace Qt::StringLiterals;

namespace ssq {

void connectBlueMenus(MainWindow& main) {
    main.onMenuItem(u"LQXH"_s, [&main] {
        // Loaded once and shown modeless over the main window; "返回" unloads it.
        auto* window = main.findChild<BlueSelectionWindow*>(u"Form3"_s, Qt::FindDirectChildrenOnly);
        if (!window) {
            window = new BlueSelectionWindow(main.database(), &main);
            window->setWindowFlag(Qt::Window);
            window->setAttribute(Qt::WA_DeleteOnClose);
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
}

} // namespace ssq
