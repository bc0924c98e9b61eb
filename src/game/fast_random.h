#pragma once
// xoshiro256** (Blackman and Vigna), seeded once through splitmix64. Seeding once from a good
// source matters: a generator re-seeded from the clock before every ball repeats its values
// within one clock tick, which biases the draw. `uniform` lives in the header because the
// repeated draw calls it hundreds of millions of times and must inline it.

#include "game/random_source.h"

#include <array>
#include <cstdint>

namespace ssq {

class FastRandom final : public RandomSource {
public:
    explicit FastRandom(std::uint64_t seed);
    // A seed from the system's entropy source (std::random_device).
    static std::uint64_t systemSeed();

    std::uint64_t next() {
        const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
        const std::uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = rotl(m_s[3], 45);
        return result;
    }

    // Lemire's multiply-and-shift on the upper 32 bits, with the rare rejection that makes every
    // value exactly equally likely.
    int uniform(int n) override {
        const auto range = static_cast<std::uint32_t>(n);
        std::uint64_t m = (next() >> 32) * range;
        auto low = static_cast<std::uint32_t>(m);
        if (low < range) {
            const std::uint32_t threshold = (0u - range) % range;
            while (low < threshold) {
                m = (next() >> 32) * range;
                low = static_cast<std::uint32_t>(m);
            }
        }
        return static_cast<int>(m >> 32) + 1;
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::array<std::uint64_t, 4> m_s{};
};

} // namespace ssq
