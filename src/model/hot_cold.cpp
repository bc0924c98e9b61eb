#include "model/hot_cold.h"

#include <algorithm>
#include <cstdint>

namespace ssq {

namespace {

bool holds(std::uint64_t mask, int n) {
    return (mask >> n) & 1U;
}

} // namespace

HotColdClass hotColdClass(int hv) {
    if (hv < -15)
        return HotColdClass::Cold;
    if (hv > 9)
        return HotColdClass::Hot;
    return HotColdClass::Warm;
}

HotColdStats hotColdStats(const std::vector<RedCombo>& history, int window) {
    HotColdStats s;
    const int n = static_cast<int>(history.size());
    const int recentFrom = std::max(0, n - kRecentDraws);
    const int windowFrom = n - std::clamp(window, 0, n);
    std::uint64_t seen = 0; // numbers already met scanning back from the newest draw
    s.omission.fill(n);
    s.omission[0] = 0;

    for (int i = n - 1; i >= 0; --i) {
        const std::uint64_t mask = redMask(history[i]);
        const int back = n - 1 - i; // draws newer than this one
        for (int j = 1; j <= kRedMax; ++j) {
            if (!holds(mask, j))
                continue;
            ++s.total[j];
            if (i >= recentFrom)
                ++s.recent[j];
            if (i >= windowFrom)
                ++s.window[j];
            if (!holds(seen, j))
                s.omission[j] = back;
        }
        seen |= mask;
    }

    const int expected = static_cast<int>(6LL * n / 33); // expected appearances, floored
    for (int j = 1; j <= kRedMax; ++j)
        s.hv[j] = s.total[j] - expected + 2 * s.recent[j] - 3 * s.omission[j];
    return s;
}

HotColdValues hotColdValues(const std::vector<RedCombo>& history) {
    if (static_cast<int>(history.size()) < kHotColdMinDraws)
        return {};
    return hotColdStats(history).hv;
}

HotColdCounts hotColdCounts(const RedCombo& red, const HotColdValues& hv) {
    HotColdCounts c;
    for (int r : red) {
        const int v = r >= 1 && r <= kRedMax ? hv[r] : 0;
        c.sum += v;
        switch (hotColdClass(v)) {
        case HotColdClass::Cold:
            ++c.cold;
            break;
        case HotColdClass::Warm:
            ++c.warm;
            break;
        case HotColdClass::Hot:
            ++c.hot;
            break;
        }
    }
    return c;
}

} // namespace ssq
