#pragma once
// The notice beside the live count when the database holds a newer draw than the last-draw row,
// with the one click that brings the row, its code and the hot/cold values up to date.

namespace ssq {

class MainWindow;

void connectNewerDrawNotice(MainWindow& window);

} // namespace ssq
