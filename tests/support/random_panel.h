#pragma once
// Random condition panels for the tests that compare two ways of judging the same panel (the
// engine and the reference, the back-test and the last-draw check, the live count and a run).

#include "model/hot_cold.h"
#include "red/panel_state.h"

#include <QtGlobal>

namespace ssq::test {

// Per condition: the first and last box of its list (none when 0; from 68 on, apart from 144,
// lists of digits), its upper bound box (none when 0), the usual range of what it counts, and
// the draw indicator it bounds (none when 0).
// clang-format off
inline constexpr int kConditionInputs[41][6] = {{},
    {16, 19, 0, 0, 0, 0}, {20, 25, 26, 0, 3, 0}, {28, 47, 48, 0, 4, 0}, {0, 0, 50, 60, 150, 1},
    {0, 0, 52, 5, 15, 2}, {0, 0, 54, 0, 6, 3}, {0, 0, 56, 0, 6, 4}, {0, 0, 58, 0, 3, 5},
    {0, 0, 60, 0, 3, 6}, {0, 0, 62, 0, 2, 0}, {0, 0, 64, 0, 4, 0}, {0, 0, 0, 0, 0, 0},
    {0, 0, 66, 5, 40, 10}, {68, 73, 0, 0, 0, 0}, {0, 0, 74, 0, 7, 12}, {0, 0, 76, 0, 6, 13},
    {0, 0, 78, 0, 5, 14}, {0, 0, 80, 0, 10, 15}, {0, 0, 82, 0, 7, 0}, {0, 0, 84, 0, 10, 17},
    {0, 0, 86, 2, 10, 18}, {88, 91, 0, 0, 0, 0}, {92, 95, 96, 0, 3, 0}, {98, 101, 102, 0, 3, 0},
    {104, 108, 0, 0, 0, 0}, {109, 113, 0, 0, 0, 0}, {114, 118, 0, 0, 0, 0}, {119, 123, 0, 0, 0, 0},
    {124, 128, 0, 0, 0, 0}, {129, 133, 0, 0, 0, 0}, {134, 135, 0, 0, 0, 0}, {0, 0, 136, 0, 4, 19},
    {0, 0, 138, 0, 4, 20}, {0, 0, 140, 0, 4, 21}, {0, 0, 142, 10, 32, 22}, {144, 147, 0, 0, 0, 0},
    {0, 0, 148, -100, 60, 23}, {0, 0, 150, 0, 6, 24}, {0, 0, 152, 0, 6, 25}, {0, 0, 154, 0, 6, 26}};
// clang-format on

enum class PanelKind {
    Sample, // about 30 % of the conditions, markers now and then
    Every,  // all 40 conditions, no marker
    // As Sample, and now and then refused: the code not converted, a zone box off, the hot/cold
    // table empty, or a non-tolerant list that does not match the markers.
    Careless,
};

// A panel whose conditions keep a fair share of the combinations, with the awkward inputs a
// player can type: fractions, trailing text, empty boxes, digit boxes holding "0", bounds empty
// or crossed. Fills hv with the hot/cold values it goes with.
PanelState randomPanel(quint32 seed, PanelKind kind, HotColdValues& hv);

} // namespace ssq::test
