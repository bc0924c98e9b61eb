#pragma once
// The search behind wheels and kept-set covers: over a ground of up to 33 numbers, choose
// tickets (sets of `ticketSize` numbers, from a list of candidates) so that every element (a set
// of `elementSize` numbers, from a list) shares at least `threshold` numbers with some ticket.
// A greedy cover (most uncovered elements first, ties to the lowest candidate rank) is followed
// by passes that drop redundant tickets and a local search that trades tickets while the cover
// holds. The same input and seed give the same tickets.
//
// Plain C++: sets are bit masks over the ground's positions 0..ground-1.

#include <cstdint>
#include <functional>
#include <vector>

namespace ssq {

using NumberMask = std::uint64_t;

struct CoverInput {
    int ground = 0;      // 1..33
    int elementSize = 0; // 1..6
    int ticketSize = 0;  // 1..6
    int threshold = 0;   // 0..min(elementSize, ticketSize)
    // Explicit lists; an empty list stands for every set of its size over the ground.
    std::vector<NumberMask> elements;
    // The candidates in rank order: ties in the greedy go to the earlier one.
    std::vector<NumberMask> candidates;
};

// Told progress 0..1000; returns false to give up.
using CoverProgress = std::function<bool(int permille)>;

struct CoverOptions {
    std::uint64_t seed = 1;
    // Off: the greedy cover alone, as it comes (no redundancy drop, no trades).
    bool improve = true;
    CoverProgress progress;
};

struct CoverOutcome {
    bool cancelled = false;
    bool complete = false; // every element is covered (false when some element has no candidate)
    std::vector<NumberMask> tickets; // in candidate rank order
    int greedyCount = 0;             // tickets of the greedy cover before any improvement
};

CoverOutcome findCover(const CoverInput& input, const CoverOptions& options);

// Every set of `size` positions over `ground`, in lexicographic order of the positions.
std::vector<NumberMask> allSetsOf(int ground, int size);

// Calls `visit` with every set of `size` positions over `ground` that shares at least
// `threshold` positions with `near`, until it returns false; false when it did.
bool forEachSetNear(NumberMask near, int ground, int size, int threshold,
                    const std::function<bool(NumberMask)>& visit);

} // namespace ssq
