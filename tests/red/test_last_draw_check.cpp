#include "red/last_draw_check.h"

#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

// The newest draw 3 8 15 21 27 30 with code digits 0 4 7 2 9 5 0 in the last-draw row.
PanelState drawPanel() {
    PanelState p;
    const int reds[] = {3, 8, 15, 21, 27, 30};
    for (int i = 0; i < 6; ++i)
        p.text1[1 + i] = QString::number(reds[i]);
    p.text1[7] = u"9"_s;
    p.text1[8] = u"0472950"_s;
    const char* digits = "0472950";
    for (int i = 0; i < 7; ++i)
        p.text1[9 + i] = QString(QChar::fromLatin1(digits[i]));
    return p;
}

QList<int> ticked(const LastDrawCheck& c) {
    QList<int> out;
    for (int k = 1; k <= 40; ++k) {
        if (c.ticked[k])
            out.append(k);
    }
    return out;
}

QList<int> check(const PanelState& p, const StoredIndicators& stored = {}) {
    const LastDrawCheck c = checkLastDraw(p, stored);
    // The count always matches the ticks, and the message carries it.
    if (c.count != ticked(c).size() || c.message != lastDrawCheckMessage(c.count))
        return {-1};
    return ticked(c);
}

} // namespace

class TestLastDrawCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptySetTicksNothing();
    void rangeConditions_data();
    void rangeConditions();
    void rangeNeedsBothBoxes();
    void bankers();
    void numberCounts();
    void parity();
    void digitSumTail();
    void digitBankers();
    void digitCounts();
    void positionDigits();
    void killedNumbers();
    void ticksReplaceEnableBoxes();
    void storedIndicatorColumns();
};

void TestLastDrawCheck::emptySetTicksNothing() {
    StoredIndicators stored{};
    stored[1] = 120; // far outside 0..0, but no bound is given
    stored[9] = 2;
    const LastDrawCheck c = checkLastDraw(drawPanel(), stored);
    QCOMPARE(c.count, 0);
    QCOMPARE(ticked(c), QList<int>{});
    QCOMPARE(c.message, lastDrawCheckMessage(0));

    // A panel with nothing at all (the very first draw, indicators reading 0) ticks nothing.
    QCOMPARE(check(PanelState{}), QList<int>{});
}

void TestLastDrawCheck::rangeConditions_data() {
    QTest::addColumn<int>("condition");
    QTest::addColumn<int>("indicator");
    QTest::addColumn<int>("maxBox");
    const int rows[][3] = {
        {4, 1, 50},    {5, 2, 52},    {6, 3, 54},    {7, 4, 56},    {8, 5, 58},    {9, 6, 60},
        {10, 7, 62},   {11, 8, 64},   {13, 10, 66},  {15, 12, 74},  {16, 13, 76},  {17, 14, 78},
        {18, 15, 80},  {19, 16, 82},  {20, 17, 84},  {21, 18, 86},  {32, 19, 136}, {33, 20, 138},
        {34, 21, 140}, {35, 22, 142}, {37, 23, 148}, {38, 24, 150}, {39, 25, 152}, {40, 26, 154},
    };
    for (const auto& r : rows)
        QTest::addRow("condition %d", r[0]) << r[0] << r[1] << r[2];
}

void TestLastDrawCheck::rangeConditions() {
    QFETCH(int, condition);
    QFETCH(int, indicator);
    QFETCH(int, maxBox);
    PanelState p = drawPanel();
    p.text1[maxBox] = u"12"_s;
    p.text1[maxBox + 1] = u"-5"_s;
    StoredIndicators stored{};

    for (double inside : {12.0, -5.0, 0.0, 7.0}) {
        stored[indicator] = inside;
        QCOMPARE(check(p, stored), QList<int>{});
    }
    for (double outside : {13.0, -6.0}) {
        stored[indicator] = outside;
        QCOMPARE(check(p, stored), QList<int>{condition});
    }
}

void TestLastDrawCheck::rangeNeedsBothBoxes() {
    StoredIndicators stored{};
    stored[1] = 150; // the sum, condition 4
    PanelState p = drawPanel();
    p.text1[50] = u"120"_s;
    QCOMPARE(check(p, stored), QList<int>{}); // only the maximum given
    p.text1[50].clear();
    p.text1[51] = u"160"_s;
    QCOMPARE(check(p, stored), QList<int>{}); // only the minimum given
    p.text1[50] = u"abc"_s;
    QCOMPARE(check(p, stored), QList<int>{4}); // a box with any text is given, "abc" reads 0
    // Bounds compare in double precision.
    p.text1[50] = u"149.999999"_s;
    p.text1[51] = u"0"_s;
    QCOMPARE(check(p, stored), QList<int>{4});
    p.text1[50] = u"150.000001"_s;
    QCOMPARE(check(p, stored), QList<int>{});
}

void TestLastDrawCheck::bankers() {
    PanelState p = drawPanel();
    p.text1[16] = u"3"_s;
    p.text1[17] = u"30"_s;
    p.text1[18] = u"0"_s; // zero and below are no number
    p.text1[19] = u"-4"_s;
    QCOMPARE(check(p), QList<int>{});
    p.text1[19] = u"4"_s;
    QCOMPARE(check(p), QList<int>{1});
    p.text1[19] = u"3.5"_s; // no draw number equals a fraction
    QCOMPARE(check(p), QList<int>{1});
}

void TestLastDrawCheck::numberCounts() {
    PanelState p = drawPanel();
    // Condition 2 with numbers but empty bounds: one number in the draw is a count above 0.
    p.text1[20] = u"5"_s;
    p.text1[21] = u"6"_s;
    QCOMPARE(check(p), QList<int>{});
    p.text1[22] = u"8"_s;
    QCOMPARE(check(p), QList<int>{2});
    p.text1[26] = u"2"_s;
    p.text1[27] = u"1"_s;
    QCOMPARE(check(p), QList<int>{});
    p.text1[27] = u"2"_s;
    QCOMPARE(check(p), QList<int>{2});

    // Condition 3 over its twenty boxes, with bounds given only as a minimum: count 2 > 0.
    PanelState q = drawPanel();
    q.text1[28] = u"1"_s;
    q.text1[46] = u"27"_s;
    q.text1[47] = u"30"_s;
    QCOMPARE(check(q), QList<int>{3});
    q.text1[48] = u"2"_s;
    QCOMPARE(check(q), QList<int>{});
}

void TestLastDrawCheck::parity() {
    StoredIndicators odd{};
    odd[9] = 1;
    StoredIndicators even{};
    even[9] = 2;
    PanelState p = drawPanel();
    QCOMPARE(check(p, even), QList<int>{}); // neither 单 nor 双 chosen
    p.option1 = true;
    QCOMPARE(check(p, even), QList<int>{12});
    QCOMPARE(check(p, odd), QList<int>{});
    p.option1 = false;
    p.option2 = true;
    QCOMPARE(check(p, odd), QList<int>{12});
    QCOMPARE(check(p, even), QList<int>{});
    // A first draw without stored indicators reads parity 0: neither choice fails.
    QCOMPARE(check(p, StoredIndicators{}), QList<int>{});
}

void TestLastDrawCheck::digitSumTail() {
    StoredIndicators stored{};
    stored[11] = 0;
    PanelState p = drawPanel();
    QCOMPARE(check(p, stored), QList<int>{}); // empty boxes never match the tail 0
    p.text1[70] = u"0"_s;
    QCOMPARE(check(p, stored), QList<int>{14});
    stored[11] = 7;
    QCOMPARE(check(p, stored), QList<int>{});
    p.text1[73] = u"7"_s;
    QCOMPARE(check(p, stored), QList<int>{14});
    // The stored tail is held as a byte: 6.5 rounds to 6, and a value that is no byte
    // matches no digit.
    stored[11] = 6.5;
    p.text1[73] = u"6"_s;
    QCOMPARE(check(p, stored), QList<int>{14});
    stored[11] = -1;
    p.text1[73] = u"-1"_s;
    QCOMPARE(check(p, stored), QList<int>{});
}

void TestLastDrawCheck::digitBankers() {
    PanelState p = drawPanel(); // code digits 0 4 7 2 9 5 0
    p.text1[88] = u"0"_s;
    p.text1[89] = u"9"_s;
    QCOMPARE(check(p), QList<int>{});
    p.text1[91] = u"3"_s;
    QCOMPARE(check(p), QList<int>{22});
}

void TestLastDrawCheck::digitCounts() {
    PanelState p = drawPanel(); // code digits 0 4 7 2 9 5 0
    // Condition 23: "0" is the digit 0 and counts; empty bounds make any count above 0 fail.
    p.text1[92] = u"0"_s;
    QCOMPARE(check(p), QList<int>{23});
    p.text1[96] = u"1"_s;
    p.text1[97] = u"1"_s;
    QCOMPARE(check(p), QList<int>{});
    p.text1[93] = u"4"_s;
    QCOMPARE(check(p), QList<int>{23});

    // Condition 24: digits not among the code count nothing; empty boxes are not given.
    PanelState q = drawPanel();
    q.text1[98] = u"1"_s;
    q.text1[99] = u"3"_s;
    QCOMPARE(check(q), QList<int>{});
    q.text1[103] = u"1"_s; // at least one wanted
    QCOMPARE(check(q), QList<int>{24});
    q.text1[101] = u"7"_s;
    q.text1[102] = u"2"_s;
    QCOMPARE(check(q), QList<int>{});
}

void TestLastDrawCheck::positionDigits() {
    // Code digits 百万..个位 = 0 4 7 2 9 5 0; each list is tested against its own place only.
    const int firsts[] = {104, 109, 114, 119, 124, 129, 134};
    const char digits[] = {'0', '5', '9', '2', '7', '4', '0'}; // 个位 first
    for (int i = 0; i < 7; ++i) {
        PanelState p = drawPanel();
        QCOMPARE(check(p), QList<int>{});
        p.text1[firsts[i]] = u"8"_s;
        QCOMPARE(check(p), QList<int>{});
        // The last box of each list counts too (31 has only two boxes).
        const int last = i == 6 ? 135 : firsts[i] + 4;
        p.text1[last] = QString(QChar::fromLatin1(digits[i]));
        QCOMPARE(check(p), QList<int>{25 + i});
    }
}

void TestLastDrawCheck::killedNumbers() {
    PanelState p = drawPanel();
    p.text1[144] = u"1"_s;
    p.text1[145] = u"0"_s;
    QCOMPARE(check(p), QList<int>{});
    p.text1[147] = u"27"_s;
    QCOMPARE(check(p), QList<int>{36});
}

void TestLastDrawCheck::ticksReplaceEnableBoxes() {
    PanelState p = drawPanel();
    p.check1.fill(1);
    p.check2 = 1;
    p.check4 = 1;
    p.text3[5] = u"5"_s;
    p.text1[147] = u"27"_s; // condition 36 fails
    const LastDrawCheck c = checkLastDraw(p, {});
    applyTicks(p, c);
    for (int k = 1; k <= 40; ++k)
        QCOMPARE(p.check1[k], k == 36 ? 1 : 0);
    QCOMPARE(p.check1[0], 1); // zone boxes, Check4 and the markers are not touched
    QCOMPARE(p.check2, 1);
    QCOMPARE(p.check4, 1);
    QCOMPARE(p.text3[5], u"5"_s);
}

void TestLastDrawCheck::storedIndicatorColumns() {
    QStringList row{u"7018"_s, u"3 8 15 21 27 30+9"_s, u"0472950"_s};
    for (int k = 1; k <= 41; ++k)
        row.append(QString::number(k * 10));
    row[27] = u"-17"_s; // 冷热值 may be negative
    row[30] = QString();
    const StoredIndicators s = storedIndicatorsOf(row);
    QCOMPARE(s[1], 10.0);
    QCOMPARE(s[25], -17.0);
    QCOMPARE(s[28], 0.0);
    QCOMPARE(s[41], 410.0);
    // The very first record stores no indicators: every one reads 0.
    const StoredIndicators first =
        storedIndicatorsOf({u"7001"_s, u"1 2 3 4 5 6 +1"_s, u"0000001"_s});
    for (int k = 1; k <= 41; ++k)
        QCOMPARE(first[k], 0.0);
}

QTEST_GUILESS_MAIN(TestLastDrawCheck)
#include "test_last_draw_check.moc"
