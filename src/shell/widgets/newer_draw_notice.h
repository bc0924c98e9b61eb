#pragma once
// The notice beside the live count when the database holds a newer draw than the last-draw row,
// with the one click that brings the row, its code and the hot/cold values up to date.

class QLabel;

namespace ssq {

class LastDrawFrame;
class MainWindow;

// `notice` shows the news as a link; following it refills `row` and the hot/cold table.
void watchNewerDraw(MainWindow& main, LastDrawFrame& row, QLabel& notice);

} // namespace ssq
