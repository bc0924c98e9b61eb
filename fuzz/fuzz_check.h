#pragma once
// A property a fuzz target checks on every input: when it does not hold, the input is a
// finding, so the run stops the way a sanitizer report stops it.

#include <cstdio>
#include <cstdlib>

namespace ssq {

inline void fuzzCheck(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

} // namespace ssq
