#include "shell/qt_game_menus.h"

#include "game/game_window.h"
#include "shell/main_window.h"

using namespace Qt::StringLiterals;

namespace ssq {

void connectGameMenus(MainWindow& main) {
    // One game window at a time, modeless over the main window; closing it discards the game.
    main.onMenuItem(u"MNYX"_s, [&main] {
        auto* window = main.findChild<GameWindow*>(u"Form5"_s, Qt::FindDirectChildrenOnly);
        if (!window) {
            window = new GameWindow(nullptr, &main);
            window->setWindowFlag(Qt::Window);
            window->setAttribute(Qt::WA_DeleteOnClose);
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
}

} // namespace ssq
