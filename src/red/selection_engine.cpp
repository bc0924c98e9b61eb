#include "red/selection_engine.h"

#include "red/code_condition_totals.h"
#include "red/selection_plan.h"

#include <algorithm>
#include <array>

namespace ssq {

namespace {

constexpr int kReportEvery = 4096;

// std::popcount becomes a library call on processors the build does not assume to count bits.
inline int bitCount(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555ULL;
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

// What the numbers chosen so far hold, carried from one loop level to the next so the
// innermost loop adds only the last number.
struct Prefix {
    std::uint64_t packed = 0;   // the additive counts of SelectionPlan::packed
    std::uint64_t members = 0;  // bit n for each number n
    std::uint64_t reversed = 0; // bit 40 - n for each number n
    std::uint64_t diffs = 0;    // bit d for each difference d between two numbers
    unsigned tails = 0;         // bit t for each last digit t
    int runs = 0;               // neighbours differing by 1
    int last = -2;              // no number yet, so the first one starts no run
    std::int64_t hot = 0;       // sum of the hot/cold values

    Prefix with(const SelectionPlan& p, int n) const {
        Prefix next;
        next.packed = packed + p.packed[n];
        next.members = members | std::uint64_t{1} << n;
        next.diffs = diffs | reversed >> (40 - n);
        next.reversed = reversed | std::uint64_t{1} << (40 - n);
        next.tails = tails | 1U << (n % 10);
        next.runs = runs + (n == last + 1);
        next.last = n;
        next.hot = hot + p.hotCold[n];
        return next;
    }

    // The summed weights of the red conditions the five-number prefix plus `n` fails.
    unsigned total(const SelectionPlan& p, int first, int n) const {
        using namespace packed_field;
        const std::uint64_t counts = packed + p.packed[n];
        const std::uint64_t all = members | std::uint64_t{1} << n;
        const std::int64_t hotSum = hot + p.hotCold[n];
        unsigned t = p.bySum[counts & 0xFF] + p.byNamed3[(counts >> kNamed3) & 0xFF] +
                     p.byPair[0][(counts >> kPairs) & 63] +
                     p.byPair[1][(counts >> (kPairs + 6)) & 63] +
                     p.byPair[2][(counts >> (kPairs + 12)) & 63] +
                     p.byPair[3][(counts >> (kPairs + 18)) & 63] +
                     p.byPair[4][(counts >> (kPairs + 24)) & 63] + p.byHot[(counts >> kHot) & 7];
        if (p.weight[5]) // the AC value costs the most; skip it when it is not tested
            t += p.byAc[bitCount(diffs | reversed >> (40 - n))];
        t += p.byTails[tails | 1U << (n % 10)];
        t += p.byRuns[runs + (n == last + 1)];
        t += p.bySpan[n - first];
        t += (p.required & ~all) ? p.requiredWeight : 0U;
        t += (p.excluded & all) ? p.excludedWeight : 0U;
        t += (hotSum < p.hotMin || hotSum > p.hotMax) ? p.hotWeight : 0U;
        return t;
    }
};

class Walk {
public:
    Walk(const SelectionPlan& plan, const std::uint8_t* codeTotals,
         const SelectionEngine::Progress& progress, const std::atomic_bool* cancel)
        : m_plan(plan), m_codeTotals(codeTotals), m_progress(progress), m_cancel(cancel) {}

    // What a walk gives: the kept codes, only their number, or each candidate's total.
    enum class Output { Codes, Count, Totals };

    // Codes: appends the kept codes to `kept`. Count: sets `count` to their number. Totals:
    // writes each candidate's total, capped at kDrop, to totals[code]; a candidate whose code
    // conditions already rule it out gets kDrop. False when cancelled.
    template <bool kRed, bool kCode, Output kOut = Output::Codes>
    bool run(std::vector<std::int32_t>& kept, long long* count = nullptr,
             std::uint8_t* totals = nullptr) {
        constexpr bool kStore = kOut == Output::Codes;
        const SelectionPlan& p = m_plan;
        const unsigned highest = static_cast<unsigned>(p.highestKept);
        int c = 0;
        int n = 0; // codes waiting in m_chunk
        int nextReport = kReportEvery;
        long long counted = 0;
        const Prefix none;
        for (int a1 = 1; a1 <= 28; ++a1) {
            const Prefix p1 = none.with(p, a1);
            for (int a2 = a1 + 1; a2 <= 29; ++a2) {
                const Prefix p2 = p1.with(p, a2);
                for (int a3 = a2 + 1; a3 <= 30; ++a3) {
                    if (c >= nextReport) {
                        if (!report(c))
                            return false;
                        nextReport = c + kReportEvery;
                    }
                    const Prefix p3 = p2.with(p, a3);
                    for (int a4 = a3 + 1; a4 <= 31; ++a4) {
                        const Prefix p4 = p3.with(p, a4);
                        for (int a5 = a4 + 1; a5 <= 32; ++a5) {
                            const Prefix p5 = p4.with(p, a5);
                            if constexpr (kStore) {
                                if (n > kChunk - 28) { // room for one more innermost loop
                                    kept.insert(kept.end(), m_chunk.begin(), m_chunk.begin() + n);
                                    n = 0;
                                }
                            }
                            for (int a6 = a5 + 1; a6 <= 33; ++a6) {
                                ++c;
                                unsigned total = 0;
                                if constexpr (kCode) {
                                    total = m_codeTotals[c];
                                    if (total > highest) {
                                        if constexpr (kOut == Output::Totals)
                                            totals[c] = SelectionPlan::kDrop;
                                        continue;
                                    }
                                }
                                if constexpr (kRed)
                                    total += p5.total(p, a1, a6);
                                if constexpr (kStore) {
                                    // Written always, counted when kept: no branch to
                                    // mispredict.
                                    m_chunk[static_cast<std::size_t>(n)] = c;
                                    n += p.keep[total];
                                } else if constexpr (kOut == Output::Count) {
                                    counted += p.keep[total];
                                } else {
                                    totals[c] = static_cast<std::uint8_t>(
                                        std::min<unsigned>(total, SelectionPlan::kDrop));
                                }
                            }
                        }
                    }
                }
            }
        }
        if constexpr (kStore)
            kept.insert(kept.end(), m_chunk.begin(), m_chunk.begin() + n);
        else if constexpr (kOut == Output::Count)
            *count = counted;
        return report(c);
    }

private:
    bool report(int done) {
        if (m_progress)
            m_progress(done);
        return !(m_cancel && m_cancel->load(std::memory_order_relaxed));
    }

    const SelectionPlan& m_plan;
    const std::uint8_t* m_codeTotals;
    const SelectionEngine::Progress& m_progress;
    const std::atomic_bool* m_cancel;
    static constexpr int kChunk = 4096;
    std::array<std::int32_t, kChunk> m_chunk;
};

} // namespace

SelectionEngine::SelectionEngine(const PanelState& panel, const HotColdValues& hotCold)
    : SelectionEngine(readSelectionInputs(panel, hotCold)) {}

SelectionEngine::SelectionEngine(const SelectionInputs& inputs)
    : m_inputs(inputs), m_plan(std::make_shared<const SelectionPlan>(makeSelectionPlan(inputs))) {}

std::optional<QString> SelectionEngine::refusal() const {
    return selectionRefusal(m_inputs);
}

std::bitset<41> SelectionEngine::failedConditions(int code) const {
    if (code < 1 || code > kComboCount)
        return {};
    return ssq::failedConditions(*m_plan, comboOfCode(code), code);
}

bool SelectionEngine::keeps(int code) const {
    if (code < 1 || code > kComboCount)
        return false;
    return candidateKept(*m_plan, comboOfCode(code), code);
}

std::optional<int> SelectionEngine::countKept(const std::atomic_bool* cancel) const {
    const SelectionPlan& p = *m_plan;
    if (p.highestKept < 0)
        return 0;
    std::vector<std::int32_t> unused;
    const Progress silent; // the walk keeps a reference to it
    long long count = 0;
    bool finished = true;
    if (!p.anyCode) {
        Walk walk(p, nullptr, silent, cancel);
        finished = p.anyRed ? walk.run<true, false, Walk::Output::Count>(unused, &count)
                            : walk.run<false, false, Walk::Output::Count>(unused, &count);
    } else {
        const std::vector<std::uint8_t> codeTotals = codeConditionTotals(p);
        Walk walk(p, codeTotals.data(), silent, cancel);
        finished = p.anyRed ? walk.run<true, true, Walk::Output::Count>(unused, &count)
                            : walk.run<false, true, Walk::Output::Count>(unused, &count);
    }
    if (!finished)
        return std::nullopt;
    return static_cast<int>(count);
}

std::vector<std::uint8_t> SelectionEngine::candidateTotals() const {
    const SelectionPlan& p = *m_plan;
    std::vector<std::uint8_t> totals(kComboCount + 1, 0);
    std::vector<std::int32_t> unused;
    const Progress silent;
    if (!p.anyCode) {
        Walk walk(p, nullptr, silent, nullptr);
        if (p.anyRed)
            walk.run<true, false, Walk::Output::Totals>(unused, nullptr, totals.data());
    } else {
        const std::vector<std::uint8_t> codeTotals = codeConditionTotals(p);
        Walk walk(p, codeTotals.data(), silent, nullptr);
        if (p.anyRed)
            walk.run<true, true, Walk::Output::Totals>(unused, nullptr, totals.data());
        else
            walk.run<false, true, Walk::Output::Totals>(unused, nullptr, totals.data());
    }
    return totals;
}

SelectionResult SelectionEngine::run(const Progress& progress,
                                     const std::atomic_bool* cancel) const {
    SelectionResult result;
    result.refusal = refusal();
    if (result.refusal)
        return result;
    result.walked = true;

    const SelectionPlan& p = *m_plan;
    // Room for every combination up front: untouched pages cost nothing, and the list never
    // has to grow while the walk runs.
    result.codes.reserve(kComboCount);
    bool finished = true;
    if (p.highestKept < 0) {
        // No number of failures lies within the tolerance bounds: nothing can be kept.
        if (progress)
            progress(kComboCount);
    } else if (!p.anyCode) {
        Walk walk(p, nullptr, progress, cancel);
        finished =
            p.anyRed ? walk.run<true, false>(result.codes) : walk.run<false, false>(result.codes);
    } else {
        const std::vector<std::uint8_t> codeTotals = codeConditionTotals(p);
        Walk walk(p, codeTotals.data(), progress, cancel);
        finished =
            p.anyRed ? walk.run<true, true>(result.codes) : walk.run<false, true>(result.codes);
    }
    if (!finished) {
        result.cancelled = true;
        result.codes = {};
    }
    result.codes.shrink_to_fit();
    return result;
}

} // namespace ssq
