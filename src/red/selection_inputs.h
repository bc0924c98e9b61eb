#pragma once
// The panel as a selection run reads it, once, into plain values, so the walk over the
// combinations carries no Qt type; and the refusals checked before a run.

#include "model/hot_cold.h"
#include "red/panel_state.h"

#include <QString>

#include <array>
#include <optional>

namespace ssq {

constexpr int kConditionCount = 40;

struct SelectionInputs {
    // Text1 1..169 by the leading-number rule, in single precision like the boxes' values were
    // always held (index 0 unused; 8 is only tested for emptiness).
    std::array<float, 170> t{};
    // Text1 1..169 not empty: a digit-list box takes part by its text, so "0" is the digit 0.
    std::array<bool, 170> given{};
    bool lastCodeEmpty = true;    // Text1 8
    std::array<bool, 41> check{}; // Check1 0..40
    bool zone2 = false;
    bool zone3 = false;
    bool check4 = false;
    bool option1 = false; // "单"
    bool option2 = false; // "双"
    // Text3 1..40 as 16-bit integers rounded half to even; [0] is their sum.
    std::array<int, 41> marker{};
    HotColdValues hotCold{};
};

SelectionInputs readSelectionInputs(const PanelState& panel, const HotColdValues& hotCold);

// Why a run may not start, in the order the user is told.
enum class RefusalReason { LastCodeEmpty, Zone1, Zone2, Zone3, HotColdEmpty, NonTolerantList };

// The first reason a run may not start; nullopt when it may. A caller that brings its own
// hot/cold values (a back-test over the history) skips the empty-table reason.
std::optional<RefusalReason> refusalReason(const SelectionInputs& in, bool checkHotCold = true);
// The message box text of a reason, and a few words for a label with no room for it.
QString refusalMessage(RefusalReason reason);
QString refusalShortText(RefusalReason reason);

// The message of the first reason a run may not start; nullopt when it may.
std::optional<QString> selectionRefusal(const SelectionInputs& in);

// Condition k (1..40) takes part in a run only when its own box and its zone box are checked.
bool conditionTested(const SelectionInputs& in, int k);

// A value read from a box held in single precision; beyond the float range it is +-infinity.
float singlePrecision(double value);

// A marker's 16-bit value. A value beyond -32768..32767 saturates, keeping its sign, so a huge
// marker still makes its condition non-tolerant and a hugely negative one leaves it tolerant.
int markerValue(const QString& text);

} // namespace ssq
