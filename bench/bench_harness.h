#pragma once
// A tiny timing harness: runs a job repeatedly and reports the median and the fastest run.
// `--smoke` runs each job once so CI can prove the benchmark still works without timing it.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace bench {

inline bool smokeRun(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--smoke") == 0)
            return true;
    return false;
}

struct Timing {
    double medianMs = 0;
    double minMs = 0;
};

// Runs `job` `runs` times (after one warm-up unless smoke) and prints one line.
inline Timing measure(const char* name, int runs, const std::function<void()>& job, bool smoke) {
    if (smoke)
        runs = 1;
    else
        job();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        job();
        auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    Timing t{ms[ms.size() / 2], ms.front()};
    std::printf("%-48s median %9.2f ms   min %9.2f ms   (%d runs)\n", name, t.medianMs, t.minMs,
                runs);
    return t;
}

} // namespace bench
