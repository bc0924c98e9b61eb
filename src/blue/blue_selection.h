#pragma once
// "蓝球选号" (LQXH): tests the sixteen blue numbers against the ten conditions and the tolerance
// rule, and packs the accepted numbers to the front of the result boxes.

#include "blue/blue_controls.h"
#include "ui/outcome.h"

#include <QString>

#include <array>

namespace ssq {

struct BlueSelectionResult : Outcome {
    // message: why the run was refused; the controls are then unchanged
    // Text29..Text44 as slots 1..16 (index 0 unused): accepted numbers in ascending order,
    // two blanks where there is none.
    std::array<QString, blue::kNumbers + 1> slots;
    int count = 0;
    QString summary; // Text45
};

// Runs the selection on the controls. The first number that reaches the failure-count range
// while Check12 is off turns it on with "0" and "0" in Text27 and Text28, as the window shows
// afterwards; nothing else in `controls` changes. A strict-list box that does not name a
// condition 0..10 refuses the run.
BlueSelectionResult runBlueSelection(BlueControls& controls);

// What a result box holds when no number is left for it.
extern const QString kEmptySlot;

// Text45 for a run that accepted `count` numbers.
QString blueSummary(int count);

} // namespace ssq
