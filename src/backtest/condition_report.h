#pragma once
// "各条件统计": which conditions of a back-tested panel cost the most. For each condition in use:
// how many of the 1,107,568 combinations it fails on its own (ignoring the tolerance and the
// other conditions) in the context a selection would use now, and in how many back-tested draws
// the drawn combination failed it, from the same failed sets the per-draw list shows.

#include "backtest/backtest.h"
#include "red/selection_inputs.h"

#include <QString>

#include <array>
#include <atomic>
#include <optional>
#include <vector>

namespace ssq {

// Index k (1..40): the combinations that fail condition k when it is tested; 0 for a condition
// not tested. Counted from tallies of every combination by each quantity, walked once in the
// life of the program on `threads` threads (0: one per core); nullopt when cancelled.
std::optional<std::array<int, 41>> aloneFailedCounts(const SelectionInputs& inputs,
                                                     const std::atomic_bool* cancel = nullptr,
                                                     int threads = 0);

struct ConditionReportRow {
    int condition = 0;
    QString caption;
    int aloneFailed = 0; // combinations it fails on its own
    int failedDraws = 0; // back-tested draws whose combination failed it
    int draws = 0;       // back-tested draws
    double aloneShare() const;
    double drawShare() const { return draws ? double(failedDraws) / draws : 0; }
};

// One row per condition tested in `now`, in condition order.
std::vector<ConditionReportRow> conditionReport(const SelectionInputs& now,
                                                const std::array<int, 41>& aloneFailed,
                                                const std::vector<BacktestRow>& rows);

// "12.3%"
QString shareText(double share);

} // namespace ssq
