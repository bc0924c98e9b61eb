#pragma once
// The analysis items of Form1's menu bar: the trend chart, number characteristics and indicator
// charts.

namespace ssq {

class MainWindow;

// Connects ZST, HMFX and ZXT to their windows and enables them.
void connectAnalysisMenus(MainWindow& window);

} // namespace ssq
