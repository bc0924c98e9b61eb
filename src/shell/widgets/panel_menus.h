#pragma once
// The condition panel's items of Form1: "红球选号" (XH), the saved set (BCTJ, TJZX), condition
// files (BCWJ, ZRWJ) and the hot/cold button Command5.

namespace ssq {

class MainWindow;

// Connects the items and the button to their operations and enables them.
void connectPanelMenus(MainWindow& window);

} // namespace ssq
