#pragma once
// Reading the game's boxes into a pick and targets, and refusing what cannot be played.

#include "game/game_draw.h"

#include <QString>

#include <array>

namespace ssq {

enum class PickProblem {
    None,
    OutOfRange,    // a red outside 1..33, a blue outside 1..16, a target outside its range
    RedTargetZero, // the second game needs at least one red
    RepeatedReds,  // seven reds that are not all different
};

// The message a player is shown for a problem; empty for None.
QString pickProblemMessage(PickProblem problem);

struct PickCheck {
    GamePick pick;
    PickProblem problem = PickProblem::None;
};

// Text1..Text8 read by the leading-number rule; only whole numbers in range count as picked.
PickCheck checkPick(const std::array<double, 8>& values);

struct RepeatCheck {
    GamePick pick;
    RepeatTarget target;
    PickProblem problem = PickProblem::None;
};

// The second game: the pick, then the red target (1..6) and the blue target (0 or 1; an empty
// box reads 0). Refusals in the order a player is told about them: a value out of range, a red
// target of 0, repeated reds.
RepeatCheck checkRepeat(const std::array<double, 8>& values, double redTarget, double blueTarget);

} // namespace ssq
