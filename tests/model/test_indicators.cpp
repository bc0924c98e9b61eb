#include "model/indicators.h"

#include <QTest>

#include <map>

using namespace ssq;
using namespace Qt::StringLiterals;

// Indicator index -> expected value; indices not listed are not checked.
using Expected = std::map<int, int>;

Q_DECLARE_METATYPE(ssq::RedCombo)
Q_DECLARE_METATYPE(Expected)

namespace {

void compareIndicators(const Indicators& actual, const Expected& expected) {
    for (const auto& [index, value] : expected) {
        if (actual[index] != value)
            QFAIL(qPrintable(u"indicator %1 is %2, expected %3"_s.arg(index).arg(actual[index]).arg(value)));
    }
}

CodeDigits digitsOf(const char* text) {
    CodeDigits c;
    for (int i = 0; i < 7; ++i)
        c.d[i] = text[i] - '0';
    return c;
}

} // namespace

class TestIndicators : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void redIndicators_data();
    void redIndicators();
    void codeIndicators_data();
    void codeIndicators();
    void blueIndicators_data();
    void blueIndicators();
    void previousDrawIndicators_data();
    void previousDrawIndicators();
    void codeRepeatsCountPreviousDigits_data();
    void codeRepeatsCountPreviousDigits();
    void hotColdIndicators();
    void withoutHistoryEveryNumberIsWarm();
    void withoutPreviousDrawNothingRepeats();
    void selfIndicatorsLeaveOthersZero();
    void labels();
};

void TestIndicators::redIndicators_data() {
    QTest::addColumn<RedCombo>("red");
    QTest::addColumn<Expected>("expected");
    QTest::newRow("1 2 3 4 5 6") << RedCombo{1, 2, 3, 4, 5, 6}
        << Expected{{1, 21}, {2, 5}, {3, 6}, {4, 3}, {5, 0}, {6, 5}, {19, 6}, {20, 0}, {21, 0}, {22, 5}};
    QTest::newRow("two tails twice, three runs") << RedCombo{3, 4, 13, 14, 23, 24}
        << Expected{{1, 81}, {2, 7}, {3, 4}, {4, 3}, {5, 4}, {6, 3}, {19, 2}, {20, 2}, {21, 2}, {22, 21}};
    QTest::newRow("three numbers share a tail") << RedCombo{3, 5, 13, 17, 23, 29}
        << Expected{{5, 2}, {6, 0}, {19, 2}, {20, 2}, {21, 2}, {22, 26}};
    QTest::newRow("zone and small bounds") << RedCombo{11, 12, 17, 18, 22, 23}
        << Expected{{1, 103}, {2, 8}, {3, 3}, {4, 3}, {5, 1}, {6, 3}, {19, 1}, {20, 4}, {21, 1}, {22, 12}};
    QTest::newRow("largest AC value") << RedCombo{1, 2, 5, 11, 13, 18} << Expected{{2, 15}};
    QTest::newRow("28 29 30 31 32 33") << RedCombo{28, 29, 30, 31, 32, 33}
        << Expected{{1, 183}, {2, 5}, {3, 0}, {4, 3}, {5, 0}, {6, 5}, {19, 0}, {20, 0}, {21, 6}, {22, 5}};
}

void TestIndicators::redIndicators() {
    QFETCH(RedCombo, red);
    QFETCH(Expected, expected);
    compareIndicators(selfIndicators(red, 1), expected);
}

void TestIndicators::codeIndicators_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<Expected>("expected");
    // 9 parity, 10 sum, 11 tail, 12 small, 13 odd, 14 prime, 15 consecutive pairs,
    // 17 equal pairs, 18 code AC.
    QTest::newRow("0000001") << 1
        << Expected{{9, 1}, {10, 1}, {11, 1}, {12, 7}, {13, 1}, {14, 0}, {15, 6}, {17, 15}, {18, 2}};
    QTest::newRow("0000002") << 2
        << Expected{{9, 2}, {10, 2}, {11, 2}, {12, 7}, {13, 0}, {14, 1}, {15, 0}, {17, 15}, {18, 2}};
    QTest::newRow("0012345") << 12345
        << Expected{{9, 1}, {10, 15}, {11, 5}, {12, 6}, {13, 3}, {14, 3}, {15, 6}, {17, 1}, {18, 6}};
    QTest::newRow("0987654") << 987654
        << Expected{{9, 2}, {10, 39}, {11, 9}, {12, 2}, {13, 3}, {14, 2}, {15, 5}, {17, 0}, {18, 9}};
    // A leading 1 is odd but neither small nor prime.
    QTest::newRow("1000000") << 1000000
        << Expected{{9, 2}, {10, 1}, {11, 1}, {12, 6}, {13, 1}, {14, 0}, {15, 6}, {17, 15}, {18, 2}};
    QTest::newRow("1107568") << 1107568
        << Expected{{9, 2}, {10, 28}, {11, 8}, {12, 2}, {13, 4}, {14, 2}, {15, 5}, {17, 1}, {18, 9}};
}

void TestIndicators::codeIndicators() {
    QFETCH(int, code);
    QFETCH(Expected, expected);
    compareIndicators(selfIndicators(comboOfCode(code), 1), expected);
}

void TestIndicators::blueIndicators_data() {
    QTest::addColumn<int>("blue");
    QTest::addColumn<Expected>("expected");
    // 33 big/small, 34 odd/even, 35 code big, 36 code odd, 37 code prime, 38 sum, 39 product,
    // 40 span, 41 consecutive.
    QTest::newRow("1 (11)") << 1
        << Expected{{33, 1}, {34, 1}, {35, 0}, {36, 2}, {37, 0}, {38, 2}, {39, 1}, {40, 0}, {41, 0}};
    QTest::newRow("2 (12)") << 2 << Expected{{33, 1}, {34, 2}, {40, 1}, {41, 1}};
    QTest::newRow("5 (21)") << 5 << Expected{{34, 1}, {40, 1}, {41, 1}};
    QTest::newRow("8 (24)") << 8
        << Expected{{33, 1}, {34, 2}, {35, 1}, {36, 0}, {37, 1}, {38, 6}, {39, 8}, {40, 2}, {41, 0}};
    QTest::newRow("9 (31)") << 9
        << Expected{{33, 9}, {34, 1}, {35, 1}, {36, 2}, {37, 1}, {38, 4}, {39, 3}, {40, 2}, {41, 0}};
    QTest::newRow("16 (44)") << 16
        << Expected{{33, 9}, {34, 2}, {35, 2}, {36, 0}, {37, 0}, {38, 8}, {39, 16}, {40, 0}, {41, 0}};
}

void TestIndicators::blueIndicators() {
    QFETCH(int, blue);
    QFETCH(Expected, expected);
    compareIndicators(selfIndicators({1, 2, 3, 4, 5, 6}, blue), expected);
}

void TestIndicators::previousDrawIndicators_data() {
    QTest::addColumn<RedCombo>("red");
    QTest::addColumn<RedCombo>("previous");
    QTest::addColumn<int>("repeats");
    QTest::addColumn<int>("adjacent");
    QTest::newRow("one neighbour") << RedCombo{1, 2, 3, 4, 5, 6} << RedCombo{7, 8, 9, 10, 11, 12} << 0 << 1;
    QTest::newRow("one repeat, four neighbours")
        << RedCombo{5, 10, 15, 20, 25, 30} << RedCombo{4, 10, 16, 21, 26, 33} << 1 << 4;
    QTest::newRow("repeated and adjacent counts in both")
        << RedCombo{10, 11, 20, 22, 30, 32} << RedCombo{10, 11, 12, 13, 14, 15} << 2 << 2;
    // Each current number counts once, however many previous numbers it touches, and one
    // previous number can make two current numbers adjacent.
    QTest::newRow("counted over current numbers")
        << RedCombo{2, 4, 20, 22, 30, 32} << RedCombo{3, 10, 11, 12, 21, 31} << 0 << 6;
    QTest::newRow("same draw again") << RedCombo{1, 5, 12, 20, 27, 33} << RedCombo{1, 5, 12, 20, 27, 33} << 6 << 0;
}

void TestIndicators::previousDrawIndicators() {
    QFETCH(RedCombo, red);
    QFETCH(RedCombo, previous);
    QFETCH(int, repeats);
    QFETCH(int, adjacent);
    const Indicators x = drawIndicators(red, 1, previous, HotColdValues{});
    QCOMPARE(x[7], repeats);
    QCOMPARE(x[8], adjacent);
}

void TestIndicators::codeRepeatsCountPreviousDigits_data() {
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<int>("repeats");
    QTest::newRow("every previous zero found") << u"0012345"_s << u"0000001"_s << 7;
    QTest::newRow("only the zeros and the one") << u"0000001"_s << u"0012345"_s << 3;
    QTest::newRow("only the leading zero") << u"0000001"_s << u"0987654"_s << 1;
    QTest::newRow("1107568 after 0000001") << u"0000001"_s << u"1107568"_s << 3;
}

void TestIndicators::codeRepeatsCountPreviousDigits() {
    QFETCH(QString, current);
    QFETCH(QString, previous);
    QFETCH(int, repeats);
    QCOMPARE(codeRepeatCount(digitsOf(qPrintable(current)), digitsOf(qPrintable(previous))), repeats);
    const Indicators x = drawIndicators(comboOfCode(current.toInt()), 1, comboOfCode(previous.toInt()), {});
    QCOMPARE(x[16], repeats);
}

void TestIndicators::hotColdIndicators() {
    HotColdValues hv{};
    hv[1] = -16; // cold
    hv[2] = -15; // warm
    hv[3] = 9;   // warm
    hv[4] = 10;  // hot
    hv[6] = 20;  // hot
    hv[7] = -99; // not in the draw
    const Indicators x = drawIndicators({1, 2, 3, 4, 5, 6}, 1, {7, 8, 9, 10, 11, 12}, hv);
    compareIndicators(x, {{23, 8}, {24, 1}, {25, 3}, {26, 2},
                          {27, -16}, {28, -15}, {29, 9}, {30, 10}, {31, 0}, {32, 20}});
}

void TestIndicators::withoutHistoryEveryNumberIsWarm() {
    const Indicators x = drawIndicators({3, 8, 14, 21, 27, 33}, 5, {1, 2, 3, 4, 5, 6}, HotColdValues{});
    compareIndicators(x, {{23, 0}, {24, 0}, {25, 6}, {26, 0},
                          {27, 0}, {28, 0}, {29, 0}, {30, 0}, {31, 0}, {32, 0}});
}

void TestIndicators::withoutPreviousDrawNothingRepeats() {
    const Indicators x = drawIndicators({1, 2, 3, 4, 5, 6}, 1, RedCombo{}, HotColdValues{});
    compareIndicators(x, {{7, 0}, {8, 0}, {16, 0}});
}

void TestIndicators::selfIndicatorsLeaveOthersZero() {
    const RedCombo red{2, 9, 16, 19, 25, 31};
    const Indicators self = selfIndicators(red, 7);
    HotColdValues hv{};
    hv.fill(12);
    const Indicators full = drawIndicators(red, 7, {1, 9, 15, 20, 26, 33}, hv);
    for (int i = 1; i <= kIndicatorCount; ++i) {
        const bool needsMore = i == 7 || i == 8 || i == 16 || (i >= 23 && i <= 32);
        if (needsMore)
            QCOMPARE(self[i], 0);
        else
            QCOMPARE(full[i], self[i]);
    }
}

void TestIndicators::labels() {
    QCOMPARE(QString::fromUtf8(indicatorLabel(1)), u"常规和值"_s);
    QCOMPARE(QString::fromUtf8(indicatorLabel(18)), u"代码AC值"_s);
    QCOMPARE(QString::fromUtf8(indicatorLabel(26)), u"常规热号个数"_s);
    QCOMPARE(QString::fromUtf8(indicatorLabel(33)), u"蓝球大小（1为小，9为大）"_s);
    QCOMPARE(QString::fromUtf8(indicatorLabel(41)), u"蓝球代码连号（1表示连号，0表示无连）"_s);
    for (int i : {0, 27, 32, 42, -1})
        QCOMPARE(indicatorLabel(i), "");
    for (int i = 1; i <= kIndicatorCount; ++i)
        QCOMPARE(*indicatorLabel(i) == '\0', i >= 27 && i <= 32);
}

QTEST_APPLESS_MAIN(TestIndicators)
#include "test_indicators.moc"
