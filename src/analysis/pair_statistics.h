#pragma once
// How often pairs of red numbers were drawn together: all 528 pairs (a < b, in lexicographic
// order) or the 32 neighbour pairs (k, k + 1).

#include "model/red_code.h"

#include <QString>

#include <vector>

namespace ssq {

enum class PairList { AllPairs, Neighbours };

struct PairStatistic {
    int first = 0;
    int second = 0;
    int expected = 0; // floor(0.0284 n), the same for every pair
    int total = 0;    // draws holding both numbers
    int omission = 0; // draws since the pair last came together; n when it never did
    QString ratio;    // the omission times 2.8 as a percentage text
};

// The pairs of the list, in list order, over `history` (oldest first).
std::vector<PairStatistic> pairStatistics(const std::vector<RedCombo>& history, PairList list);

// floor(0.0284 n): 0.0284 is about the chance 15/528 that a given pair is drawn together.
int expectedPairCount(int draws);

// "8.4%" for an omission of 3, "28%" for 10, "0%" for 0: at most 15 significant digits,
// no trailing zeros.
QString omissionRatioText(int omission);

} // namespace ssq
