#include "red/code_condition_totals.h"

#include <algorithm>
#include <cstdlib>

namespace ssq {

namespace {

// A code splits into a high part (百万..千位, code / 1000) and a low part (百位..个位, code
// mod 1000). Every code quantity is a sum, or a union of sets, of what each part holds alone
// and of what the pairs across the parts add.
struct Part {
    int sum = 0;
    int small = 0;
    int odd = 0;
    int prime = 0;
    int runs = 0;  // pairs inside the part differing by 1
    int equal = 0; // equal pairs inside the part
    unsigned diffs = 0;
    unsigned present = 0;
    int positions = 0; // weights of 25..31 for the digits of this part (and 12 for the low part)
};

bool isPrime(int digit) {
    return digit == 2 || digit == 3 || digit == 5 || digit == 7;
}

template <std::size_t N> Part describe(const std::array<int, N>& digits) {
    Part part;
    for (std::size_t i = 0; i < N; ++i) {
        const int x = digits[i];
        part.sum += x;
        part.small += x < 5;
        part.odd += x % 2;
        part.prime += isPrime(x);
        part.present |= 1U << x;
        for (std::size_t j = i + 1; j < N; ++j) {
            const int gap = std::abs(x - digits[j]);
            part.runs += gap == 1;
            part.equal += gap == 0;
            part.diffs |= 1U << gap;
        }
    }
    return part;
}

} // namespace

std::vector<std::uint8_t> codeConditionTotals(const SelectionPlan& p) {
    std::vector<std::uint8_t> totals(kComboCount + 1, 0);
    const auto& w = p.weight;
    // Tables of conditions that are not tested hold only zeros: skip them.
    const struct {
        bool digitSum, digitCounts, runs, equal, diffs, present;
    } used{w[13] || w[14], w[15] || w[16] || w[17],         w[18] != 0, w[20] != 0,
           w[21] != 0,     w[19] || w[22] || w[23] || w[24]};

    std::array<Part, 1000> low;
    std::array<std::array<int, 3>, 1000> lowDigits;
    for (int lo = 0; lo < 1000; ++lo) {
        const std::array<int, 3> y{lo / 100, lo / 10 % 10, lo % 10};
        lowDigits[lo] = y;
        low[lo] = describe(y);
        low[lo].positions = p.byParity[y[2] % 2] + p.byPosition[4][y[0]] + p.byPosition[5][y[1]] +
                            p.byPosition[6][y[2]];
    }

    const int lastHigh = kComboCount / 1000;
    for (int hi = 0; hi <= lastHigh; ++hi) {
        const std::array<int, 4> x{hi / 1000, hi / 100 % 10, hi / 10 % 10, hi % 10};
        Part high = describe(x);
        high.small -= x[0] == 1; // 百万 is small only when it is 0
        int positions = 0;
        for (int i = 0; i < 4; ++i)
            positions += p.byPosition[i][x[i]];
        // What one low digit v adds across the parts.
        std::array<int, 10> crossRuns{}, crossEqual{};
        std::array<unsigned, 10> crossDiffs{};
        for (int v = 0; v <= 9; ++v)
            for (int xi : x) {
                const int gap = std::abs(xi - v);
                crossRuns[v] += gap == 1;
                crossEqual[v] += gap == 0;
                crossDiffs[v] |= 1U << gap;
            }

        const int first = std::max(hi * 1000, 1);
        const int last = std::min(hi * 1000 + 999, kComboCount);
        for (int c = first; c <= last; ++c) {
            const int lo = c - hi * 1000;
            const Part& l = low[lo];
            const auto& y = lowDigits[lo];
            int total = positions + l.positions;
            if (used.digitSum)
                total += p.byDigitSum[high.sum + l.sum];
            if (used.digitCounts)
                total += p.byCodeSmall[high.small + l.small] + p.byCodeOdd[high.odd + l.odd] +
                         p.byCodePrime[high.prime + l.prime];
            if (used.runs)
                total += p.byCodeRuns[high.runs + l.runs + crossRuns[y[0]] + crossRuns[y[1]] +
                                      crossRuns[y[2]]];
            if (used.equal)
                total += p.byCodeEqual[high.equal + l.equal + crossEqual[y[0]] + crossEqual[y[1]] +
                                       crossEqual[y[2]]];
            if (used.diffs)
                total += p.byCodeDiffs[high.diffs | l.diffs | crossDiffs[y[0]] | crossDiffs[y[1]] |
                                       crossDiffs[y[2]]];
            if (used.present)
                total += p.byDigitsPresent[high.present | l.present];
            totals[c] = static_cast<std::uint8_t>(std::min(total, SelectionPlan::kDrop));
        }
    }
    return totals;
}

} // namespace ssq
