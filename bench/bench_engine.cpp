// The selection engine over all 1,107,568 combinations: with no condition, with a realistic set
// of conditions over the three zones, and with every condition tested. Each is compared with a
// bare walk through the same combinations measured in the same run.

#include "bench_harness.h"
#include "bench_panels.h"

#include "red/selection_engine.h"

#include <cstdio>

using namespace bench;

int main(int argc, char** argv) {
    const bool smoke = bench::smokeRun(argc, argv);
    const int runs = 15;
    const ssq::HotColdValues hv = sampleHotCold();
    const bench::Timing bare = bench::measure("bare walk", runs, bareWalk, smoke);

    struct Case {
        const char* name;
        ssq::PanelState panel;
    };
    const Case cases[] = {{"no condition", lastDrawPanel()},
                          {"17 conditions, tolerance 0..2", realisticPanel()},
                          {"40 conditions, tolerance 0..3, 2 non-tolerant", everyConditionPanel()}};
    for (const Case& c : cases) {
        const ssq::SelectionEngine engine(c.panel, hv);
        if (auto refusal = engine.refusal()) {
            std::printf("%s refused: %s\n", c.name, qPrintable(*refusal));
            return 1;
        }
        int kept = 0;
        const bench::Timing t = bench::measure(
            c.name, runs, [&] { kept = engine.run().count(); }, smoke);
        std::printf("    kept %d, %.1f x the bare walk\n", kept, t.medianMs / bare.medianMs);
    }
    return 0;
}
