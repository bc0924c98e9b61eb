#include "backtest/condition_report.h"

#include "red/condition_captions.h"
#include "red/selection_plan.h"

#include <algorithm>
#include <thread>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// The first code of the combinations that start with a1.
int firstCodeOf(int a1) {
    return redCode({a1, a1 + 1, a1 + 2, a1 + 3, a1 + 4, a1 + 5});
}

// Adds the failures of every combination that starts with a1; false when cancelled.
bool countFailures(const SelectionPlan& plan, int a1, std::array<int, 41>& failed,
                   const std::atomic_bool* cancel) {
    int code = firstCodeOf(a1);
    RedCombo red{a1, 0, 0, 0, 0, 0};
    for (red[1] = a1 + 1; red[1] <= 29; ++red[1]) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return false;
        for (red[2] = red[1] + 1; red[2] <= 30; ++red[2])
            for (red[3] = red[2] + 1; red[3] <= 31; ++red[3])
                for (red[4] = red[3] + 1; red[4] <= 32; ++red[4])
                    for (red[5] = red[4] + 1; red[5] <= 33; ++red[5], ++code) {
                        const std::bitset<41> f = failedConditions(plan, red, code);
                        if (f.none())
                            continue;
                        for (int k = 1; k <= kConditionCount; ++k)
                            failed[k] += f[k];
                    }
    }
    return true;
}

} // namespace

std::optional<std::array<int, 41>> aloneFailedCounts(const SelectionInputs& inputs,
                                                     const std::atomic_bool* cancel, int threads) {
    // Each condition is weighed alone: the plan's weights only say which are tested, and the
    // failed sets ignore the tolerance.
    const SelectionPlan plan = makeSelectionPlan(inputs);
    if (threads <= 0)
        threads = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    std::vector<std::array<int, 41>> partial(static_cast<std::size_t>(threads));
    std::atomic_int next{1};
    std::atomic_bool stopped{false};
    const auto work = [&](std::array<int, 41>& failed) {
        // The first numbers run from the largest share of combinations to the smallest.
        for (int a1 = next++; a1 <= 28; a1 = next++)
            if (!countFailures(plan, a1, failed, cancel)) {
                stopped = true;
                return;
            }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(work, std::ref(partial[static_cast<std::size_t>(t)]));
    work(partial[0]);
    for (std::thread& helper : helpers)
        helper.join();
    if (stopped)
        return std::nullopt;
    std::array<int, 41> total{};
    for (const auto& part : partial)
        for (int k = 1; k <= kConditionCount; ++k)
            total[k] += part[k];
    return total;
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
        row.caption = conditionCaption(k);
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
