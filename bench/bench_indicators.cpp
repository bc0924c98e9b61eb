// Times the indicators that need only the draw itself over every red combination, the work
// the selection engine does per candidate.

#include "bench_harness.h"
#include "model/indicators.h"

#include <cstdint>
#include <cstdio>

namespace {

std::uint64_t allCombinations() {
    std::uint64_t checksum = 0;
    int blue = 1;
    for (int a = 1; a <= 28; ++a)
        for (int b = a + 1; b <= 29; ++b)
            for (int c = b + 1; c <= 30; ++c)
                for (int d = c + 1; d <= 31; ++d)
                    for (int e = d + 1; e <= 32; ++e)
                        for (int f = e + 1; f <= 33; ++f) {
                            const ssq::Indicators x = ssq::selfIndicators({a, b, c, d, e, f}, blue);
                            for (int i = 1; i <= ssq::kIndicatorCount; ++i)
                                checksum += static_cast<std::uint64_t>(x[i]) * i;
                            blue = blue % ssq::kBlueMax + 1;
                        }
    return checksum;
}

} // namespace

int main(int argc, char** argv) {
    const bool smoke = bench::smokeRun(argc, argv);
    std::uint64_t checksum = 0;
    bench::measure(
        "selfIndicators, all 1107568 combinations", 7, [&] { checksum += allCombinations(); },
        smoke);
    std::printf("checksum %llu\n", static_cast<unsigned long long>(checksum));
    return 0;
}
