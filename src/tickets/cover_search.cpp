#include "tickets/cover_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <queue>
#include <random>
#include <utility>

namespace ssq {

namespace {

constexpr int kMaxGround = 33;
constexpr int kMaxSize = 6;

struct Binomials {
    std::int64_t value[kMaxGround + 2][kMaxSize + 2]{};
    constexpr Binomials() {
        for (int n = 0; n <= kMaxGround + 1; ++n) {
            value[n][0] = 1;
            for (int k = 1; k <= kMaxSize + 1; ++k)
                value[n][k] = n == 0 ? 0 : value[n - 1][k - 1] + value[n - 1][k];
        }
    }
};

constexpr Binomials kBinomials;

std::int64_t binom(int n, int k) {
    return n < 0 || k < 0 ? 0 : kBinomials.value[n][k];
}

// Position of a set among the sets of its size in colexicographic order: a dense index that
// needs no table.
int colexRank(NumberMask mask) {
    std::int64_t rank = 0;
    for (int i = 1; mask; ++i, mask &= mask - 1)
        rank += kBinomials.value[std::countr_zero(mask)][i];
    return static_cast<int>(rank);
}

// Every subset of `size` of the positions, as masks.
void subsetsOfSize(const std::vector<int>& positions, int size, std::vector<NumberMask>& out) {
    out.clear();
    const int n = static_cast<int>(positions.size());
    if (size > n)
        return;
    std::array<int, kMaxSize + 1> at{};
    for (int i = 0; i < size; ++i)
        at[i] = i;
    while (true) {
        NumberMask mask = 0;
        for (int i = 0; i < size; ++i)
            mask |= NumberMask{1} << positions[at[i]];
        out.push_back(mask);
        int i = size - 1;
        while (i >= 0 && at[i] == n - size + i)
            --i;
        if (i < 0)
            return;
        ++at[i];
        for (int j = i + 1; j < size; ++j)
            at[j] = at[j - 1] + 1;
    }
}

// Buffers of visitNear, kept between calls: the search calls it for every ticket it moves.
struct NearScratch {
    std::vector<int> inside;
    std::vector<int> outside;
    std::vector<NumberMask> ins;
    std::vector<NumberMask> outs;
};

template <typename Visit>
void visitNear(NumberMask near, int ground, int size, int threshold, NearScratch& scratch,
               Visit&& visit) {
    std::vector<int>& inside = scratch.inside;
    std::vector<int>& outside = scratch.outside;
    inside.clear();
    outside.clear();
    for (int p = 0; p < ground; ++p)
        (near >> p & 1 ? inside : outside).push_back(p);
    std::vector<NumberMask>& ins = scratch.ins;
    std::vector<NumberMask>& outs = scratch.outs;
    const int most = std::min(static_cast<int>(inside.size()), size);
    for (int j = std::max(threshold, 0); j <= most; ++j) {
        if (size - j > static_cast<int>(outside.size()))
            continue;
        subsetsOfSize(inside, j, ins);
        subsetsOfSize(outside, size - j, outs);
        for (NumberMask a : ins)
            for (NumberMask b : outs)
                visit(a | b);
    }
}

// The colex ranks and sizes of every subset of a set of at most six positions.
struct Subsets {
    int count = 0;
    std::array<int, 64> rank{};
    std::array<int, 64> size{};

    explicit Subsets(NumberMask mask) {
        std::array<int, kMaxSize> pos{};
        int bits = 0;
        for (; mask; mask &= mask - 1)
            pos[bits++] = std::countr_zero(mask);
        count = 1 << bits;
        for (int s = 1; s < count; ++s) {
            const int high = 31 - std::countl_zero(static_cast<unsigned>(s));
            const int rest = s ^ (1 << high);
            size[s] = size[rest] + 1;
            rank[s] = rank[rest] + static_cast<int>(kBinomials.value[pos[high]][size[s]]);
        }
    }
};

class CoverSearch {
public:
    CoverSearch(const CoverInput& input, const CoverOptions& options)
        : m_ground(input.ground), m_elementSize(input.elementSize), m_ticketSize(input.ticketSize),
          m_threshold(std::max(0, input.threshold)), m_options(options), m_random(options.seed) {
        m_elements = input.elements.empty() ? allSetsOf(m_ground, m_elementSize) : input.elements;
        m_candidates =
            input.candidates.empty() ? allSetsOf(m_ground, m_ticketSize) : input.candidates;
        m_elementOf.assign(binom(m_ground, m_elementSize), -1);
        for (std::size_t e = 0; e < m_elements.size(); ++e)
            m_elementOf[colexRank(m_elements[e])] = static_cast<int>(e);
        m_candidateOf.assign(binom(m_ground, m_ticketSize), -1);
        for (std::size_t c = 0; c < m_candidates.size(); ++c)
            m_candidateOf[colexRank(m_candidates[c])] = static_cast<int>(c);

        // An element S and a ticket T share at least `threshold` numbers exactly when the
        // weighted count over the common subsets A (|A| >= threshold) is 1: with weight
        // w(a) = sum over i = threshold..a of (-1)^(a-i) C(a, i), every S meeting T in i >= t
        // numbers adds up to one. So a ticket's count of elements in some state is a sum over
        // its 64 subsets of per-subset counts of such elements.
        m_low = m_threshold;
        m_high = std::min(m_elementSize, m_ticketSize);
        for (int a = 0; a <= kMaxSize; ++a) {
            std::int64_t w = 0;
            for (int i = m_threshold; i <= a; ++i)
                w += ((a - i) % 2 ? -1 : 1) * binom(a, i);
            m_weight[a] = static_cast<int>(w);
        }
        for (int a = m_low; a <= m_high; ++a) {
            m_uncoveredAt[a].assign(binom(m_ground, a), 0);
            m_onceAt[a].assign(binom(m_ground, a), 0);
        }
        m_cover.assign(m_elements.size(), 0);
        m_coverers.assign(m_elements.size(), 0);
        m_chosenAt.assign(m_candidates.size(), -1);
    }

    CoverOutcome run() {
        CoverOutcome outcome;
        for (NumberMask element : m_elements)
            adjust(element, m_uncoveredAt, +1);
        m_uncovered = static_cast<std::int64_t>(m_elements.size());

        if (!greedy()) {
            outcome.cancelled = true;
            return outcome;
        }
        outcome.greedyCount = static_cast<int>(m_chosen.size());
        outcome.complete = m_uncovered == 0;
        if (m_options.improve && outcome.complete) {
            dropRedundant();
            if (!trade()) {
                outcome.cancelled = true;
                return outcome;
            }
        }
        std::vector<int> chosen = m_chosen;
        std::sort(chosen.begin(), chosen.end());
        for (int c : chosen)
            outcome.tickets.push_back(m_candidates[c]);
        return outcome;
    }

private:
    using Counts = std::array<std::vector<std::int32_t>, kMaxSize + 1>;

    void adjust(NumberMask element, Counts& counts, int delta) {
        const Subsets subsets(element);
        for (int s = 0; s < subsets.count; ++s)
            if (subsets.size[s] >= m_low && subsets.size[s] <= m_high)
                counts[subsets.size[s]][subsets.rank[s]] += delta;
    }

    // How many elements of the state `counts` keeps the ticket shares `threshold` numbers with.
    std::int64_t reach(NumberMask ticket, const Counts& counts) const {
        const Subsets subsets(ticket);
        std::int64_t sum = 0;
        for (int s = 0; s < subsets.count; ++s)
            if (subsets.size[s] >= m_low && subsets.size[s] <= m_high)
                sum += std::int64_t{m_weight[subsets.size[s]]} *
                       counts[subsets.size[s]][subsets.rank[s]];
        return sum;
    }

    std::int64_t gain(int candidate) const { return reach(m_candidates[candidate], m_uncoveredAt); }
    // Elements only this chosen ticket covers.
    std::int64_t sole(int candidate) const { return reach(m_candidates[candidate], m_onceAt); }

    template <typename Visit> void forEachElementOf(int candidate, Visit&& visit) {
        visitNear(m_candidates[candidate], m_ground, m_elementSize, m_threshold, m_scratch,
                  [&](NumberMask set) {
                      ++m_work;
                      const int e = m_elementOf[colexRank(set)];
                      if (e >= 0)
                          visit(e);
                  });
    }

    // Adds a ticket; `loosened` gets the tickets that lost an element only they covered.
    void add(int candidate, std::vector<int>* loosened) {
        const std::uint32_t id = static_cast<std::uint32_t>(candidate) + 1;
        forEachElementOf(candidate, [&](int e) {
            const int before = m_cover[e]++;
            if (before == 0) {
                adjust(m_elements[e], m_uncoveredAt, -1);
                adjust(m_elements[e], m_onceAt, +1);
                --m_uncovered;
            } else if (before == 1) {
                adjust(m_elements[e], m_onceAt, -1);
                if (loosened)
                    loosened->push_back(static_cast<int>(m_coverers[e]) - 1);
            }
            m_coverers[e] ^= id;
        });
        m_chosenAt[candidate] = static_cast<int>(m_chosen.size());
        m_chosen.push_back(candidate);
    }

    // Removes a ticket; `opened` gets the elements left uncovered.
    void remove(int candidate, std::vector<int>* opened) {
        const std::uint32_t id = static_cast<std::uint32_t>(candidate) + 1;
        forEachElementOf(candidate, [&](int e) {
            const int before = m_cover[e]--;
            if (before == 1) {
                adjust(m_elements[e], m_onceAt, -1);
                adjust(m_elements[e], m_uncoveredAt, +1);
                ++m_uncovered;
                if (opened)
                    opened->push_back(e);
            } else if (before == 2) {
                adjust(m_elements[e], m_onceAt, +1);
            }
            m_coverers[e] ^= id;
        });
        const int at = m_chosenAt[candidate];
        m_chosen[at] = m_chosen.back();
        m_chosenAt[m_chosen[at]] = at;
        m_chosen.pop_back();
        m_chosenAt[candidate] = -1;
    }

    bool tell(int permille) {
        if (!m_options.progress || permille == m_told)
            return true;
        m_told = permille;
        return m_options.progress(permille);
    }

    // Gains only shrink as tickets are added, so a candidate whose gain, computed afresh, still
    // equals its queued key is the best one: keys are recomputed only when they surface.
    bool greedy() {
        using Entry = std::pair<std::int64_t, int>; // gain, -candidate: ties to the lowest rank
        std::vector<Entry> entries;
        entries.reserve(m_candidates.size());
        for (std::size_t c = 0; c < m_candidates.size(); ++c)
            if (const std::int64_t g = gain(static_cast<int>(c)); g > 0)
                entries.emplace_back(g, -static_cast<int>(c));
        std::priority_queue<Entry> queue(std::less<Entry>(), std::move(entries));
        const double total = std::max<double>(1, static_cast<double>(m_elements.size()));
        while (m_uncovered > 0 && !queue.empty()) {
            const auto [key, negated] = queue.top();
            queue.pop();
            const int c = -negated;
            if (m_chosenAt[c] >= 0)
                continue;
            const std::int64_t g = gain(c);
            if (g <= 0)
                continue;
            if (g < key) {
                queue.emplace(g, negated);
                continue;
            }
            add(c, nullptr);
            const double done = 1.0 - static_cast<double>(m_uncovered) / total;
            if (!tell(static_cast<int>(done * (m_options.improve ? 600 : 1000))))
                return false;
        }
        return true;
    }

    // Latest tickets first: the early ones cover the most.
    void dropRedundant() {
        const std::vector<int> order = m_chosen;
        for (auto it = order.rbegin(); it != order.rend(); ++it)
            if (m_chosenAt[*it] >= 0 && sole(*it) == 0)
                remove(*it, nullptr);
    }

    std::uint64_t below(std::uint64_t n) { return n ? m_random() % n : 0; }

    // The chosen ticket sharing the most numbers with `ticket` (ties at random), -1 for none.
    int closest(int ticket) {
        int found = -1;
        int most = -1;
        std::uint64_t ties = 0;
        for (int c : m_chosen) {
            if (c == ticket)
                continue;
            const int shared = std::popcount(m_candidates[c] & m_candidates[ticket]);
            if (shared > most) {
                most = shared;
                found = c;
                ties = 1;
            } else if (shared == most && below(++ties) == 0) {
                found = c;
            }
        }
        m_work += static_cast<std::int64_t>(m_chosen.size()) / 16;
        return found;
    }

    // Takes one ticket out, or every other time two that share many numbers, and puts in one
    // that covers all they alone covered: two for one saves a ticket, one for one moves the
    // cover elsewhere. Among the replacements it prefers one that also covers many elements a
    // single other ticket covers: those come closer to being redundant, and are dropped once
    // they are. Ends after a fixed amount of work or a run of trades that saved nothing, so the
    // result depends on the seed only.
    bool trade() {
        const std::int64_t budget = workBudget();
        const std::int64_t start = m_work;
        std::vector<int> opened;
        std::vector<int> loosened;
        std::size_t best = m_chosen.size();
        std::int64_t idle = 0;
        for (std::int64_t round = 0;
             m_work - start < budget && m_chosen.size() > 1 && idle < patience(); ++round) {
            if (m_chosen.size() < best) {
                best = m_chosen.size();
                idle = 0;
            }
            ++idle;
            const double done = static_cast<double>(m_work - start) / static_cast<double>(budget);
            if (!tell(600 + static_cast<int>(done * 400)))
                return false;
            const int out = m_chosen[below(m_chosen.size())];
            const int partner = round % 2 ? closest(out) : -1;
            opened.clear();
            remove(out, &opened);
            if (partner >= 0)
                remove(partner, &opened);
            if (opened.empty())
                continue;
            const NumberMask first = m_elements[opened[below(opened.size())]];
            const std::int64_t need = static_cast<std::int64_t>(opened.size());
            int chosen = -1;
            std::int64_t bestScore = -1;
            std::uint64_t ties = 0;
            visitNear(first, m_ground, m_ticketSize, m_threshold, m_scratch, [&](NumberMask set) {
                m_work += 4;
                const int c = m_candidateOf[colexRank(set)];
                if (c < 0 || c == out || c == partner || m_chosenAt[c] >= 0 || gain(c) != need)
                    return;
                const std::int64_t score = reach(set, m_onceAt);
                if (score > bestScore) {
                    bestScore = score;
                    chosen = c;
                    ties = 1;
                } else if (score == bestScore && below(++ties) == 0) {
                    chosen = c;
                }
            });
            loosened.clear();
            if (chosen >= 0) {
                add(chosen, &loosened);
            } else {
                add(out, nullptr);
                if (partner >= 0)
                    add(partner, nullptr);
            }
            for (int r : loosened)
                if (r >= 0 && m_chosenAt[r] >= 0 && sole(r) == 0)
                    remove(r, nullptr);
        }
        return true;
    }

    // Trades without a ticket saved before the search gives up.
    std::int64_t patience() const {
        return std::max<std::int64_t>(2000, 8 * static_cast<std::int64_t>(m_chosen.size()));
    }

    // A fixed amount of work, smaller for tiny problems; about half a second at most.
    std::int64_t workBudget() const {
        const std::int64_t scale =
            static_cast<std::int64_t>(m_elements.size() + m_candidates.size()) * 64;
        return std::clamp<std::int64_t>(scale, 2'000'000, 60'000'000);
    }

    const int m_ground;
    const int m_elementSize;
    const int m_ticketSize;
    const int m_threshold;
    const CoverOptions& m_options;
    std::mt19937_64 m_random;
    std::vector<NumberMask> m_elements;
    std::vector<NumberMask> m_candidates;
    std::vector<int> m_elementOf;   // colex rank -> element, -1 when not one
    std::vector<int> m_candidateOf; // colex rank -> candidate, -1 when not one
    int m_low = 0;
    int m_high = 0;
    std::array<int, kMaxSize + 1> m_weight{};
    Counts m_uncoveredAt;                  // per subset: elements holding it that no ticket covers
    Counts m_onceAt;                       // per subset: elements holding it that one ticket covers
    std::vector<std::int32_t> m_cover;     // per element: tickets covering it
    std::vector<std::uint32_t> m_coverers; // per element: xor of (candidate + 1) covering it
    std::vector<int> m_chosen;
    std::vector<int> m_chosenAt; // per candidate: its place in m_chosen, -1 when not chosen
    std::int64_t m_uncovered = 0;
    std::int64_t m_work = 0;
    int m_told = -1;
    NearScratch m_scratch;
};

} // namespace

std::vector<NumberMask> allSetsOf(int ground, int size) {
    std::vector<int> positions;
    for (int p = 0; p < ground; ++p)
        positions.push_back(p);
    std::vector<NumberMask> sets;
    subsetsOfSize(positions, size, sets);
    return sets;
}

bool forEachSetNear(NumberMask near, int ground, int size, int threshold,
                    const std::function<bool(NumberMask)>& visit) {
    bool going = true;
    NearScratch scratch;
    visitNear(near, ground, size, threshold, scratch, [&](NumberMask set) {
        if (going)
            going = visit(set);
    });
    return going;
}

CoverOutcome findCover(const CoverInput& input, const CoverOptions& options) {
    if (input.ground < 1 || input.ground > kMaxGround || input.elementSize < 1 ||
        input.elementSize > kMaxSize || input.ticketSize < 1 || input.ticketSize > kMaxSize ||
        input.elementSize > input.ground || input.ticketSize > input.ground)
        return {};
    CoverSearch search(input, options);
    return search.run();
}

} // namespace ssq
