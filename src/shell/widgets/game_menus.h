#pragma once
// The game item of Form1's menu bar.

namespace ssq {

class MainWindow;

// Connects MNYX to the game window Form5 and enables it.
void connectGameMenus(MainWindow& window);

} // namespace ssq
