#pragma once
// Hot/cold value of each red number over a draw history:
// HV(n) = total(n) - floor(6N/33) + 2*recent(n) - 3*omission(n).

#include "model/red_code.h"

#include <array>
#include <vector>

namespace ssq {

// Index 0 unused; 1..33 hold the values.
using HotColdValues = std::array<int, kRedMax + 1>;

constexpr int kHotColdMinDraws = 22;
constexpr int kRecentDraws = 22;

enum class HotColdClass { Cold, Warm, Hot };

// Cold below -15, warm from -15 to 9 inclusive, hot above 9.
HotColdClass hotColdClass(int hv);

// Per-number statistics over `history` (oldest first); index 0 unused.
struct HotColdStats {
    std::array<int, kRedMax + 1> total{};    // appearances in all draws
    std::array<int, kRedMax + 1> recent{};   // appearances in the last 22 draws
    std::array<int, kRedMax + 1> omission{}; // draws since last seen; N when never
    std::array<int, kRedMax + 1> window{};   // appearances in the last `window` draws
    HotColdValues hv{};
};

// Any number of draws is accepted; callers apply the 22-draw minimum (with fewer, `recent`
// counts every draw). `window` is clamped to 0..history length.
HotColdStats hotColdStats(const std::vector<RedCombo>& history, int window = 0);

// Just the values; all zero when the history has fewer than 22 draws.
HotColdValues hotColdValues(const std::vector<RedCombo>& history);

// The hot/cold indicators of a combination: the sum of its six values and how many of its
// numbers fall in each class.
struct HotColdCounts {
    int sum = 0;
    int cold = 0;
    int warm = 0;
    int hot = 0;
};

HotColdCounts hotColdCounts(const RedCombo& red, const HotColdValues& hv);

} // namespace ssq
