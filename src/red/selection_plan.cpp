#include "red/selection_plan.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace ssq {

namespace {

// Bounds of the hot/cold sum, far beyond any sum of six 32-bit values.
constexpr std::int64_t kHotBoundLimit = std::int64_t{1} << 50;

bool isRedCondition(int k) {
    return k <= 11 || k >= 32;
}

// The whole number a box value stands for when it is one in [low, high].
bool wholeIn(float value, int low, int high, int* whole) {
    if (!(value >= static_cast<float>(low) && value <= static_cast<float>(high)))
        return false;
    if (std::floor(value) != value)
        return false;
    *whole = static_cast<int>(value);
    return true;
}

std::int64_t wholeBound(double value, bool lower) {
    const double rounded = lower ? std::ceil(value) : std::floor(value);
    return static_cast<std::int64_t>(std::clamp(rounded, -static_cast<double>(kHotBoundLimit),
                                                static_cast<double>(kHotBoundLimit)));
}

std::uint8_t capped(int weight) {
    return static_cast<std::uint8_t>(std::min(weight, SelectionPlan::kDrop));
}

std::uint64_t memberMask(const RedCombo& red) {
    std::uint64_t mask = 0;
    for (int n : red)
        mask |= std::uint64_t{1} << n;
    return mask;
}

unsigned digitMask(const CodeDigits& digits) {
    unsigned mask = 0;
    for (int v : digits.d)
        mask |= 1U << v;
    return mask;
}

// A whole-number list box of condition k, every one of its boxes in turn.
template <typename F> void forListBoxes(int condition, F f) {
    const panel::ConditionBoxes& boxes = panel::boxesOf(condition);
    for (int b = boxes.listFirst; b <= boxes.listLast(); ++b)
        f(b);
}

void fillInputTables(const SelectionInputs& in, SelectionPlan& p) {
    // The range conditions: the quantity must lie within [Text1 min, Text1 max]. The hot/cold
    // sum of condition 37 has bounds far beyond a byte and is tested on its own.
    for (int k = 1; k <= kConditionCount; ++k) {
        const panel::ConditionBoxes& boxes = panel::boxesOf(k);
        if (!boxes.hasBounds() || k == panel::kHotColdSumCondition)
            continue;
        const double high = in.t[boxes.max];
        const double low = in.t[boxes.min()];
        for (int q = 0; q < 256; ++q)
            p.failsAt[k][q] = !(low <= q && q <= high);
    }
    p.failsAt[12][0] = in.option1; // "单" and an even code
    p.failsAt[12][1] = in.option2; // "双" and an odd code
    const auto markDigits = [&](int k) {
        forListBoxes(k, [&](int b) {
            for (int q = 0; q <= 9; ++q)
                if (in.given[b] && in.t[b] == static_cast<float>(q))
                    p.failsAt[k][q] = true;
        });
    };
    markDigits(14);
    for (int k = panel::kFirstPositionCondition; k <= panel::kLastPositionCondition; ++k)
        markDigits(k);

    for (int n = 1; n <= kRedMax; ++n) {
        const float value = static_cast<float>(n);
        forListBoxes(2, [&](int b) { p.named2[n] += in.t[b] > 0 && in.t[b] == value; });
        forListBoxes(3, [&](int b) { p.named3[n] += in.t[b] > 0 && in.t[b] == value; });
        for (int j = 1; j <= 6; ++j) {
            p.repeats[n] += in.t[j] == value;
            if (std::abs(n - static_cast<double>(in.t[j])) == 1)
                p.adjacent[n] = 1;
        }
    }
    int whole = 0;
    forListBoxes(1, [&](int b) {
        if (in.t[b] > 0)
            p.required |= std::uint64_t{1} << (wholeIn(in.t[b], 1, kRedMax, &whole) ? whole : 0);
    });
    forListBoxes(36, [&](int b) {
        if (in.t[b] > 0 && wholeIn(in.t[b], 1, kRedMax, &whole))
            p.excluded |= std::uint64_t{1} << whole;
    });
    const panel::ConditionBoxes& hotSum = panel::boxesOf(panel::kHotColdSumCondition);
    p.hotMin = wholeBound(in.t[hotSum.min()], true);
    p.hotMax = wholeBound(in.t[hotSum.max], false);

    for (int v = 0; v <= 9; ++v) {
        const float value = static_cast<float>(v);
        for (int b = 9; b <= 15; ++b)
            p.previousDigits[v] += in.t[b] == value;
        forListBoxes(23, [&](int b) { p.named23[v] += in.given[b] && in.t[b] == value; });
        forListBoxes(24, [&](int b) { p.named24[v] += in.given[b] && in.t[b] == value; });
    }
    forListBoxes(22, [&](int b) {
        if (in.given[b])
            p.requiredDigits |= 1U << (wholeIn(in.t[b], 0, 9, &whole) ? whole : 10);
    });
}

void fillKeepTable(const SelectionInputs& in, SelectionPlan& p) {
    const double high = in.t[panel::kToleranceMax];
    const double low = in.t[panel::kToleranceMin];
    for (int total = 0; total < SelectionPlan::kDrop; ++total) {
        p.keep[total] = low <= total && total <= high;
        if (p.keep[total])
            p.highestKept = total;
    }
}

void fillRedTables(SelectionPlan& p) {
    const auto& w = p.weight;
    const auto fail = [&](int k, int q) { return p.failsAt[k][q] ? int{w[k]} : 0; };
    constexpr int pairs[5][2] = {{6, 7}, {2, 10}, {11, 32}, {33, 34}, {38, 39}};
    for (int x = 0; x < 256; ++x) {
        p.bySum[x] = capped(fail(4, x));
        p.byNamed3[x] = capped(fail(3, x));
    }
    for (int i = 0; i < 5; ++i)
        for (int x = 0; x < 64; ++x)
            p.byPair[i][x] = capped(fail(pairs[i][0], x & 7) + fail(pairs[i][1], x >> 3));
    for (int x = 0; x < 8; ++x) {
        p.byHot[x] = capped(fail(40, x));
        p.byRuns[x] = capped(fail(9, x));
    }
    for (int x = 0; x < 64; ++x) {
        p.byAc[x] = capped(fail(5, x));
        p.bySpan[x] = capped(fail(35, x));
    }
    for (unsigned tails = 0; tails < 1024; ++tails) {
        const int distinct = std::popcount(tails);
        p.byTails[tails] = distinct <= 6 ? capped(fail(8, 6 - distinct)) : 0;
    }
    p.requiredWeight = w[1];
    p.excludedWeight = w[36];
    p.hotWeight = w[37];
    if (!w[1])
        p.required = 0;
    if (!w[36])
        p.excluded = 0;
}

void fillPackedCounts(const HotColdValues& hv, SelectionPlan& p) {
    using namespace packed_field;
    for (int n = 1; n <= kRedMax; ++n) {
        const HotColdClass cls = hotColdClass(hv[n]);
        const int counts[10] = {n < 18,
                                n % 2,
                                p.named2[n],
                                p.repeats[n],
                                p.adjacent[n],
                                n <= 11,
                                n >= 12 && n <= 22,
                                n >= 23,
                                cls == HotColdClass::Cold,
                                cls == HotColdClass::Warm};
        std::uint64_t v = std::uint64_t(n) << kSum | std::uint64_t(p.named3[n]) << kNamed3;
        for (int i = 0; i < 10; ++i)
            v |= std::uint64_t(counts[i]) << (kPairs + 3 * i);
        v |= std::uint64_t(cls == HotColdClass::Hot) << kHot;
        p.packed[n] = v;
    }
}

void fillCodeTables(SelectionPlan& p) {
    const auto& w = p.weight;
    const auto fail = [&](int k, int q) { return p.failsAt[k][q] ? int{w[k]} : 0; };
    for (int s = 0; s < 64; ++s)
        p.byDigitSum[s] = capped(fail(13, s) + fail(14, s % 10));
    for (int x = 0; x < 8; ++x) {
        p.byCodeSmall[x] = capped(fail(15, x));
        p.byCodeOdd[x] = capped(fail(16, x));
        p.byCodePrime[x] = capped(fail(17, x));
    }
    for (int x = 0; x < 32; ++x) {
        p.byCodeRuns[x] = capped(fail(18, x));
        p.byCodeEqual[x] = capped(fail(20, x));
    }
    for (unsigned mask = 0; mask < 1024; ++mask) {
        p.byCodeDiffs[mask] = capped(fail(21, std::popcount(mask)));
        int weight = fail(19, digitsNamed(p.previousDigits, mask)) +
                     fail(23, digitsNamed(p.named23, mask)) +
                     fail(24, digitsNamed(p.named24, mask));
        if (p.requiredDigits & ~mask)
            weight += w[22];
        p.byDigitsPresent[mask] = capped(weight);
    }
    for (int position = 0; position < 7; ++position)
        for (int digit = 0; digit <= 9; ++digit)
            p.byPosition[position][digit] = capped(fail(31 - position, digit));
    p.byParity[0] = capped(fail(12, 0));
    p.byParity[1] = capped(fail(12, 1));
}

} // namespace

int digitsNamed(const std::array<int, 10>& named, unsigned present) {
    int count = 0;
    for (int v = 0; v <= 9; ++v)
        if (present & (1U << v))
            count += named[v];
    return count;
}

SelectionPlan makeSelectionPlan(const SelectionInputs& in) {
    SelectionPlan p;
    for (int k = 1; k <= kConditionCount; ++k) {
        if (!conditionTested(in, k))
            continue;
        p.weight[k] = in.marker[k] >= 1 ? SelectionPlan::kDrop : 1;
        (isRedCondition(k) ? p.anyRed : p.anyCode) = true;
    }
    fillInputTables(in, p);
    fillKeepTable(in, p);
    fillRedTables(p);
    p.hotCold = in.hotCold;
    fillPackedCounts(in.hotCold, p);
    fillCodeTables(p);
    if (!p.weight[37]) {
        p.hotMin = -kHotBoundLimit;
        p.hotMax = kHotBoundLimit;
    }
    return p;
}

std::bitset<41> failedConditions(const SelectionPlan& p, const RedCombo& red, int code) {
    const CodeDigits digits = codeDigits(code);
    const auto& d = digits.d;
    const std::uint64_t members = memberMask(red);
    const unsigned present = digitMask(digits);
    const HotColdCounts hot = hotColdCounts(red, p.hotCold);
    std::int64_t hotSum = 0;
    for (int n : red)
        hotSum += p.hotCold[n];

    std::array<int, 41> q{};
    for (int n : red) {
        q[2] += p.named2[n];
        q[3] += p.named3[n];
        q[4] += n;
        q[6] += n < 18;
        q[7] += n % 2;
        q[10] += p.repeats[n];
        q[11] += p.adjacent[n];
        q[32] += n <= 11;
        q[33] += n >= 12 && n <= 22;
        q[34] += n >= 23;
    }
    q[5] = redAcValue(red);
    q[8] = sameTailCount(red);
    q[9] = consecutiveCount(red);
    q[12] = code % 2;
    for (int v : d)
        q[13] += v;
    q[14] = q[13] % 10;
    q[15] = codeSmallCount(digits);
    q[16] = codeOddCount(digits);
    q[17] = codePrimeCount(digits);
    q[18] = codeConsecutivePairs(digits);
    q[19] = digitsNamed(p.previousDigits, present);
    q[20] = codeEqualPairs(digits);
    q[21] = codeAcValue(digits);
    q[23] = digitsNamed(p.named23, present);
    q[24] = digitsNamed(p.named24, present);
    for (int k = 25; k <= 31; ++k)
        q[k] = d[31 - k];
    q[35] = red[5] - red[0];
    q[38] = hot.cold;
    q[39] = hot.warm;
    q[40] = hot.hot;

    std::bitset<41> failed;
    for (int k = 1; k <= kConditionCount; ++k) {
        if (!p.weight[k])
            continue;
        switch (k) {
        case 1:
            failed[k] = (p.required & ~members) != 0;
            break;
        case 22:
            failed[k] = (p.requiredDigits & ~present) != 0;
            break;
        case 36:
            failed[k] = (p.excluded & members) != 0;
            break;
        case 37:
            failed[k] = hotSum < p.hotMin || hotSum > p.hotMax;
            break;
        default:
            failed[k] = p.failsAt[k][q[k]];
            break;
        }
    }
    return failed;
}

bool candidateKept(const SelectionPlan& p, const RedCombo& red, int code) {
    const std::bitset<41> failed = failedConditions(p, red, code);
    int total = 0;
    for (int k = 1; k <= kConditionCount; ++k)
        if (failed[k])
            total += p.weight[k];
    return p.keep[static_cast<std::size_t>(total)];
}

} // namespace ssq
