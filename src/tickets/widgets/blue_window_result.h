#pragma once
// The blue balls of the blue-ball window's result as the ticket windows see them: the shell
// hands each ticket window a function that asks that window, so they never look for it.

#include "tickets/blue_list.h"

#include <functional>

class QLineEdit;
class QWidget;

namespace ssq {

// The blue balls the blue-ball window has chosen; empty when it is not open, has chosen nothing,
// or when no function was given.
using BlueResult = std::function<BlueList()>;

BlueList currentBlues(const BlueResult& result);

// What a "取蓝球选号结果" button says when there is nothing to take.
QString noBlueWindowResultMessage();

// What a "取蓝球选号结果" button does: writes the current blue balls into `box`, or, when there
// are none, tells the user over `parent` and leaves the box as it was.
void takeBlueWindowResult(const BlueResult& result, QLineEdit* box, QWidget* parent);

} // namespace ssq
