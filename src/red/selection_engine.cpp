#include "red/selection_engine.h"

#include "red/code_condition_totals.h"
#include "red/selection_plan.h"

#include <bit>

namespace ssq {

namespace {

constexpr int kReportEvery = 4096;

// What the numbers chosen so far hold, carried from one loop level to the next so the
// innermost loop adds only the last number.
struct Prefix {
    std::uint64_t packed = 0;   // the additive counts of SelectionPlan::packed
    std::uint64_t members = 0;  // bit n for each number n
    std::uint64_t reversed = 0; // bit 40 - n for each number n
    std::uint64_t diffs = 0;    // bit d for each difference d between two numbers
    unsigned tails = 0;         // bit t for each last digit t
    int runs = 0;               // neighbours differing by 1
    int last = -2; // no number yet, so the first one starts no run
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
                     p.byPair[0][(counts >> kPairs) & 63] + p.byPair[1][(counts >> (kPairs + 6)) & 63] +
                     p.byPair[2][(counts >> (kPairs + 12)) & 63] +
                     p.byPair[3][(counts >> (kPairs + 18)) & 63] +
                     p.byPair[4][(counts >> (kPairs + 24)) & 63] + p.byHot[(counts >> kHot) & 7];
        t += p.byAc[std::popcount(diffs | reversed >> (40 - n))];
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

    // False when cancelled.
    template <bool kRed, bool kCode>
    bool run(std::vector<std::int32_t>& kept) {
        const SelectionPlan& p = m_plan;
        const unsigned highest = static_cast<unsigned>(p.highestKept);
        int c = 0;
        int nextReport = kReportEvery;
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
                            for (int a6 = a5 + 1; a6 <= 33; ++a6) {
                                ++c;
                                unsigned total = 0;
                                if constexpr (kCode) {
                                    total = m_codeTotals[c];
                                    if (total > highest)
                                        continue;
                                }
                                if constexpr (kRed)
                                    total += p5.total(p, a1, a6);
                                if (p.keep[total])
                                    kept.push_back(c);
                            }
                        }
                    }
                }
            }
        }
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
};

} // namespace

SelectionEngine::SelectionEngine(const PanelState& panel, const HotColdValues& hotCold)
    : SelectionEngine(readSelectionInputs(panel, hotCold)) {}

SelectionEngine::SelectionEngine(const SelectionInputs& inputs)
    : m_inputs(inputs), m_plan(std::make_shared<const SelectionPlan>(makeSelectionPlan(inputs))) {}

std::optional<QString> SelectionEngine::refusal() const { return selectionRefusal(m_inputs); }

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

SelectionResult SelectionEngine::run(const Progress& progress, const std::atomic_bool* cancel) const {
    SelectionResult result;
    result.refusal = refusal();
    if (result.refusal)
        return result;

    const SelectionPlan& p = *m_plan;
    bool finished = true;
    if (p.highestKept < 0) {
        // No number of failures lies within the tolerance bounds: nothing can be kept.
        if (progress)
            progress(kComboCount);
    } else if (!p.anyCode) {
        Walk walk(p, nullptr, progress, cancel);
        finished = p.anyRed ? walk.run<true, false>(result.codes) : walk.run<false, false>(result.codes);
    } else {
        const std::vector<std::uint8_t> codeTotals = codeConditionTotals(p);
        Walk walk(p, codeTotals.data(), progress, cancel);
        finished = p.anyRed ? walk.run<true, true>(result.codes) : walk.run<false, true>(result.codes);
    }
    if (!finished) {
        result.cancelled = true;
        result.codes = {};
    }
    return result;
}

} // namespace ssq
