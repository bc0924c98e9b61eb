#include "model/hot_cold.h"
#include "support/draw_tables.h"

#include <QTest>

#include <algorithm>
#include <set>

using namespace ssq;

namespace {

// `count` draws of 28..33; the draws whose index (0 = oldest) is in `with` hold `number`
// in place of 28.
std::vector<RedCombo> historyOf(int count, int number, const std::set<int>& with) {
    std::vector<RedCombo> history(count, RedCombo{28, 29, 30, 31, 32, 33});
    for (int i : with)
        history[i][0] = number;
    return history;
}

// The red numbers of the real draw history, oldest first.
std::vector<RedCombo> realHistory(std::size_t count = SIZE_MAX) {
    std::vector<RedCombo> history;
    for (const QString& line : test::realHistoryLines())
        if (history.size() < count)
            history.push_back(test::parseRealLine(line).red);
    return history;
}

} // namespace

class TestHotCold : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // 100 draws; 7 drawn 20 times, 5 of them in the last 22, last seen 2 draws ago:
    // 20 - Int(600/33) + 2*5 - 3*2 = 6.
    void workedExample() {
        std::set<int> with{80, 85, 90, 95, 97};
        for (int i = 0; i < 15; ++i)
            with.insert(i * 5);
        const HotColdStats s = hotColdStats(historyOf(100, 7, with));
        QCOMPARE(s.total[7], 20);
        QCOMPARE(s.recent[7], 5);
        QCOMPARE(s.omission[7], 2);
        QCOMPARE(s.hv[7], 6);
        QCOMPARE(hotColdValues(historyOf(100, 7, with))[7], 6);
    }

    void neverDrawn() {
        for (int draws : {22, 5001}) {
            const HotColdStats s = hotColdStats(historyOf(draws, 7, {}));
            QCOMPARE(s.total[7], 0);
            QCOMPARE(s.omission[7], draws);
            QCOMPARE(s.hv[7], -(6 * draws / 33) - 3 * draws);
            QCOMPARE(s.omission[28], 0);
        }
    }

    // On 22 real draws every appearance is recent, the values follow from the counts, the six
    // numbers of each draw add up, and each omission points at the draw that last held the
    // number.
    void exactlyTwentyTwoDraws() {
        const std::vector<RedCombo> history = realHistory(22);
        QVERIFY2(history.size() == 22, "the shared draw history could not be read");
        const HotColdStats s = hotColdStats(history);
        int total = 0;
        for (int j = 1; j <= kRedMax; ++j) {
            total += s.total[j];
            QCOMPARE(s.recent[j], s.total[j]);
            QCOMPARE(s.hv[j], 3 * s.total[j] - 4 - 3 * s.omission[j]);
            const auto holds = [j](const RedCombo& red) {
                return std::find(red.begin(), red.end(), j) != red.end();
            };
            const int last = 21 - s.omission[j];
            QVERIFY(last == -1 ? s.total[j] == 0 : holds(history[last]));
            QVERIFY(std::none_of(history.begin() + last + 1, history.end(), holds));
        }
        QCOMPARE(total, 6 * 22);
        QCOMPARE(hotColdValues(history), s.hv);
    }

    // With fewer than 22 draws the values stay 0.
    void shortHistories() {
        const std::vector<RedCombo> history = realHistory(21);
        QVERIFY2(history.size() == 21, "the shared draw history could not be read");
        QCOMPARE(hotColdValues(history), HotColdValues{});
        QCOMPARE(hotColdValues({}), HotColdValues{});
        QCOMPARE(hotColdStats({}).hv, HotColdValues{});
    }

    // 7 is in draws 0, 10, 25 and 29 of 30.
    void window() {
        const std::vector<RedCombo> history = historyOf(30, 7, {0, 10, 25, 29});
        for (const auto& [draws, seen] : {std::pair{1, 1}, {5, 2}, {30, 4}, {5000, 4}, {-3, 0}})
            QCOMPARE(hotColdStats(history, draws).window[7], seen);
        QCOMPARE(hotColdStats(history).omission[28], 1); // replaced by 7 in the newest draw
    }
};

QTEST_APPLESS_MAIN(TestHotCold)
#include "test_hot_cold.moc"
