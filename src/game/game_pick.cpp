#include "game/game_pick.h"

#include "model/red_code.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

bool isWholeIn(double value, int low, int high) {
    return value >= low && value <= high && std::floor(value) == value;
}

// Out-of-range values come first, whatever else is wrong, as the player is told in that order.
PickProblem rangeProblem(const std::array<double, 8>& values) {
    for (int i = 0; i < 7; ++i)
        if (!isWholeIn(values[i], 1, kRedMax))
            return PickProblem::OutOfRange;
    return isWholeIn(values[7], 1, kBlueMax) ? PickProblem::None : PickProblem::OutOfRange;
}

GamePick pickOf(const std::array<double, 8>& values) {
    GamePick pick;
    for (int i = 0; i < 7; ++i)
        pick.reds[i] = static_cast<int>(values[i]);
    pick.blue = static_cast<int>(values[7]);
    return pick;
}

bool hasRepeatedReds(const GamePick& pick) {
    for (int i = 0; i < 7; ++i)
        for (int j = i + 1; j < 7; ++j)
            if (pick.reds[i] == pick.reds[j])
                return true;
    return false;
}

} // namespace

QString pickProblemMessage(PickProblem problem) {
    switch (problem) {
    case PickProblem::None:
        return {};
    case PickProblem::OutOfRange:
        return u"您没选号或者选择的号码超出了范围,请重新选择!!!机选手选均可"_s;
    case PickProblem::RedTargetZero:
        return u"红球数范围为1-6,请不要输入0或空格,蓝球数可以设为空格（默认为0），请重新选择!!!"_s;
    case PickProblem::RepeatedReds:
        return u"7个红球号码中有重复的号码，请选择7个各不相同的红球号码!!!机选手选均可"_s;
    }
    return {};
}

PickCheck checkPick(const std::array<double, 8>& values) {
    PickCheck check;
    check.problem = rangeProblem(values);
    if (check.problem != PickProblem::None)
        return check;
    check.pick = pickOf(values);
    if (hasRepeatedReds(check.pick))
        check.problem = PickProblem::RepeatedReds;
    return check;
}

RepeatCheck checkRepeat(const std::array<double, 8>& values, double redTarget, double blueTarget) {
    RepeatCheck check;
    if (rangeProblem(values) != PickProblem::None || !isWholeIn(redTarget, 0, 6) ||
        !isWholeIn(blueTarget, 0, 1)) {
        check.problem = PickProblem::OutOfRange;
        return check;
    }
    if (redTarget == 0) {
        check.problem = PickProblem::RedTargetZero;
        return check;
    }
    check.pick = pickOf(values);
    check.target = {static_cast<int>(redTarget), static_cast<int>(blueTarget)};
    if (hasRepeatedReds(check.pick))
        check.problem = PickProblem::RepeatedReds;
    return check;
}

} // namespace ssq
