#pragma once

#include "game/random_source.h"

#include <deque>

namespace ssq::test {

// Hands out the balls a test lists, in order; then counts 1, 2, 3, … round each range, so a
// draw still ends.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<int> balls = {}) : m_balls(std::move(balls)) {}

    void add(std::initializer_list<int> balls) { m_balls.insert(m_balls.end(), balls); }
    bool usedUp() const { return m_balls.empty(); }

    int uniform(int n) override {
        if (m_balls.empty())
            return int(m_counter++ % n) + 1;
        const int ball = m_balls.front();
        m_balls.pop_front();
        return ball;
    }

private:
    std::deque<int> m_balls;
    long long m_counter = 0;
};

// Reds round 27..33 and blue 1: never one of the reds 1..7 nor the blue 2..16, so a pick of
// 1..7 is never hit and a run after any target must be stopped.
class NeverHits : public RandomSource {
public:
    int uniform(int n) override { return n == 33 ? 27 + int(m_next++ % 7) : 1; }

private:
    long long m_next = 0;
};

} // namespace ssq::test
