#pragma once
// Where the game's balls come from. The window and the command line use FastRandom; tests
// script the balls one by one.

namespace ssq {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniformly distributed whole number in 1..n, n >= 1.
    virtual int uniform(int n) = 0;
};

} // namespace ssq
