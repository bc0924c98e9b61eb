#pragma once
// Kept counts for many contexts of one panel. A back-test runs the same conditions before
// every target; only the last-draw row (conditions 10, 11 and 19) and the hot/cold values
// (37..40) differ. The other conditions are walked once, by the engine, into one total per
// combination; each context then adds the weights of its own few conditions to the
// combinations those totals leave in the running, from the tables of that context's plan.

#include "red/selection_inputs.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace ssq {

class ContextCounter {
public:
    // The conditions that depend on the context.
    static constexpr std::array<int, 7> kContextConditions{10, 11, 19, 37, 38, 39, 40};

    // `inputs` may be any context of the panel: its own context is ignored.
    explicit ContextCounter(const SelectionInputs& inputs);

    // What a selection run with these inputs keeps; nullopt when cancelled. The inputs must
    // differ from the panel's only in the last-draw row and the hot/cold values.
    std::optional<int> count(const SelectionInputs& context,
                             const std::atomic_bool* cancel = nullptr) const;

    // Combinations the context-free conditions leave in the running.
    int candidateCount() const { return static_cast<int>(m_candidates.size()); }

private:
    struct Candidate {
        std::array<std::uint8_t, 6> red;
        std::uint8_t total;   // weights of the context-free conditions it fails
        std::uint16_t digits; // bit v for each digit v of its code
    };

    std::vector<Candidate> m_candidates;
    int m_highest = -1;
};

} // namespace ssq
