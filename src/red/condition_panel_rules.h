#pragma once
// What a click on one of the panel's boxes does besides ticking or unticking it.

#include "red/panel_state.h"

namespace ssq {

// Any Check1 box: without condition 12's own box its 单/双 choice is cleared, so a choice the
// user can no longer see switched on is never left behind.
void applyConditionBoxClick(PanelState& panel);

// Check4 "不容错的选项": when checked, every condition number i listed in Text1 156..167 gets its
// marker Text3 i = "i" (markers of numbers taken off the list keep their text; the selection's
// consistency check catches that); when unchecked, every marker is emptied.
void applyNonTolerantClick(PanelState& panel);

} // namespace ssq
