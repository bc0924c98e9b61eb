#pragma once
// The tested conditions of a run turned into lookup tables over the quantities they test. A
// failing condition adds its weight to the candidate's total: 1 when it is tolerant, kDrop when
// it may not fail. A total below kDrop counts the failures of the tolerant conditions, and the
// tolerance bounds decide which totals are kept.

#include "model/indicators.h"
#include "model/red_code.h"
#include "red/selection_inputs.h"

#include <array>
#include <bitset>
#include <cstdint>

namespace ssq {

struct SelectionPlan {
    static constexpr int kDrop = 64; // above the 40 conditions that could fail
    static constexpr int kTotalLimit = 4096;

    // Weight of each condition: 0 when not tested, 1 tolerant, kDrop non-tolerant.
    std::array<std::uint8_t, 41> weight{};
    // Condition k fails at quantity q (0..255) for the conditions measured by a small number.
    std::array<std::array<bool, 256>, 41> failsAt{};
    std::array<bool, kTotalLimit> keep{}; // by total
    int highestKept = -1;                 // the largest total kept; -1 when none is
    bool anyRed = false;                  // a condition on the numbers themselves is tested
    bool anyCode = false;                 // a condition on the code is tested

    // Per red number n: how many boxes of conditions 2 and 3 name it, how many last-draw boxes
    // equal it (10), whether it is one away from a last-draw box (11).
    std::array<int, 34> named2{}, named3{}, repeats{}, adjacent{};
    std::uint64_t required = 0; // condition 1; bit 0 stands for a given value that is no red number
    std::uint64_t excluded = 0; // condition 36
    std::int64_t hotMin = 0, hotMax = 0; // condition 37, as whole-number bounds
    // Per digit v: last-draw code digits equal to it (19) and boxes naming it (23, 24).
    std::array<int, 10> previousDigits{}, named23{}, named24{};
    unsigned requiredDigits = 0; // condition 22; bit 10 stands for a value that is no digit
    HotColdValues hotCold{};

    // Combined tables of the walk: each sums the weights of the conditions it covers.
    std::array<std::uint64_t, 34> packed{}; // per number, the additive counts side by side
    std::array<std::uint8_t, 256> bySum{}, byNamed3{};
    std::array<std::array<std::uint8_t, 64>, 5> byPair{}; // two 3-bit counts each
    std::array<std::uint8_t, 8> byHot{};
    std::array<std::uint8_t, 64> byAc{};
    std::array<std::uint8_t, 1024> byTails{}; // by the set of last digits
    std::array<std::uint8_t, 8> byRuns{};
    std::array<std::uint8_t, 64> bySpan{};
    std::uint8_t requiredWeight = 0, excludedWeight = 0, hotWeight = 0;
    std::array<std::uint8_t, 64> byDigitSum{}; // 13 and 14
    std::array<std::uint8_t, 8> byCodeSmall{}, byCodeOdd{}, byCodePrime{};
    std::array<std::uint8_t, 32> byCodeRuns{}, byCodeEqual{};
    std::array<std::uint8_t, 1024> byCodeDiffs{};             // 21 by the set of differences
    std::array<std::uint8_t, 1024> byDigitsPresent{};         // 19, 22, 23, 24 by the set of digits
    std::array<std::array<std::uint8_t, 10>, 7> byPosition{}; // 25..31 by code position
    std::array<std::uint8_t, 2> byParity{};                   // 12 by c mod 2
};

// Offsets of the counts in SelectionPlan::packed.
namespace packed_field {
constexpr int kSum = 0;    // 8 bits: condition 4
constexpr int kNamed3 = 8; // 8 bits: condition 3
constexpr int kPairs = 16; // five pairs of 3-bit counts: 6/7, 2/10, 11/32, 33/34, 38/39
constexpr int kHot = 46;   // 3 bits: condition 40
} // namespace packed_field

SelectionPlan makeSelectionPlan(const SelectionInputs& in);

// How many boxes of a digit table (previousDigits, named23, named24) name a digit of the set
// `present` (bit v for digit v): the quantity of conditions 19, 23 and 24.
int digitsNamed(const std::array<int, 10>& named, unsigned present);

// The tested conditions that one candidate fails, by the rules the walk's tables encode.
std::bitset<41> failedConditions(const SelectionPlan& plan, const RedCombo& red, int code);

// Whether one candidate is kept: no non-tolerant condition fails and the failures of the
// others lie within the tolerance bounds.
bool candidateKept(const SelectionPlan& plan, const RedCombo& red, int code);

} // namespace ssq
