// Wheels and kept-set covers: ticket counts against a plain greedy cover (the ticket covering
// the most uncovered cases, ties to the lowest rank) for every pool of 7..20 reds and every
// offered guarantee, the time of each wheel, and the time of the g = 5 cover of 100,000 kept
// combinations and the g = 4 cover of 20,000.
//   ssq-bench-wheel [--smoke] [--pools 7-20]

#include "bench_harness.h"
#include "bench_panels.h"

#include "red/selection_engine.h"
#include "tickets/cover_search.h"
#include "tickets/wheel.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unordered_map>
#include <vector>

namespace {

// Processor time of this process: the machine may be busy with other work, the limits are for
// one core.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// The plain greedy, written apart from the search: exact gains kept per candidate, the best
// found by a full scan every step.
int plainGreedy(int n, int m, int g) {
    const std::vector<ssq::NumberMask> elements = ssq::allSetsOf(n, m);
    const std::vector<ssq::NumberMask> candidates = ssq::allSetsOf(n, 6);
    std::unordered_map<ssq::NumberMask, int> rankOf;
    for (std::size_t c = 0; c < candidates.size(); ++c)
        rankOf[candidates[c]] = static_cast<int>(c);
    std::vector<int> gain(candidates.size(), 0);
    for (std::size_t c = 0; c < candidates.size(); ++c)
        for (ssq::NumberMask e : elements)
            gain[c] += std::popcount(e & candidates[c]) >= g;
    std::vector<char> covered(elements.size(), 0);
    std::size_t left = elements.size();
    int tickets = 0;
    while (left > 0) {
        const std::size_t best = std::max_element(gain.begin(), gain.end()) - gain.begin();
        ++tickets;
        for (std::size_t e = 0; e < elements.size(); ++e) {
            if (covered[e] || std::popcount(elements[e] & candidates[best]) < g)
                continue;
            covered[e] = 1;
            --left;
            ssq::forEachSetNear(elements[e], n, 6, g, [&](ssq::NumberMask t) {
                --gain[rankOf.at(t)];
                return true;
            });
        }
    }
    return tickets;
}

std::vector<std::int32_t> sample(const std::vector<std::int32_t>& codes, std::size_t size) {
    if (codes.size() <= size)
        return codes;
    std::vector<std::int32_t> picked;
    for (std::size_t i = 0; i < size; ++i)
        picked.push_back(codes[i * codes.size() / size]);
    return picked;
}

} // namespace

int main(int argc, char** argv) {
    const bool smoke = bench::smokeRun(argc, argv);
    int firstPool = smoke ? 10 : ssq::kMinPool;
    int lastPool = smoke ? 10 : ssq::kMaxPool;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--pools") == 0)
            std::sscanf(argv[i + 1], "%d-%d", &firstPool, &lastPool);

    bool ok = true;
    std::printf("%-6s %-8s %8s %8s %8s %10s  %s\n", "pool", "保号", "plain", "greedy", "wheel",
                "ms", "verified");
    for (int n = firstPool; n <= lastPool; ++n) {
        ssq::WheelRequest request;
        for (int r = 1; r <= n; ++r)
            request.pool.push_back(r);
        for (ssq::Guarantee g : ssq::offeredGuarantees()) {
            request.guarantee = g;
            const double start = cpuMs();
            const ssq::TicketCover wheel = ssq::buildWheel(request, ssq::kDefaultCoverSeed);
            const double ms = cpuMs() - start;
            // Every 6-set is needed for 中6保6, and its greedy is that too.
            const int plain =
                g.match == 6 && g.keep == 6 ? wheel.greedyCount : plainGreedy(n, g.match, g.keep);
            const int count = static_cast<int>(wheel.tickets.size());
            ok = ok && wheel.verified() && count <= plain && (smoke || ms <= 2000);
            std::printf("%-6d %-8s %8d %8d %8d %10.1f  %s\n", n, qPrintable(ssq::guaranteeText(g)),
                        plain, wheel.greedyCount, count, ms, wheel.verified() ? "yes" : "NO");
        }
    }

    const ssq::SelectionEngine engine(bench::realisticPanel(), bench::sampleHotCold());
    const ssq::SelectionResult kept = engine.run();
    std::printf("realistic panel keeps %d combinations\n", kept.count());
    struct Case {
        std::size_t size;
        int keep;
        double limitMs;
    };
    for (const Case& c : {Case{100000, 5, 2000}, Case{20000, 4, 5000}}) {
        const std::vector<std::int32_t> codes = sample(kept.codes, smoke ? 2000 : c.size);
        const double start = cpuMs();
        const ssq::TicketCover cover = ssq::coverKeptSet(codes, c.keep, ssq::kDefaultCoverSeed);
        const double ms = cpuMs() - start;
        ok = ok && cover.verified() && (smoke || ms <= c.limitMs);
        std::printf("kept %zu, 保%d: greedy %d, cover %zu tickets, %.1f ms, %s\n", codes.size(),
                    c.keep, cover.greedyCount, cover.tickets.size(), ms,
                    cover.verified() ? "verified" : "NOT VERIFIED");
    }
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
