#pragma once
// The verdict of the code conditions (12..31) for every code at once. They depend on the code
// alone, so the walk over the combinations reads them from one array instead of testing twenty
// conditions per candidate.

#include "red/selection_plan.h"

#include <cstdint>
#include <vector>

namespace ssq {

// Index c (1..1107568): the summed weights of the code conditions code c fails, capped at
// SelectionPlan::kDrop. Index 0 is unused.
std::vector<std::uint8_t> codeConditionTotals(const SelectionPlan& plan);

} // namespace ssq
