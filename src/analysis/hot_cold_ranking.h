#pragma once
// The characteristics window's ranking of the 33 red numbers by hot/cold value: the 9 coldest,
// the 15 warm ones and the 9 hottest. This is a display order, not the threshold classes of
// hotColdClass().

#include "model/hot_cold.h"

#include <QString>

#include <array>

namespace ssq {

// The red numbers in ranking order. Neighbours are exchanged unless the left value is strictly
// smaller, so equal values are exchanged too: with all values equal the order comes out
// reversed (33 first). Players compare these lists with earlier ones, so the tie order is kept.
std::array<int, kRedMax> hotColdRankingOrder(const HotColdValues& hv);

struct HotColdRanking {
    QString cold; // ranks 1..9
    QString warm; // ranks 10..24
    QString hot;  // ranks 25..33
};

// The three lists as the window shows them: numbers joined by three blanks.
HotColdRanking hotColdRanking(const HotColdValues& hv);

} // namespace ssq
