#pragma once
// The result and check items of Form1: the result list (Command4 into Combo1), saving the kept
// combinations (BCHM), the results window (xshm) and the last-draw check (SQTJCC).

namespace ssq {

class MainWindow;

// Connects the items and the button to their operations on the window's selection result and
// panel, and enables them.
void connectResultMenus(MainWindow& window);

} // namespace ssq
