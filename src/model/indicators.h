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

// Individual quantities shared with the selection engine, the check and the AC query.
int redAcValue(const RedCombo& red);          // distinct positive differences, 5..15
int sameTailCount(const RedCombo& red);       // 6 minus the number of distinct last digits
int consecutiveCount(const RedCombo& red);    // neighbours differing by 1
int repeatCount(const RedCombo& red, const RedCombo& previous);
int adjacentCount(const RedCombo& red, const RedCombo& previous);
int codeSmallCount(const CodeDigits& c);
int codeOddCount(const CodeDigits& c);
int codePrimeCount(const CodeDigits& c);
int codeConsecutivePairs(const CodeDigits& c);
int codeRepeatCount(const CodeDigits& c, const CodeDigits& previous);
int codeEqualPairs(const CodeDigits& c);
int codeAcValue(const CodeDigits& c);         // distinct absolute differences, 0 included

// Chart titles of indicators 1..41 (empty for 27..32, which are not charted).
const char* indicatorLabel(int index);

} // namespace ssq
