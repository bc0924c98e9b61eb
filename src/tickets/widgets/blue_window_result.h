#pragma once
// The blue balls the blue-ball window (Form3) has chosen, while it is open: its boxes Text29 to
// Text44 hold them, empty where there is none. The one place that reads that window.

#include "tickets/blue_list.h"

class QLineEdit;
class QWidget;

namespace ssq {

// Empty when the window is not open or has chosen nothing.
BlueList blueWindowResult();

// What a "取蓝球选号结果" button says when there is nothing to take.
QString noBlueWindowResultMessage();

// What a "取蓝球选号结果" button does: writes the window's blue balls into `box`, or, when there
// are none, tells the user over `parent` and leaves the box as it was.
void takeBlueWindowResult(QLineEdit* box, QWidget* parent);

} // namespace ssq
