#include "shell/widgets/blue_menus.h"

#include "blue/widgets/blue_selection_window.h"
#include "shell/widgets/main_window.h"

using namespace Qt::StringLiterals;

namespace ssq {

void connectBlueMenus(MainWindow& main) {
    // "返回" unloads the window.
    main.onMenuItem(u"LQXH"_s, [&main] {
        main.openWindow(u"Form3"_s, [&main] { return new BlueSelectionWindow(main.database()); });
    });
}

} // namespace ssq
