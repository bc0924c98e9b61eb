#pragma once
// "条件历史回测…" (HTCS) under "条件操作", and the live count beside the result line Text2,
// which follows every edit of the last-draw row, the panel and the hot/cold table.

namespace ssq {

class MainWindow;

void connectBacktestMenus(MainWindow& window);

} // namespace ssq
