// The back-test and the live count: 100 targets with 20 conditions on every core and on one,
// the last 1000 draws of the real history, and one live count (panel to count) with 17 and 40
// conditions. Each is compared with a bare walk through the combinations measured in the same
// run.

#include "bench_harness.h"
#include "bench_panels.h"

#include "backtest/backtest.h"
#include "backtest/condition_report.h"
#include "backtest/context_counter.h"
#include "backtest/live_count.h"
#include "red/selection_engine.h"

#include <QFile>

#include <chrono>
#include <cstdio>
#include <thread>

using namespace bench;

namespace {

// The real draw history, oldest first, read straight from the history file.
std::vector<ssq::StoredDraw> realHistory() {
    std::vector<ssq::StoredDraw> draws;
    QFile file(QStringLiteral(SSQ_DATA_DIR "/ssq-history.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return draws;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        const QStringList f = line.split(u',');
        if (f.size() < 8 || !f[0].front().isDigit())
            continue;
        ssq::StoredDraw d;
        d.issue = f[0].right(4).toInt();
        for (int i = 0; i < 6; ++i) {
            d.red[i] = f[1 + i].toInt();
            d.redColumns.push_back(d.red[i]);
        }
        d.blue = f[7].toInt();
        d.complete = true;
        draws.push_back(d);
    }
    return draws;
}

// The realistic set plus the three hot/cold conditions 37..39: 20 tested conditions.
ssq::PanelState twentyConditionPanel() {
    ssq::PanelState panel = realisticPanel();
    range(panel, 37, 148, 60, -80);
    range(panel, 38, 150, 3, 0);
    range(panel, 39, 152, 6, 1);
    return panel;
}

} // namespace

int main(int argc, char** argv) {
    const bool smoke = bench::smokeRun(argc, argv);
    const std::vector<ssq::StoredDraw> history = realHistory();
    if (history.size() < 1001) {
        std::printf("the draw history %s/ssq-history.csv is missing or short\n", SSQ_DATA_DIR);
        return 1;
    }
    std::printf("%u cores\n", std::thread::hardware_concurrency());
    const bench::Timing bare = bench::measure("bare walk", 15, bareWalk, smoke);
    const auto ratio = [&](const bench::Timing& t) {
        std::printf("    %.1f x the bare walk\n", t.medianMs / bare.medianMs);
    };

    const ssq::HotColdValues hv = sampleHotCold();
    for (const auto& [name, panel] :
         {std::pair{"live count, 17 conditions", realisticPanel()},
          std::pair{"live count, 40 conditions", everyConditionPanel()}}) {
        QString text;
        const bench::Timing t = bench::measure(
            name, 15, [&] { text = ssq::liveCountText(ssq::readSelectionInputs(panel, hv)); },
            smoke);
        std::printf("    %s\n", qPrintable(text));
        ratio(t);
        // The same walk as 红球选号 with the kept codes stored, in this run.
        const ssq::SelectionEngine engine(panel, hv);
        const bench::Timing full = bench::measure(
            "    full run of the same panel", 15, [&] { engine.run(); }, smoke);
        ratio(full);
    }

    const ssq::PanelState twenty = twentyConditionPanel();
    // "各条件统计": the combinations each condition cuts on its own. The first report of the
    // program tallies every combination once; the later ones only read the tallies.
    const auto firstStart = std::chrono::steady_clock::now();
    ssq::aloneFailedCounts(ssq::readSelectionInputs(twenty, hv));
    std::printf(
        "%-48s %9.2f ms\n", "conditions cut alone, first report, all cores",
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - firstStart)
            .count());
    for (const auto& [name, threads] :
         {std::pair{"conditions cut alone, 20 conditions, later reports", 0}})
        ratio(bench::measure(
            name, 5,
            [&] { ssq::aloneFailedCounts(ssq::readSelectionInputs(twenty, hv), nullptr, threads); },
            smoke));

    // Made once per back-test: the walk over the conditions that do not depend on the target.
    int candidates = 0;
    const bench::Timing setUp = bench::measure(
        "back-test set-up, 20 conditions", 5,
        [&] {
            candidates = ssq::ContextCounter(ssq::readSelectionInputs(twenty, hv)).candidateCount();
        },
        smoke);
    std::printf("    %d combinations left for the conditions of each target\n", candidates);
    ratio(setUp);
    struct Case {
        const char* name;
        int last;
        int threads;
        int runs;
    };
    const Case cases[] = {{"back-test, 100 targets, 20 conditions, all cores", 100, 0, 5},
                          {"back-test, 100 targets, 20 conditions, 1 core", 100, 1, 3},
                          {"back-test, 1000 targets, 20 conditions, all cores", 1000, 0, 1}};
    for (const Case& c : cases) {
        const ssq::Backtest backtest(twenty, hv, history, {smoke ? 4 : c.last, true});
        if (backtest.refusal()) {
            std::printf("%s refused: %s\n", c.name, qPrintable(*backtest.refusal()));
            return 1;
        }
        ssq::BacktestSummary summary;
        const bench::Timing t = bench::measure(
            c.name, c.runs, [&] { summary = backtest.run({}, nullptr, c.threads).summary(); },
            smoke);
        std::printf("    kept %d of %d draws, average kept %.1f\n", summary.keptDraws,
                    summary.targets, summary.averageKept);
        ratio(t);
    }
    return 0;
}
