#pragma once
// "红球选号": walks all 1,107,568 red combinations in code order, tests the tested conditions of
// the panel and keeps the combinations the tolerance rule lets through. The panel is read once
// when the engine is made; a run touches no Qt object, so it may go to a worker thread.

#include "model/hot_cold.h"
#include "red/panel_state.h"
#include "red/selection_inputs.h"
#include "red/selection_result.h"

#include <QString>

#include <atomic>
#include <bitset>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ssq {

struct SelectionPlan;

class SelectionEngine {
public:
    // Told the number of candidates done, every few thousand and once at the end.
    using Progress = std::function<void(int done)>;
    // The progress bar runs from 0 to this, a little beyond the number of combinations.
    static constexpr int kProgressMaximum = 1107570;

    SelectionEngine(const PanelState& panel, const HotColdValues& hotCold);
    explicit SelectionEngine(const SelectionInputs& inputs);

    const SelectionInputs& inputs() const { return m_inputs; }

    // The message that stops the run, when one does.
    std::optional<QString> refusal() const;

    // The tested conditions the candidate with this code fails (1..40; none for a bad code).
    std::bitset<41> failedConditions(int code) const;
    // Whether the run keeps the candidate with this code.
    bool keeps(int code) const;

    // How many combinations a run would keep, without keeping them; nullopt when `cancel` is
    // set before the walk ends. The caller settles the refusals first.
    std::optional<int> countKept(const std::atomic_bool* cancel = nullptr) const;

    // Index c (1..1107568): the summed weights of the tested conditions code c fails, capped at
    // SelectionPlan::kDrop (kDrop also when its code conditions alone already drop it).
    std::vector<std::uint8_t> candidateTotals() const;
    const SelectionPlan& plan() const { return *m_plan; }

    // A refused run returns the refusal and walks nothing; `cancel` is polled as often as
    // progress is told and ends the run with `cancelled` set.
    SelectionResult run(const Progress& progress = {},
                        const std::atomic_bool* cancel = nullptr) const;

private:
    SelectionInputs m_inputs;
    std::shared_ptr<const SelectionPlan> m_plan;
};

} // namespace ssq
