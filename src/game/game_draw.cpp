#include "game/game_draw.h"

#include "game/fast_random.h"
#include "model/red_code.h"

#include <bit>

namespace ssq {

namespace {

// `count` distinct reds in draw order into `order`; returns them as a bit mask (bit r for red r).
// Templated so the loops below inline FastRandom and reach tens of millions of draws a second.
template <class Source> std::uint64_t drawReds(Source& source, int* order, int count) {
    std::uint64_t mask = 0;
    for (int i = 0; i < count; ++i) {
        int red = source.uniform(kRedMax);
        while ((mask >> red) & 1u)
            red = source.uniform(kRedMax);
        mask |= std::uint64_t{1} << red;
        order[i] = red;
    }
    return mask;
}

std::uint64_t maskOf(const GamePick& pick) {
    std::uint64_t mask = 0;
    for (int red : pick.reds)
        if (red >= 1 && red <= kRedMax)
            mask |= std::uint64_t{1} << red;
    return mask;
}

template <class Source>
DrawCounts countWith(Source& source, const GamePick& pick, std::int64_t draws) {
    const std::uint64_t picked = maskOf(pick);
    DrawCounts counts{};
    int order[6];
    for (std::int64_t i = 0; i < draws; ++i) {
        const std::uint64_t mask = drawReds(source, order, 6);
        const int blue = source.uniform(kBlueMax);
        ++counts[std::popcount(mask & picked)][blue == pick.blue ? 1 : 0];
    }
    return counts;
}

constexpr std::int64_t kProgressEvery = 1 << 16;

template <class Source>
RepeatOutcome repeatWith(Source& source, const GamePick& pick, RepeatTarget target,
                         const std::atomic<bool>* cancel, std::atomic<std::int64_t>* progress) {
    const std::uint64_t picked = maskOf(pick);
    const bool wantBlue = target.blue == 1;
    RepeatOutcome outcome;
    for (;;) {
        ++outcome.draws;
        const std::uint64_t mask = drawReds(source, outcome.last.reds.data(), 6);
        outcome.last.blue = source.uniform(kBlueMax);
        if (std::popcount(mask & picked) == target.reds &&
            (outcome.last.blue == pick.blue) == wantBlue) {
            outcome.met = true;
            break;
        }
        if (outcome.draws % kProgressEvery == 0) {
            if (progress)
                progress->store(outcome.draws, std::memory_order_relaxed);
            if (cancel && cancel->load(std::memory_order_relaxed))
                break;
        }
    }
    if (progress)
        progress->store(outcome.draws, std::memory_order_relaxed);
    return outcome;
}

} // namespace

GameDraw makeDraw(RandomSource& source) {
    GameDraw draw;
    drawReds(source, draw.reds.data(), 6);
    draw.blue = source.uniform(kBlueMax);
    return draw;
}

GamePick randomPick(RandomSource& source) {
    GamePick pick;
    drawReds(source, pick.reds.data(), 7);
    pick.blue = source.uniform(kBlueMax);
    return pick;
}

DrawHits hitsOf(const GameDraw& draw, const GamePick& pick) {
    DrawHits hits;
    for (int i = 0; i < 6; ++i) {
        for (int red : pick.reds)
            if (draw.reds[i] == red)
                hits.matched[i] = true;
        hits.reds += hits.matched[i] ? 1 : 0;
    }
    hits.blue = draw.blue == pick.blue;
    return hits;
}

DrawCounts countDraws(RandomSource& source, const GamePick& pick, std::int64_t draws) {
    if (auto* fast = dynamic_cast<FastRandom*>(&source))
        return countWith(*fast, pick, draws);
    return countWith(source, pick, draws);
}

bool isReachable(const GamePick& pick, RepeatTarget target) {
    const std::uint64_t picked = maskOf(pick);
    return std::popcount(picked) == 7 && pick.blue >= 1 && pick.blue <= kBlueMax &&
           target.reds >= 0 && target.reds <= 6 && (target.blue == 0 || target.blue == 1);
}

RepeatOutcome repeatUntil(RandomSource& source, const GamePick& pick, RepeatTarget target,
                          const std::atomic<bool>* cancel, std::atomic<std::int64_t>* progress) {
    if (!isReachable(pick, target))
        return {};
    if (auto* fast = dynamic_cast<FastRandom*>(&source))
        return repeatWith(*fast, pick, target, cancel, progress);
    return repeatWith(source, pick, target, cancel, progress);
}

} // namespace ssq
