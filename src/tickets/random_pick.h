#pragma once
// "从结果中随机选N注": N tickets drawn uniformly, without repetition, from the kept combinations.

#include "red/selection_result.h"
#include "tickets/blue_list.h"

#include <QString>

#include <optional>
#include <random>

namespace ssq {

// The picked tickets in code order. With blues, the blues are dealt in turn over the tickets
// in random order, so each blue gets an equal share; without, a ticket keeps the blue it had.
// nullopt with a message when n is not 1..kept.
std::optional<SelectionResult> pickTickets(const SelectionResult& kept, double n,
                                           const BlueList& blues, std::mt19937_64& random,
                                           QString* error);

// The result line after a pick.
QString pickResultLine(int count);

} // namespace ssq
