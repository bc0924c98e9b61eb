#pragma once
// The welcome window's scrolling credit: its left edge, in twips, moves right a step every tick
// until it reaches the wrap position, then starts again at the left.

namespace ssq {

inline constexpr int kCreditStepTwips = 50;
inline constexpr int kCreditWrapTwips = 10000;
inline constexpr int kCreditRestartTwips = 1;

struct CreditStep {
    int left = 0;
    bool moved = false; // only a moving tick updates the caption clock
};

CreditStep nextCreditStep(int leftTwips);

} // namespace ssq
