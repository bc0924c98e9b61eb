#pragma once
// The ten blue conditions. Their numbers are the ones in their captions; the check box that
// enables each is not always the one of the same number (condition 9 is Check10, condition 10
// is Check9), and the tolerance lists speak in condition numbers.

#include "blue/blue_controls.h"

namespace ssq {

// The Check box index that enables condition 1..10.
int blueConditionCheck(int condition);

// True when the condition is enabled and `number` (1..16) fails it. Every box is read by the
// leading-number rule and compared as a decimal.
bool blueConditionFails(const BlueControls& controls, int condition, int number);

} // namespace ssq
