// Times the game's draws against a seven-red pick: the counting run behind `ssq-cli game
// --draws` and the repeated draw of the second game (until six reds and the blue are hit).
// Besides wall-clock time it reports draws per second of processor time, which stays true on a
// machine whose cores are shared with other work.

#include "bench_harness.h"
#include "game/fast_random.h"
#include "game/game_draw.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

namespace {

// Runs `job` through the harness and prints draws a second by wall clock and by processor time.
void timeDraws(const char* name, int runs, bool smoke, const std::function<std::int64_t()>& job) {
    std::int64_t perRun = 0;
    const std::clock_t start = std::clock();
    const bench::Timing t = bench::measure(
        name, runs, [&] { perRun = job(); }, smoke);
    const double cpuSeconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    const int made = smoke ? 1 : runs + 1; // the harness warms up once
    std::printf("  %lld draws a run: %.1f million draws a second (median wall clock), "
                "%.1f million a second of processor time\n",
                static_cast<long long>(perRun), perRun / t.medianMs / 1000.0,
                perRun * double(made) / cpuSeconds / 1e6);
}

} // namespace

int main(int argc, char** argv) {
    const bool smoke = bench::smokeRun(argc, argv);
    const ssq::GamePick pick{{3, 8, 12, 19, 23, 27, 31}, 9};
    std::int64_t checksum = 0;

    // Every run starts from the same seed, so each makes the same draws.
    const std::int64_t draws = smoke ? 100000 : 20000000;
    timeDraws("countDraws, 20 million draws", 7, smoke, [&] {
        ssq::FastRandom random(20261207);
        const ssq::DrawCounts counts = ssq::countDraws(random, pick, draws);
        checksum += counts[6][1] + counts[3][0];
        return draws;
    });

    // Six reds and the blue take 16 * C(33,6) / C(7,6) = 2.5 million draws on average.
    timeDraws("repeatUntil 6 reds + blue, 5 times", 5, smoke, [&] {
        ssq::FastRandom random(7);
        std::int64_t made = 0;
        for (int i = 0; i < 5; ++i)
            made += ssq::repeatUntil(random, pick, {smoke ? 1 : 6, 1}).draws;
        return made;
    });
    std::printf("checksum %lld\n", static_cast<long long>(checksum));
    return 0;
}
