#pragma once
// The game's pick and draw: seven picked reds and a blue against six drawn reds and a blue.
// Distinct reds come from drawing a red again as long as it equals one drawn before it.

#include "game/random_source.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace ssq {

// A "7复式" pick: seven reds 1..33 and a blue 1..16.
struct GamePick {
    std::array<int, 7> reds{};
    int blue = 0;
};

// Six reds in draw order and the blue.
struct GameDraw {
    std::array<int, 6> reds{};
    int blue = 0;
};

// Which drawn reds are in the pick (in draw order), how many, and whether the blue was hit.
struct DrawHits {
    std::array<bool, 6> matched{};
    int reds = 0;
    bool blue = false;
};

GameDraw makeDraw(RandomSource& source);
GamePick randomPick(RandomSource& source);
DrawHits hitsOf(const GameDraw& draw, const GamePick& pick);

// counts[R][H]: draws with R picked reds hit and the blue missed (H = 0) or hit (H = 1).
using DrawCounts = std::array<std::array<std::int64_t, 2>, 7>;
DrawCounts countDraws(RandomSource& source, const GamePick& pick, std::int64_t draws);

// The second game's target: exactly `reds` reds hit, and the blue hit (1) or missed (0).
struct RepeatTarget {
    int reds = 0;
    int blue = 0;
};

struct RepeatOutcome {
    std::int64_t draws = 0;
    GameDraw last;    // the draw that met the target, or the last one made
    bool met = false; // false when cancelled or when the target can never be met
};

// True when some draw can hit the pick exactly as the target asks: seven distinct reds in
// 1..33, a blue in 1..16, a red target 0..6 and a blue target 0..1.
bool isReachable(const GamePick& pick, RepeatTarget target);

// Draws until a draw meets the target. `cancel` is read and `progress` written every few
// thousand draws, so another thread can stop the loop and show the count. An unreachable
// target returns at once with no draw made.
RepeatOutcome repeatUntil(RandomSource& source, const GamePick& pick, RepeatTarget target,
                          const std::atomic<bool>* cancel = nullptr,
                          std::atomic<std::int64_t>* progress = nullptr);

} // namespace ssq
