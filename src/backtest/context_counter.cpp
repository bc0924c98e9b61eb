#include "backtest/context_counter.h"

#include "red/selection_engine.h"
#include "red/selection_plan.h"

namespace ssq {

namespace {

constexpr int kCheckEvery = 65536;
// Where a candidate's hot/cold sum sits in its packed counts: six values below kHotOffset in
// size, each raised by it, add up to less than 2^23.
constexpr int kHotShift = 40;
constexpr std::int64_t kHotOffset = std::int64_t{1} << 19;

// Per red number, its contributions to conditions 10, 11, 38, 39 and 40, one byte each.
std::uint64_t contextCounts(const SelectionPlan& p, int n) {
    const HotColdClass cls = hotColdClass(p.hotCold[n]);
    return std::uint64_t(p.repeats[n]) | std::uint64_t(p.adjacent[n]) << 8 |
           std::uint64_t(cls == HotColdClass::Cold) << 16 |
           std::uint64_t(cls == HotColdClass::Warm) << 24 |
           std::uint64_t(cls == HotColdClass::Hot) << 32;
}

} // namespace

ContextCounter::ContextCounter(const SelectionInputs& inputs) {
    SelectionInputs contextFree = inputs;
    for (int k : kContextConditions)
        contextFree.check[k] = false;
    const SelectionEngine engine(contextFree);
    m_highest = engine.plan().highestKept;
    if (m_highest < 0)
        return;
    const std::vector<std::uint8_t> totals = engine.candidateTotals();
    int c = 0;
    for (int a1 = 1; a1 <= 28; ++a1)
        for (int a2 = a1 + 1; a2 <= 29; ++a2)
            for (int a3 = a2 + 1; a3 <= 30; ++a3)
                for (int a4 = a3 + 1; a4 <= 31; ++a4)
                    for (int a5 = a4 + 1; a5 <= 32; ++a5)
                        for (int a6 = a5 + 1; a6 <= 33; ++a6) {
                            ++c;
                            if (totals[c] > m_highest)
                                continue;
                            unsigned digits = 0;
                            for (int d : codeDigits(c).d)
                                digits |= 1U << d;
                            m_candidates.push_back(
                                {{std::uint8_t(a1), std::uint8_t(a2), std::uint8_t(a3),
                                  std::uint8_t(a4), std::uint8_t(a5), std::uint8_t(a6)},
                                 totals[c],
                                 std::uint16_t(digits)});
                        }
}

std::optional<int> ContextCounter::count(const SelectionInputs& context,
                                         const std::atomic_bool* cancel) const {
    if (m_highest < 0)
        return 0;
    const SelectionPlan p = makeSelectionPlan(context);
    const auto& w = p.weight;
    // The weight each context condition adds at each value of its quantity.
    const auto table = [&](int k, int q) { return p.failsAt[k][q] ? unsigned{w[k]} : 0U; };
    std::array<unsigned, 64> repeats{}, adjacent{};
    std::array<unsigned, 8> cold{}, warm{}, hot{};
    for (int q = 0; q < 64; ++q) {
        repeats[q] = table(10, q);
        adjacent[q] = table(11, q);
    }
    for (int q = 0; q < 8; ++q) {
        cold[q] = table(38, q);
        warm[q] = table(39, q);
        hot[q] = table(40, q);
    }
    std::array<unsigned, 1024> byDigits{};
    for (unsigned mask = 0; mask < 1024; ++mask)
        byDigits[mask] = table(19, digitsNamed(p.previousDigits, mask));
    // The hot/cold values usually fit beside the counts, which saves a second sum per
    // candidate; any value a table may hold is still counted, on the slower path.
    bool packed = true;
    for (int n = 1; n <= kRedMax; ++n)
        packed = packed && p.hotCold[n] > -kHotOffset && p.hotCold[n] < kHotOffset;
    std::array<std::uint64_t, 34> counts{};
    for (int n = 1; n <= kRedMax; ++n)
        counts[n] = contextCounts(p, n) |
                    (packed ? std::uint64_t(p.hotCold[n] + kHotOffset) << kHotShift : 0);

    const auto walk = [&]<bool kPacked>() -> std::optional<int> {
        long long kept = 0;
        const std::size_t size = m_candidates.size();
        for (std::size_t i = 0; i < size; ++i) {
            if (i % kCheckEvery == 0 && cancel && cancel->load(std::memory_order_relaxed))
                return std::nullopt;
            const Candidate& cand = m_candidates[i];
            std::uint64_t sum = 0;
            std::int64_t hotSum = 0;
            for (std::uint8_t n : cand.red) {
                sum += counts[n];
                if constexpr (!kPacked)
                    hotSum += p.hotCold[n];
            }
            if constexpr (kPacked)
                hotSum = std::int64_t(sum >> kHotShift) - 6 * kHotOffset;
            unsigned total = cand.total + repeats[sum & 63] + adjacent[(sum >> 8) & 63] +
                             cold[(sum >> 16) & 7] + warm[(sum >> 24) & 7] + hot[(sum >> 32) & 7] +
                             byDigits[cand.digits];
            total += (hotSum < p.hotMin || hotSum > p.hotMax) ? unsigned{w[37]} : 0U;
            kept += p.keep[total];
        }
        return static_cast<int>(kept);
    };
    return packed ? walk.template operator()<true>() : walk.template operator()<false>();
}

} // namespace ssq
