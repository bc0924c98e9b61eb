#pragma once
// The ticket items of Form1: "导出选号结果…", "从结果中随机选N注" and "旋转矩阵与缩水…" under
// "选号结果操作", and "中奖查询" under "查询".

namespace ssq {

class MainWindow;

// Adds the items to their menus and connects them to the window's selection result.
void connectTicketMenus(MainWindow& window);

} // namespace ssq
