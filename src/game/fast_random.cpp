#include "game/fast_random.h"

#include <random>

namespace ssq {

FastRandom::FastRandom(std::uint64_t seed) {
    // splitmix64 spreads any seed, even 0 or 1, over the whole state.
    for (std::uint64_t& word : m_s) {
        seed += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = seed;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        word = z ^ (z >> 31);
    }
}

std::uint64_t FastRandom::systemSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

} // namespace ssq
