// The hot/cold values of a history, and the 41 indicators of a draw that they feed.

#include "model/indicators.h"

#include <QTest>

#include <algorithm>
#include <set>

using namespace ssq;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ssq::RedCombo)

namespace {

// `count` draws of 28..33; the draws whose index (0 = oldest) is in `with` hold `number`
// in place of 28.
std::vector<RedCombo> historyOf(int count, int number, const std::set<int>& with) {
    std::vector<RedCombo> history(count, RedCombo{28, 29, 30, 31, 32, 33});
    for (int i : with)
        history[i][0] = number;
    return history;
}

// `expected` lists "index:value" pairs; indices not listed are not checked.
void compareIndicators(const Indicators& actual, const QString& expected) {
    for (const QString& pair : expected.split(u' ')) {
        const int index = pair.section(u':', 0, 0).toInt();
        const int value = pair.section(u':', 1).toInt();
        if (actual[index] != value)
            QFAIL(qPrintable(
                u"indicator %1 is %2, expected %3"_s.arg(index).arg(actual[index]).arg(value)));
    }
}

} // namespace

class TestIndicators : public QObject {
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
            QCOMPARE(s.hv[7], draws == 22 ? -70 : -15912); // 0 - Int(6n/33) + 0 - 3n
            QCOMPARE(s.omission[28], 0);
        }
    }

    // With fewer than 22 draws the values stay 0.
    void shortHistories() {
        QCOMPARE(hotColdValues(historyOf(21, 7, {0, 20})), HotColdValues{});
        QCOMPARE(hotColdValues({}), HotColdValues{});
        QCOMPARE(hotColdStats({}).hv, HotColdValues{});
    }

    void selfIndicators_data() {
        QTest::addColumn<RedCombo>("red");
        QTest::addColumn<int>("blue");
        QTest::addColumn<QString>("expected");
        // 1 sum, 2 AC, 3 small (below 18), 4 odd, 5 same tail, 6 consecutive, 19..21 zones, 22
        // span.
        QTest::newRow("1 2 3 4 5 6 + 1") << RedCombo{1, 2, 3, 4, 5, 6} << 1
                                         << u"1:21 2:5 3:6 4:3 5:0 6:5 19:6 20:0 21:0 22:5 "
                                            u"33:1 34:1 35:0 36:2 37:0 38:2 39:1 40:0 41:0"_s;
        QTest::newRow("two tails twice, three runs")
            << RedCombo{3, 4, 13, 14, 23, 24} << 1
            << u"1:81 2:7 3:4 4:3 5:4 6:3 19:2 20:2 21:2 22:21"_s;
        QTest::newRow("zone and small bounds")
            << RedCombo{11, 12, 17, 18, 22, 23} << 1
            << u"1:103 2:8 3:3 4:3 5:1 6:3 19:1 20:4 21:1 22:12"_s;

        // Code digits: 9 parity, 10 sum, 11 tail, 12 small, 13 odd, 14 prime, 15 consecutive
        // pairs, 17 equal pairs, 18 code AC.
        QTest::newRow("code 0012345")
            << comboOfCode(12345) << 1 << u"9:1 10:15 11:5 12:6 13:3 14:3 15:6 17:1 18:6"_s;
        // A leading 1 is odd but neither small nor prime.
        QTest::newRow("code 1000000")
            << comboOfCode(1000000) << 1 << u"9:2 10:1 11:1 12:6 13:1 14:0 15:6 17:15 18:2"_s;
        QTest::newRow("code 1107568")
            << comboOfCode(1107568) << 1 << u"9:2 10:28 11:8 12:2 13:4 14:2 15:5 17:1 18:9"_s;

        // Blue code (tens c1, units c2): 33 big/small, 34 odd/even, 35 code big, 36 code odd,
        // 37 code prime, 38 sum, 39 product, 40 span, 41 consecutive.
        const RedCombo any{1, 2, 3, 4, 5, 6};
        QTest::newRow("blue 8 (24)")
            << any << 8 << u"33:1 34:2 35:1 36:0 37:1 38:6 39:8 40:2 41:0"_s;
        QTest::newRow("blue 9 (31)")
            << any << 9 << u"33:9 34:1 35:1 36:2 37:1 38:4 39:3 40:2 41:0"_s;
        QTest::newRow("blue 16 (44)") << any << 16 << u"33:9 34:2 35:2 36:0 37:0 38:8 39:16 40:0"_s;
    }
    void selfIndicators() {
        QFETCH(RedCombo, red);
        QFETCH(int, blue);
        QFETCH(QString, expected);
        compareIndicators(ssq::selfIndicators(red, blue), expected);
    }

    void previousDrawIndicators_data() {
        QTest::addColumn<RedCombo>("red");
        QTest::addColumn<RedCombo>("previous");
        QTest::addColumn<QString>("expected"); // 7 repeats, 8 adjacent, 16 code repeats
        // Each current number counts once, however many previous numbers it touches, and one
        // previous number can make two current numbers adjacent.
        QTest::newRow("counted over current numbers")
            << RedCombo{2, 4, 20, 22, 30, 32} << RedCombo{3, 10, 11, 12, 21, 31} << u"7:0 8:6"_s;
        QTest::newRow("same draw again") << RedCombo{1, 5, 12, 20, 27, 33}
                                         << RedCombo{1, 5, 12, 20, 27, 33} << u"7:6 8:0 16:7"_s;
        QTest::newRow("no previous draw")
            << RedCombo{1, 2, 3, 4, 5, 6} << RedCombo{} << u"7:0 8:0 16:0"_s;
        // Code repeats count the previous code's digits found in the current one.
        QTest::newRow("0012345 after 0000001") << comboOfCode(12345) << comboOfCode(1) << u"16:7"_s;
        QTest::newRow("0000001 after 0012345") << comboOfCode(1) << comboOfCode(12345) << u"16:3"_s;
    }
    void previousDrawIndicators() {
        QFETCH(RedCombo, red);
        QFETCH(RedCombo, previous);
        QFETCH(QString, expected);
        compareIndicators(drawIndicators(red, 1, previous, HotColdValues{}), expected);
    }

    // 23 sum, 24 cold, 25 warm, 26 hot, 27..32 the six values.
    void hotColdIndicators() {
        HotColdValues hv{};
        hv[1] = -16; // cold
        hv[2] = -15; // warm
        hv[3] = 9;   // warm
        hv[4] = 10;  // hot
        hv[6] = 20;  // hot
        hv[7] = -99; // not in the draw
        compareIndicators(drawIndicators({1, 2, 3, 4, 5, 6}, 1, {7, 8, 9, 10, 11, 12}, hv),
                          u"23:8 24:1 25:3 26:2 27:-16 28:-15 29:9 30:10 31:0 32:20"_s);
        // Without a history in force (fewer than 22 draws) every number is warm.
        compareIndicators(drawIndicators({3, 8, 14, 21, 27, 33}, 5, {1, 2, 3, 4, 5, 6}, {}),
                          u"23:0 24:0 25:6 26:0 27:0 32:0"_s);
    }
};

QTEST_APPLESS_MAIN(TestIndicators)
#include "test_indicators.moc"
