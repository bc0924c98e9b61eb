#pragma once
// The draw-history items of Form1's menus: draw entry, history viewer, past-draw query, import,
// and the three maintenance commands.

namespace ssq {

class MainWindow;

// Connects TJSJ, CKSJ, DRSJ, ZTKJ, LWGX, WQCX, BF, XF and YS to their windows and operations and enables them.
void connectStoreMenus(MainWindow& window);

} // namespace ssq
