#pragma once
// Form1's "蓝球选号" item, which opens the blue-ball window Form3.

namespace ssq {

class MainWindow;

// Connects LQXH to Form3 and enables it.
void connectBlueMenus(MainWindow& window);

} // namespace ssq
