// The game's rules without a window: draws, refusals, prizes, the repeated draw and the
// generator's distribution against the exact probabilities.

#include "game/fast_random.h"
#include "game/game_draw.h"
#include "game/game_pick.h"
#include "game/game_texts.h"
#include "scripted_random.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using ssq::PickProblem;

namespace {

// Passes every call on, but is not a FastRandom: the draw loops take their general path.
class Forwarding : public ssq::RandomSource {
public:
    explicit Forwarding(ssq::RandomSource& inner) : m_inner(inner) {}
    int uniform(int n) override { return m_inner.uniform(n); }

private:
    ssq::RandomSource& m_inner;
};

double choose(int n, int k) {
    double c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

using PickValues = std::array<double, 8>;

const ssq::GamePick kPick{{3, 8, 12, 19, 23, 27, 31}, 9};
constexpr PickValues kPickValues{3, 8, 12, 19, 23, 27, 31, 9};

// kPickValues with one box changed.
PickValues with(int index, double value) {
    PickValues v = kPickValues;
    v[std::size_t(index)] = value;
    return v;
}

} // namespace

class TestGameLogic : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A red equal to one drawn before it in the same draw is drawn again, as often as needed.
    void redrawsRepeatedReds() {
        ssq::test::ScriptedRandom balls({5, 5, 7, 5, 7, 9, 12, 1, 12, 33, 16});
        const ssq::GameDraw draw = ssq::makeDraw(balls);
        QCOMPARE(draw.reds, (std::array<int, 6>{5, 7, 9, 12, 1, 33}));
        QCOMPARE(draw.blue, 16);
        QVERIFY(balls.usedUp());

        balls.add({2, 2, 2, 4, 6, 8, 10, 12, 14, 14});
        const ssq::GamePick pick = ssq::randomPick(balls);
        QCOMPARE(pick.reds, (std::array<int, 7>{2, 4, 6, 8, 10, 12, 14}));
        QCOMPARE(pick.blue, 14); // the blue may equal a red
    }

    void checksPicks_data() {
        QTest::addColumn<PickValues>("values");
        QTest::addColumn<int>("problem");
        const auto row = [](const char* name, PickValues v, PickProblem p) {
            QTest::newRow(name) << v << int(p);
        };
        row("good", kPickValues, PickProblem::None);
        row("empty first red", with(0, 0), PickProblem::OutOfRange);
        row("red 34", with(6, 34), PickProblem::OutOfRange);
        row("red 5.5", with(1, 5.5), PickProblem::OutOfRange);
        row("blue 17", with(7, 17), PickProblem::OutOfRange);
        row("repeated red", with(6, 3), PickProblem::RepeatedReds);
        row("repeated and out of range", {3, 3, 12, 19, 23, 27, 40, 9}, PickProblem::OutOfRange);
    }
    void checksPicks() {
        QFETCH(PickValues, values);
        QFETCH(int, problem);
        const ssq::PickCheck check = ssq::checkPick(values);
        QCOMPARE(int(check.problem), problem);
        if (check.problem == PickProblem::None)
            QCOMPARE(check.pick.reds[6], int(values[6]));
    }

    void checksTargets_data() {
        QTest::addColumn<PickValues>("values");
        QTest::addColumn<double>("red");
        QTest::addColumn<double>("blue");
        QTest::addColumn<int>("problem");
        const PickValues repeated = with(1, 3);
        const PickValues outOfRange = with(0, 34);
        QTest::newRow("6 and 0") << kPickValues << 6.0 << 0.0 << int(PickProblem::None);
        QTest::newRow("red 7") << kPickValues << 7.0 << 0.0 << int(PickProblem::OutOfRange);
        QTest::newRow("red 0") << kPickValues << 0.0 << 0.0 << int(PickProblem::RedTargetZero);
        QTest::newRow("blue 2") << kPickValues << 3.0 << 2.0 << int(PickProblem::OutOfRange);
        QTest::newRow("bad pick, red 0")
            << outOfRange << 0.0 << 0.0 << int(PickProblem::OutOfRange);
        QTest::newRow("repeated, red 0")
            << repeated << 0.0 << 0.0 << int(PickProblem::RedTargetZero);
        QTest::newRow("repeated") << repeated << 6.0 << 1.0 << int(PickProblem::RepeatedReds);
    }
    void checksTargets() {
        QFETCH(PickValues, values);
        QFETCH(double, red);
        QFETCH(double, blue);
        QFETCH(int, problem);
        const ssq::RepeatCheck check = ssq::checkRepeat(values, red, blue);
        QCOMPARE(int(check.problem), problem);
        if (check.problem == PickProblem::None)
            QVERIFY(ssq::isReachable(check.pick, check.target));
    }

    void prizeRows_data() {
        QTest::addColumn<int>("reds");
        QTest::addColumn<bool>("blue");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("win");
        const auto row = [](int reds, bool blue, const QString& text, bool win) {
            QTest::addRow("%d%s", reds, blue ? "+blue" : "") << reds << blue << text << win;
        };
        // the top and the bottom of the table, and either side of winning
        row(6, true, u"您中了1等奖1注，3等奖6注，哈哈，500万哦！！我要绑票"_s, true);
        row(4, false, u"您中了5等奖共3注"_s, true);
        row(3, false, u"您赔钱了"_s, false);
        row(3, true, u"您中了5等奖共4注,6等奖3注，"_s, true);
        row(0, true, u"您中了6等奖共7注"_s, true);
        row(0, false, u"您赔钱了"_s, false);
    }
    void prizeRows() {
        QFETCH(int, reds);
        QFETCH(bool, blue);
        QFETCH(QString, text);
        QFETCH(bool, win);
        QCOMPARE(ssq::prizeText(reds, blue), text);
        QCOMPARE(ssq::isWinningRow(reds, blue), win);
    }

    // The window test reads the texts with the blue hit; these are the ones without it.
    void hitTextsWithoutTheBlue() {
        const ssq::GameDraw draw{{19, 4, 3, 30, 31, 20}, 10};
        const ssq::DrawHits hits = ssq::hitsOf(draw, kPick);
        QVERIFY(hits.reds == 3 && !hits.blue);
        QCOMPARE(ssq::singleDrawHitText(draw, hits), u"您选中红球 19  3  31  共3个号码"_s);
        QCOMPARE(ssq::repeatedDrawHitText(draw, hits), u"选中红球 19    3    31    共3个"_s);
    }

    // Six of the seven reds without the blue: a draw with the blue too does not stop the loop.
    void repeatsUntilExactTarget() {
        ssq::test::ScriptedRandom balls({3,  8, 12, 19, 23, 27, 9, // six reds and the blue
                                         31, 3, 8,  12, 19, 23, 5, // six reds, another blue
                                         1,  2, 4,  5,  6,  7,  9});
        const ssq::RepeatOutcome outcome = ssq::repeatUntil(balls, kPick, {6, 0});
        QVERIFY(outcome.met);
        QCOMPARE(outcome.draws, 2);
        QCOMPARE(outcome.last.reds, (std::array<int, 6>{31, 3, 8, 12, 19, 23}));
        QCOMPARE(outcome.last.blue, 5);
        QVERIFY(!balls.usedUp());
    }

    // Repeated reds cannot hit six; the loop refuses instead of running for ever. A stop
    // request ends a run that would otherwise not end soon.
    void refusesUnreachableAndStops() {
        ssq::GamePick repeated = kPick;
        repeated.reds[6] = 3;
        ssq::test::ScriptedRandom balls;
        QVERIFY(!ssq::isReachable(repeated, {6, 1}));
        const ssq::RepeatOutcome refused = ssq::repeatUntil(balls, repeated, {6, 1});
        QVERIFY(!refused.met);
        QCOMPARE(refused.draws, 0);

        ssq::test::NeverHits never;
        const ssq::GamePick low{{1, 2, 3, 4, 5, 6, 7}, 2};
        const std::atomic<bool> cancel{true};
        std::atomic<std::int64_t> progress{0};
        const ssq::RepeatOutcome stopped = ssq::repeatUntil(never, low, {1, 0}, &cancel, &progress);
        QVERIFY(!stopped.met);
        QVERIFY(stopped.draws > 0);
        QCOMPARE(progress.load(), stopped.draws);
    }

    // The fast path and the general path make the same draws, and count what makeDraw and
    // hitsOf would count draw by draw.
    void countsAgreeWithSingleDraws() {
        constexpr int kDraws = 20000;
        ssq::FastRandom fast(99);
        const ssq::DrawCounts counted = ssq::countDraws(fast, kPick, kDraws);

        ssq::FastRandom again(99);
        Forwarding general(again);
        QCOMPARE(ssq::countDraws(general, kPick, kDraws), counted);

        ssq::FastRandom single(99);
        ssq::DrawCounts byHand{};
        for (int i = 0; i < kDraws; ++i) {
            const ssq::DrawHits hits = ssq::hitsOf(ssq::makeDraw(single), kPick);
            ++byHand[hits.reds][hits.blue ? 1 : 0];
        }
        QCOMPARE(byHand, counted);
    }

    // Two million draws against C(7,R)·C(26,6−R)/C(33,6) and 1/16. Six reds (under 13 expected)
    // make one cell, so 13 cells and 12 degrees of freedom: chi-square below 32.9, its 0.1 %
    // point. The seed is fixed, so the run is the same every time.
    void matchesExactProbabilities() {
        constexpr std::int64_t kDraws = 2000000;
        ssq::FastRandom random(20261207);
        const ssq::DrawCounts counts = ssq::countDraws(random, kPick, kDraws);
        double chi2 = 0;
        double pooledObserved = 0, pooledExpected = 0;
        int cells = 0;
        for (int r = 0; r <= 6; ++r) {
            const double pr = choose(7, r) * choose(26, 6 - r) / choose(33, 6);
            for (int h = 0; h <= 1; ++h) {
                const double expected = kDraws * pr * (h ? 1.0 / 16 : 15.0 / 16);
                if (r == 6) {
                    pooledObserved += counts[r][h];
                    pooledExpected += expected;
                    continue;
                }
                chi2 += std::pow(counts[r][h] - expected, 2) / expected;
                ++cells;
            }
        }
        chi2 += std::pow(pooledObserved - pooledExpected, 2) / pooledExpected;
        ++cells;
        QCOMPARE(cells, 13);
        QVERIFY2(chi2 < 32.9, qPrintable(QString::number(chi2)));
    }
};

QTEST_APPLESS_MAIN(TestGameLogic)
#include "test_game_logic.moc"
