#include "shell/widgets/game_menus.h"

#include "game/widgets/game_window.h"
#include "shell/widgets/main_window.h"

using namespace Qt::StringLiterals;

namespace ssq {

void connectGameMenus(MainWindow& main) {
    // One game window at a time; closing it discards the game.
    main.onMenuItem(u"MNYX"_s, [&main] {
        main.openWindow(u"Form5"_s, [] { return new GameWindow; });
    });
}

} // namespace ssq
