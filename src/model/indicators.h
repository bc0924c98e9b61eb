#pragma once
// The 41 indicators of a draw, indexed 1..41 as stored in kjzb columns 3..43.

#include "model/hot_cold.h"
#include "model/red_code.h"

#include <array>

namespace ssq {

constexpr int kIndicatorCount = 41;

// Index 0 is unused; 1..41 hold the indicators.
using Indicators = std::array<int, kIndicatorCount + 1>;

// All 41 indicators of a draw, given the previous draw's red numbers and the hot/cold values
// of the history in force (all zero when fewer than 22 draws precede). Indicators 7, 8 and 16
// are 0 when `previous` is not a valid combination.
Indicators drawIndicators(const RedCombo& red, int blue, const RedCombo& previous,
                          const HotColdValues& hv);

// Only the indicators that need the draw itself (1..6, 9..15, 17..22, 33..41); the others are 0.
Indicators selfIndicators(const RedCombo& red, int blue);

// The blue ball's indicators 33..41, shared by the draw indicators and the blue selection.
struct BlueIndicators {
    int bigSmall = 0;     // 9 for 9..16, 1 for 1..8
    int oddEven = 0;      // 1 odd, 2 even
    int bigDigits = 0;    // code digits 3 or 4
    int oddDigits = 0;    // code digits 1 or 3
    int primeDigits = 0;  // code digits 2 or 3
    int digitSum = 0;     // c1 + c2
    int digitProduct = 0; // c1 * c2
    int digitSpan = 0;    // |c1 - c2|
    int adjacent = 0;     // 1 when the span is 1
};

// Of a blue ball 1..16; for any other ball the digits count as 0 (blueCode gives {0, 0}).
BlueIndicators blueIndicators(int blue);

// Individual quantities shared with the selection engine, the check and the AC query.
int redAcValue(const RedCombo& red);       // distinct positive differences, 5..15
int sameTailCount(const RedCombo& red);    // 6 minus the number of distinct last digits
int consecutiveCount(const RedCombo& red); // neighbours differing by 1
int repeatCount(const RedCombo& red, const RedCombo& previous);
int adjacentCount(const RedCombo& red, const RedCombo& previous);
int codeSmallCount(const CodeDigits& c);
int codeOddCount(const CodeDigits& c);
int codePrimeCount(const CodeDigits& c);
int codeConsecutivePairs(const CodeDigits& c);
int codeRepeatCount(const CodeDigits& c, const CodeDigits& previous);
int codeEqualPairs(const CodeDigits& c);
int codeAcValue(const CodeDigits& c); // distinct absolute differences, 0 included

// Chart titles of indicators 1..41 (empty for 27..32, which are not charted).
const char* indicatorLabel(int index);
// The AC value here counts the distinct differences of the six reds (5..15); most players count
// one less for each of the five neighbours (0..10). Shown wherever an AC value is shown or set.
const char* acScaleNote();

} // namespace ssq
