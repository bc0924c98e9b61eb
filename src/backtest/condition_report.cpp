#include "backtest/condition_report.h"

#include "model/indicators.h"
#include "red/panel_state.h"
#include "red/selection_plan.h"

#include <algorithm>
#include <bit>
#include <thread>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// The conditions whose quantity depends on the combination alone, histogrammed once for all.
constexpr int kFreeConditions[] = {4,  5,  6,  7,  8,  9,  12, 13, 15, 16, 17, 18, 20,
                                   21, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35};

// How many of all combinations take each value of each context-free quantity (by condition, as
// failedConditions measures it), and each set of code digits (bit v for digit v).
struct ComboHistograms {
    std::array<std::array<int, 256>, 41> byQuantity{};
    std::array<int, 1024> byDigits{};

    void add(const ComboHistograms& other) {
        for (int k : kFreeConditions)
            for (int q = 0; q < 256; ++q)
                byQuantity[k][q] += other.byQuantity[k][q];
        for (int m = 0; m < 1024; ++m)
            byDigits[m] += other.byDigits[m];
    }
};

// The first code of the combinations that start with a1.
int firstCodeOf(int a1) {
    return redCode({a1, a1 + 1, a1 + 2, a1 + 3, a1 + 4, a1 + 5});
}

void countCombosStartingWith(int a1, ComboHistograms& h) {
    int code = firstCodeOf(a1);
    RedCombo red{a1, 0, 0, 0, 0, 0};
    const auto add = [&h](int k, int q) { ++h.byQuantity[k][q]; };
    for (red[1] = a1 + 1; red[1] <= 29; ++red[1])
        for (red[2] = red[1] + 1; red[2] <= 30; ++red[2])
            for (red[3] = red[2] + 1; red[3] <= 31; ++red[3])
                for (red[4] = red[3] + 1; red[4] <= 32; ++red[4])
                    for (red[5] = red[4] + 1; red[5] <= 33; ++red[5], ++code) {
                        int sum = 0, small = 0, odd = 0, zone1 = 0, zone2 = 0;
                        for (int n : red) {
                            sum += n;
                            small += n < 18;
                            odd += n % 2;
                            zone1 += n <= 11;
                            zone2 += n >= 12 && n <= 22;
                        }
                        add(4, sum);
                        add(5, redAcValue(red));
                        add(6, small);
                        add(7, odd);
                        add(8, sameTailCount(red));
                        add(9, consecutiveCount(red));
                        add(32, zone1);
                        add(33, zone2);
                        add(34, 6 - zone1 - zone2);
                        add(35, red[5] - red[0]);

                        const CodeDigits digits = codeDigits(code);
                        unsigned present = 0;
                        int digitSum = 0;
                        for (int v : digits.d) {
                            present |= 1U << v;
                            digitSum += v;
                        }
                        add(12, code % 2);
                        add(13, digitSum);
                        add(15, codeSmallCount(digits));
                        add(16, codeOddCount(digits));
                        add(17, codePrimeCount(digits));
                        add(18, codeConsecutivePairs(digits));
                        add(20, codeEqualPairs(digits));
                        add(21, codeAcValue(digits));
                        for (int k = 25; k <= 31; ++k)
                            add(k, digits.d[31 - k]);
                        ++h.byDigits[present];
                    }
}

// Made by the first report and kept: they depend on no input.
const ComboHistograms& comboHistograms(int threads) {
    static const ComboHistograms histograms = [threads] {
        std::vector<ComboHistograms> partial(static_cast<std::size_t>(threads));
        std::atomic_int next{1};
        // The first numbers run from the largest share of combinations to the smallest.
        const auto work = [&next](ComboHistograms& h) {
            for (int a1 = next++; a1 <= 28; a1 = next++)
                countCombosStartingWith(a1, h);
        };
        std::vector<std::thread> helpers;
        for (int t = 1; t < threads; ++t)
            helpers.emplace_back(work, std::ref(partial[static_cast<std::size_t>(t)]));
        work(partial[0]);
        for (std::thread& helper : helpers)
            helper.join();
        for (std::size_t t = 1; t < partial.size(); ++t)
            partial[0].add(partial[t]);
        return partial[0];
    }();
    return histograms;
}

// How many combinations give each total of a per-number weight (0 <= weight, total < 256):
// the coefficient of x^6 in the product over n of (1 + x y^weight(n)).
std::array<long long, 256> combosByWeight(const std::array<int, 34>& weight) {
    std::array<std::array<long long, 256>, 7> ways{};
    ways[0][0] = 1;
    for (int n = 1; n <= kRedMax; ++n)
        for (int j = 5; j >= 0; --j)
            for (int total = 255 - weight[n]; total >= 0; --total)
                ways[j + 1][total + weight[n]] += ways[j][total];
    return ways[6];
}

int failedByWeight(const SelectionPlan& p, int k, const std::array<int, 34>& weight) {
    const std::array<long long, 256> ways = combosByWeight(weight);
    long long failed = 0;
    for (int q = 0; q < 256; ++q)
        failed += p.failsAt[k][q] ? ways[q] : 0;
    return static_cast<int>(failed);
}

// Condition 37 sums values of any size: counted by walking the combinations.
int hotColdSumFailures(const SelectionPlan& p) {
    int failed = 0;
    for (int a1 = 1; a1 <= 28; ++a1)
        for (int a2 = a1 + 1; a2 <= 29; ++a2)
            for (int a3 = a2 + 1; a3 <= 30; ++a3)
                for (int a4 = a3 + 1; a4 <= 31; ++a4) {
                    const std::int64_t partial =
                        std::int64_t{p.hotCold[a1]} + p.hotCold[a2] + p.hotCold[a3] + p.hotCold[a4];
                    for (int a5 = a4 + 1; a5 <= 32; ++a5)
                        for (int a6 = a5 + 1; a6 <= 33; ++a6) {
                            const std::int64_t sum = partial + p.hotCold[a5] + p.hotCold[a6];
                            failed += sum < p.hotMin || sum > p.hotMax;
                        }
                }
    return failed;
}

int aloneFailed(const SelectionPlan& p, const ComboHistograms& h, int k) {
    const auto perNumber = [](auto weightOf) {
        std::array<int, 34> weight{};
        for (int n = 1; n <= kRedMax; ++n)
            weight[n] = weightOf(n);
        return weight;
    };
    const auto byDigits = [&h](auto fails) {
        int failed = 0;
        for (unsigned mask = 0; mask < 1024; ++mask)
            failed += fails(mask) ? h.byDigits[mask] : 0;
        return failed;
    };
    const auto hotClass = [&p](HotColdClass cls) {
        return [&p, cls](int n) { return int(hotColdClass(p.hotCold[n]) == cls); };
    };
    switch (k) {
    case 1: {
        // Every given number must be drawn; a given value that is no red number never is.
        if (p.required & 1U)
            return kComboCount;
        const int required = std::popcount(p.required);
        const std::array<long long, 256> ways =
            combosByWeight(perNumber([&p](int n) { return int((p.required >> n) & 1U); }));
        return static_cast<int>(kComboCount - ways[static_cast<std::size_t>(required)]);
    }
    case 2:
        return failedByWeight(p, k, p.named2);
    case 3:
        return failedByWeight(p, k, p.named3);
    case 10:
        return failedByWeight(p, k, p.repeats);
    case 11:
        return failedByWeight(p, k, p.adjacent);
    case 14: {
        int failed = 0;
        for (int s = 0; s < 256; ++s)
            failed += p.failsAt[14][s % 10] ? h.byQuantity[13][s] : 0;
        return failed;
    }
    case 19:
        return byDigits(
            [&p](unsigned m) { return p.failsAt[19][digitsNamed(p.previousDigits, m)]; });
    case 22:
        return byDigits([&p](unsigned m) { return (p.requiredDigits & ~m) != 0; });
    case 23:
        return byDigits([&p](unsigned m) { return p.failsAt[23][digitsNamed(p.named23, m)]; });
    case 24:
        return byDigits([&p](unsigned m) { return p.failsAt[24][digitsNamed(p.named24, m)]; });
    case 36: {
        const std::array<long long, 256> ways =
            combosByWeight(perNumber([&p](int n) { return int((p.excluded >> n) & 1U); }));
        return static_cast<int>(kComboCount - ways[0]);
    }
    case 37:
        return hotColdSumFailures(p);
    case 38:
        return failedByWeight(p, k, perNumber(hotClass(HotColdClass::Cold)));
    case 39:
        return failedByWeight(p, k, perNumber(hotClass(HotColdClass::Warm)));
    case 40:
        return failedByWeight(p, k, perNumber(hotClass(HotColdClass::Hot)));
    default: {
        int failed = 0;
        for (int q = 0; q < 256; ++q)
            failed += p.failsAt[k][q] ? h.byQuantity[k][q] : 0;
        return failed;
    }
    }
}

} // namespace

std::optional<std::array<int, 41>> aloneFailedCounts(const SelectionInputs& inputs,
                                                     const std::atomic_bool* cancel, int threads) {
    if (threads <= 0)
        threads = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    const ComboHistograms& histograms = comboHistograms(threads);
    // Each condition is weighed alone: the plan's weights only say which are tested, and its
    // tables which quantities fail.
    const SelectionPlan plan = makeSelectionPlan(inputs);
    std::array<int, 41> failed{};
    for (int k = 1; k <= kConditionCount; ++k) {
        if (cancel && cancel->load())
            return std::nullopt;
        if (plan.weight[k])
            failed[static_cast<std::size_t>(k)] = aloneFailed(plan, histograms, k);
    }
    return failed;
}

double ConditionReportRow::aloneShare() const {
    return double(aloneFailed) / kComboCount;
}

std::vector<ConditionReportRow> conditionReport(const SelectionInputs& now,
                                                const std::array<int, 41>& aloneFailed,
                                                const std::vector<BacktestRow>& rows) {
    std::vector<ConditionReportRow> report;
    for (int k = 1; k <= kConditionCount; ++k) {
        if (!conditionTested(now, k))
            continue;
        ConditionReportRow row;
        row.condition = k;
        row.caption = QString::fromUtf16(panel::boxesOf(k).caption);
        row.aloneFailed = aloneFailed[static_cast<std::size_t>(k)];
        row.draws = static_cast<int>(rows.size());
        row.failedDraws = static_cast<int>(std::count_if(
            rows.begin(), rows.end(), [k](const BacktestRow& r) { return r.failed[k]; }));
        report.push_back(row);
    }
    return report;
}

QString shareText(double share) {
    return QString::number(share * 100, 'f', 1) + u"%"_s;
}

} // namespace ssq
