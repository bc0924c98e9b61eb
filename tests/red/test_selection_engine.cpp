// The selection engine: the refusals and their order, the rules of every one of the 40
// conditions on hand-checked combinations, the tolerance rule, and whole runs whose results are
// known in advance.

#include "model/red_code.h"
#include "red/selection_engine.h"

#include <QTest>

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using Boxes = std::vector<std::pair<int, const char*>>;

// A panel that passes the refusals: a last-draw code is present and nothing is checked.
ssq::PanelState readyPanel() {
    ssq::PanelState panel;
    panel.text1[8] = u"0096810"_s;
    return panel;
}

void setBoxes(ssq::PanelState& panel, const Boxes& boxes) {
    for (const auto& [index, text] : boxes)
        panel.text1[index] = QString::fromUtf8(text);
}

// Condition k and its zone box checked.
void enable(ssq::PanelState& panel, int k) {
    panel.check1[k] = 1;
    if (k <= 11)
        panel.check1[0] = 1;
    else if (k <= 31)
        panel.check2 = 1;
    else
        panel.check3 = 1;
}

// -16 is cold, -15 and 9 are warm, 10 is hot; the others run from -5 upwards.
ssq::HotColdValues sampleHotCold() {
    ssq::HotColdValues hv{};
    for (int n = 1; n <= ssq::kRedMax; ++n)
        hv[n] = n - 10;
    hv[1] = -16;
    hv[2] = -15;
    hv[3] = 9;
    hv[4] = 10;
    return hv;
}

const Boxes kLastDraw{{1, "1"}, {2, "5"}, {3, "12"}, {4, "20"}, {5, "27"}, {6, "33"}};
const Boxes kLastCode{{9, "0"}, {10, "0"}, {11, "9"}, {12, "6"}, {13, "8"}, {14, "1"}, {15, "0"}};

Boxes joined(const Boxes& a, const Boxes& b) {
    Boxes all = a;
    all.insert(all.end(), b.begin(), b.end());
    return all;
}

int code(std::initializer_list<int> numbers) {
    ssq::RedCombo red{};
    std::copy(numbers.begin(), numbers.end(), red.begin());
    return ssq::redCode(red);
}

struct ConditionCase {
    const char* name;
    int condition;
    Boxes boxes;
    int code; // the candidate
    bool fails;
    bool option1 = false;
    bool option2 = false;
};

// Code 1107568 has the digits 1 1 0 7 5 6 8 (sum 28); code 1 has 0 0 0 0 0 0 1.
const int kLast = ssq::kComboCount;

const std::vector<ConditionCase>& conditionCases() {
    // One case a line reads as the table it is.
    // clang-format off
    static const std::vector<ConditionCase> cases{
        {"1 every given number drawn", 1, {{16, "5"}, {17, "9"}}, code({5, 9, 10, 11, 12, 13}), false},
        {"1 a given number missing", 1, {{16, "5"}, {17, "9"}}, code({5, 10, 11, 12, 13, 14}), true},
        {"1 a fraction is never drawn", 1, {{16, "5.5"}}, code({5, 6, 7, 8, 9, 10}), true},
        {"1 zero and empty boxes give nothing", 1, {{16, "0"}, {17, ""}}, 1, false},
        {"2 count 2 within 1..2", 2, {{20, "1"}, {21, "2"}, {22, "3"}, {26, "2"}, {27, "1"}}, code({1, 2, 10, 11, 12, 13}), false},
        {"2 count 3 above 2", 2, {{20, "1"}, {21, "2"}, {22, "3"}, {26, "2"}, {27, "1"}}, code({1, 2, 3, 10, 11, 12}), true},
        {"2 count 0 below 1", 2, {{20, "1"}, {21, "2"}, {22, "3"}, {26, "2"}, {27, "1"}}, code({10, 11, 12, 13, 14, 15}), true},
        {"2 empty bounds read 0", 2, {{20, "1"}}, 1, true},
        {"3 a dropped number drawn", 3, {{28, "33"}, {29, "32"}, {47, "31"}}, code({1, 2, 3, 4, 5, 33}), true},
        {"3 no dropped number drawn", 3, {{28, "33"}, {29, "32"}, {47, "31"}}, 1, false},
        {"3 count within its bounds", 3, {{28, "1"}, {29, "2"}, {30, "3"}, {48, "2"}, {49, "2"}}, code({1, 2, 10, 11, 12, 13}), false},
        {"4 sum 21 at 21..21", 4, {{50, "21"}, {51, "21"}}, 1, false},
        {"4 sum 22 above 21", 4, {{50, "21"}, {51, "21"}}, 2, true},
        {"4 fractional bounds", 4, {{50, "21.5"}, {51, "20.5"}}, 1, false},
        {"4 maximum 20.99", 4, {{50, "20.99"}}, 1, true},
        {"4 maximum 20.9999999 is 21 in single precision", 4, {{50, "20.9999999"}}, 1, false},
        {"4 minimum 21.0000001 is 21 in single precision", 4, {{50, "30"}, {51, "21.0000001"}}, 1, false},
        {"5 AC 5 of 1..6", 5, {{52, "5"}, {53, "5"}}, 1, false},
        {"5 maximum 4.5", 5, {{52, "4.5"}}, 1, true},
        {"5 AC 15 is not reduced", 5, {{52, "15"}, {53, "15"}}, code({1, 2, 4, 8, 16, 32}), false},
        {"5 AC 15 above 14", 5, {{52, "14"}}, code({1, 2, 4, 8, 16, 32}), true},
        {"6 17 is small", 6, {{54, "1"}, {55, "1"}}, code({17, 18, 19, 20, 21, 22}), false},
        {"6 18 is not small", 6, {{54, "1"}, {55, "1"}}, code({18, 19, 20, 21, 22, 23}), true},
        {"7 six odd numbers", 7, {{56, "6"}, {57, "6"}}, code({1, 3, 5, 7, 9, 11}), false},
        {"7 six odd above 5", 7, {{56, "5"}}, code({1, 3, 5, 7, 9, 11}), true},
        {"8 three numbers on tail 3 make 2", 8, {{58, "2"}, {59, "2"}}, code({3, 5, 13, 17, 23, 29}), false},
        {"8 three pairs of tails make 4", 8, {{58, "3"}}, code({3, 4, 13, 14, 23, 24}), true},
        {"9 three separate pairs", 9, {{60, "3"}, {61, "3"}}, code({3, 4, 13, 14, 23, 24}), false},
        {"9 a run of six makes 5", 9, {{60, "3"}, {61, "3"}}, 1, true},
        {"10 the whole last draw repeated", 10, joined(kLastDraw, {{62, "2"}}), code({1, 5, 12, 20, 27, 33}), true},
        {"10 two repeats", 10, joined(kLastDraw, {{62, "2"}}), code({1, 5, 6, 7, 8, 9}), false},
        {"10 empty last-draw boxes repeat nothing", 10, {}, 1, false},
        {"11 six neighbours above 5", 11, joined(kLastDraw, {{64, "5"}}), code({2, 4, 6, 11, 13, 19}), true},
        {"11 six neighbours at 6..6", 11, joined(kLastDraw, {{64, "6"}, {65, "6"}}), code({2, 4, 6, 11, 13, 19}), false},
        {"11 empty last-draw boxes make 1 a neighbour", 11, {}, 1, true},
        {"11 empty last-draw boxes, no 1", 11, {}, code({2, 3, 4, 5, 6, 7}), false},
        {"11 empty last-draw boxes, 1 counted once", 11, {{64, "1"}, {65, "1"}}, 1, false},
        {"12 单 and an odd code", 12, {}, 1, false, true, false},
        {"12 单 and an even code", 12, {}, 2, true, true, false},
        {"12 双 and an even code", 12, {}, 2, false, false, true},
        {"12 双 and an odd code", 12, {}, 1, true, false, true},
        {"12 neither chosen", 12, {}, 2, false},
        {"13 digit sum 28", 13, {{66, "28"}, {67, "28"}}, kLast, false},
        {"13 digit sum 28 above 27", 13, {{66, "27"}}, kLast, true},
        {"14 the tail 8 given", 14, {{68, "8"}}, kLast, true},
        {"14 other tails given", 14, {{68, "7"}, {73, "9"}}, kLast, false},
        {"14 the tail 0 given as \"0\"", 14, {{68, "0"}}, 19, true},
        {"14 an empty box is no digit", 14, {{68, ""}}, 19, false},
        {"14 text that reads 0 is the digit 0", 14, {{73, "abc"}}, 19, true},
        {"15 two small digits", 15, {{74, "2"}, {75, "2"}}, kLast, false},
        {"15 two small digits above 1", 15, {{74, "1"}}, kLast, true},
        {"15 百万 0 is small", 15, {{74, "7"}, {75, "7"}}, 1, false},
        {"16 four odd digits", 16, {{76, "4"}, {77, "4"}}, kLast, false},
        {"16 four odd digits below 5", 16, {{76, "9"}, {77, "5"}}, kLast, true},
        {"17 four prime digits", 17, {{78, "4"}, {79, "4"}}, 2357, false},
        {"17 four prime digits above 3", 17, {{78, "3"}}, 2357, true},
        {"17 百万 1 is not prime", 17, {{78, "2"}, {79, "2"}}, kLast, false},
        {"18 each zero with the 1", 18, {{80, "6"}, {81, "6"}}, 1, false},
        {"18 six pairs above 5", 18, {{80, "5"}}, 1, true},
        {"19 four last-draw digits among 0 and 1", 19, joined(kLastCode, {{82, "4"}, {83, "4"}}), 1, false},
        {"19 four above 3", 19, joined(kLastCode, {{82, "3"}}), 1, true},
        {"19 empty last-draw digits read 0", 19, {{82, "7"}, {83, "7"}}, kLast, false},
        {"20 fifteen equal pairs", 20, {{84, "15"}, {85, "15"}}, 1, false},
        {"20 fifteen above 14", 20, {{84, "14"}}, 1, true},
        {"21 code AC 2 counts the difference 0", 21, {{86, "2"}, {87, "2"}}, 1, false},
        {"21 code AC 9", 21, {{86, "9"}, {87, "9"}}, kLast, false},
        {"21 code AC 9 above 8", 21, {{86, "8"}}, kLast, true},
        {"22 a given digit present", 22, {{88, "7"}, {91, "0"}}, kLast, false},
        {"22 a given digit absent", 22, {{88, "7"}, {89, "9"}}, kLast, true},
        {"22 a fraction is no digit", 22, {{88, "7.5"}}, kLast, true},
        {"22 empty boxes give nothing", 22, {{88, ""}, {89, ""}}, kLast, false},
        {"23 two given digits present", 23, {{92, "1"}, {93, "9"}, {94, "5"}, {96, "2"}, {97, "2"}}, kLast, false},
        {"23 two above 1", 23, {{92, "1"}, {93, "9"}, {94, "5"}, {96, "1"}}, kLast, true},
        {"23 a digit given twice counts twice", 23, {{92, "1"}, {93, "1"}, {96, "2"}, {97, "2"}}, kLast, false},
        {"24 one dropped digit present", 24, {{98, "0"}, {99, "2"}}, kLast, true},
        {"24 one within 1..1", 24, {{98, "0"}, {99, "2"}, {102, "1"}, {103, "1"}}, kLast, false},
        {"25 个位 8 given", 25, {{104, "8"}}, kLast, true},
        {"25 个位 8 not given", 25, {{104, "3"}, {108, "9"}}, kLast, false},
        {"25 个位 0 given as \"0\"", 25, {{104, "0"}}, 10, true},
        {"25 an empty box is no digit", 25, {{104, ""}}, 10, false},
        {"26 十位 6 given", 26, {{109, "6"}}, kLast, true},
        {"26 十位 6 not given", 26, {{113, "5"}}, kLast, false},
        {"27 百位 5 given", 27, {{114, "5"}}, kLast, true},
        {"27 百位 5 not given", 27, {{118, "6"}}, kLast, false},
        {"28 千位 7 given", 28, {{119, "7"}}, kLast, true},
        {"28 千位 7 not given", 28, {{123, "8"}}, kLast, false},
        {"29 万位 0 given", 29, {{124, "0"}}, kLast, true},
        {"29 万位 0 not given", 29, {{128, "1"}}, kLast, false},
        {"30 十万 1 given", 30, {{129, "1"}}, kLast, true},
        {"30 十万 1 not given", 30, {{133, "0"}}, kLast, false},
        {"31 百万 1 given", 31, {{134, "1"}}, kLast, true},
        {"31 百万 0 given", 31, {{135, "0"}}, 1, true},
        {"31 百万 1 not given", 31, {{135, "0"}}, kLast, false},
        {"32 two in 1..11", 32, {{136, "2"}, {137, "2"}}, code({1, 11, 12, 22, 23, 33}), false},
        {"32 two above 1", 32, {{136, "1"}}, code({1, 11, 12, 22, 23, 33}), true},
        {"33 two in 12..22", 33, {{138, "2"}, {139, "2"}}, code({1, 11, 12, 22, 23, 33}), false},
        {"33 two below 3", 33, {{138, "3"}, {139, "3"}}, code({1, 11, 12, 22, 23, 33}), true},
        {"34 two in 23..33", 34, {{140, "2"}, {141, "2"}}, code({1, 11, 12, 22, 23, 33}), false},
        {"34 two above 1", 34, {{140, "1"}, {141, "1"}}, code({1, 11, 12, 22, 23, 33}), true},
        {"35 span 32", 35, {{142, "32"}, {143, "32"}}, code({1, 11, 12, 22, 23, 33}), false},
        {"35 span 32 above 31", 35, {{142, "31"}, {143, "5"}}, code({1, 11, 12, 22, 23, 33}), true},
        {"36 an excluded number drawn", 36, {{144, "33"}}, code({1, 2, 3, 4, 5, 33}), true},
        {"36 no excluded number drawn", 36, {{147, "33"}}, 1, false},
        {"36 zero and fractions exclude nothing", 36, {{144, "5.5"}, {145, "0"}}, 1, false},
        {"37 hot/cold sum -21", 37, {{148, "-21"}, {149, "-21"}}, 1, false},
        {"37 hot/cold sum -21 above -22", 37, {{148, "-22"}, {149, "-100"}}, 1, true},
        {"37 fractional bounds", 37, {{148, "-20.5"}, {149, "-21.5"}}, 1, false},
        {"37 hot/cold sum 75", 37, {{148, "75"}, {149, "75"}}, code({20, 21, 22, 23, 24, 25}), false},
        {"38 -16 is cold", 38, {{150, "1"}, {151, "1"}}, 1, false},
        {"38 one cold above 0", 38, {}, 1, true},
        {"39 -15 and 9 are warm", 39, {{152, "4"}, {153, "4"}}, 1, false},
        {"39 four warm below 5", 39, {{152, "6"}, {153, "5"}}, 1, true},
        {"40 10 is hot", 40, {{154, "1"}, {155, "1"}}, 1, false},
        {"40 one hot above 0", 40, {}, 1, true},
        {"40 six hot", 40, {{154, "6"}, {155, "6"}}, code({20, 21, 22, 23, 24, 25}), false},
    };
    // clang-format on
    return cases;
}

} // namespace

class TestSelectionEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyConditionRule_data();
    void everyConditionRule();
    void everyConditionHasBothVerdicts();
    void refusalsComeInOrder();
    void refusedRunLeavesNoResult();
    void hotColdRefusalOnlyForItsConditions();
    void markersAreSixteenBitIntegers();
    void onlySumOf21KeepsFirstCombination();
    void noConditionKeepsEverything();
    void toleranceMinimumOneWithoutConditionKeepsNothing();
    void oddChoiceKeepsOddCodes();
    void emptyLastDrawMakesOneAdjacent();
    void nonTolerantFailureDropsWhateverTheBounds();
    void toleranceCountsFailuresOfTheOthers();
    void progressAndCancel();
};

void TestSelectionEngine::everyConditionRule_data() {
    QTest::addColumn<int>("row");
    const auto& cases = conditionCases();
    for (int i = 0; i < static_cast<int>(cases.size()); ++i)
        QTest::newRow(cases[i].name) << i;
}

// Only the case's condition is tested, so its failure is the only reason to drop the candidate.
void TestSelectionEngine::everyConditionRule() {
    QFETCH(int, row);
    const ConditionCase& c = conditionCases()[static_cast<std::size_t>(row)];
    ssq::PanelState panel = readyPanel();
    panel.text1[9] = panel.text1[10] = panel.text1[11] = panel.text1[12] = QString();
    panel.text1[13] = panel.text1[14] = panel.text1[15] = QString();
    enable(panel, c.condition);
    setBoxes(panel, c.boxes);
    panel.option1 = c.option1;
    panel.option2 = c.option2;
    const ssq::SelectionEngine engine(panel, sampleHotCold());
    QVERIFY(!engine.refusal());

    std::bitset<41> expected;
    expected[c.condition] = c.fails;
    QCOMPARE(engine.failedConditions(c.code), expected);
    QCOMPARE(engine.keeps(c.code), !c.fails);
}

void TestSelectionEngine::everyConditionHasBothVerdicts() {
    std::bitset<41> passes, fails;
    for (const ConditionCase& c : conditionCases())
        (c.fails ? fails : passes)[c.condition] = true;
    for (int k = 1; k <= 40; ++k)
        QVERIFY2(passes[k] && fails[k], qPrintable(u"condition %1"_s.arg(k)));
}

void TestSelectionEngine::refusalsComeInOrder() {
    ssq::PanelState panel;
    panel.check1[1] = 1;  // zone 1 box left unchecked
    panel.check1[12] = 1; // zone 2 box left unchecked
    panel.check1[37] = 1; // zone 3 box left unchecked, hot/cold table empty
    panel.check4 = 1;
    panel.text1[156] = u"5"_s; // no marker set
    ssq::HotColdValues hv{};

    const auto refusal = [&] {
        return ssq::SelectionEngine(panel, hv).refusal().value_or(QString());
    };
    QCOMPARE(refusal(), u"请先点击“转换代码查询”,程序将自动输入代码"_s);
    panel.text1[8] = u" "_s; // any text counts
    QCOMPARE(refusal(), u"您选用了一区的选项,但没有点击指标一区选择框,请点击"_s);
    panel.check1[0] = 1;
    QCOMPARE(refusal(), u"您选用了二区的选项,但没有点击指标二区选择框,请点击"_s);
    panel.check2 = 1;
    QCOMPARE(refusal(), u"您选用了三区的选项,但没有点击指标三区选择框,请点击"_s);
    panel.check3 = 1;
    QCOMPARE(refusal(),
             u"您选用了冷热值选项，但没有点击（如要使用冷热值指标，请先点此处），请先点击此按钮"_s);
    hv[33] = -1;
    QCOMPARE(
        refusal(),
        u"请您核查“不容错的选项”内的各个选项数值是否正确，并把“不容错的选项”这个复选框再次选中"_s);
    panel.text3[5] = u"5"_s;
    QCOMPARE(refusal(), QString());
    // A marker left behind after its number was taken out of the list.
    panel.text1[156] = u"7"_s;
    QVERIFY(ssq::SelectionEngine(panel, hv).refusal());
    panel.check4 = 0;
    QCOMPARE(refusal(), QString());
}

void TestSelectionEngine::refusedRunLeavesNoResult() {
    ssq::PanelState panel;
    bool told = false;
    const ssq::SelectionResult result =
        ssq::SelectionEngine(panel, {}).run([&](int) { told = true; });
    QCOMPARE(result.refusal.value_or(QString()), u"请先点击“转换代码查询”,程序将自动输入代码"_s);
    QVERIFY(!result.completed());
    QCOMPARE(result.count(), 0);
    QVERIFY(!told);
}

void TestSelectionEngine::hotColdRefusalOnlyForItsConditions() {
    ssq::PanelState panel = readyPanel();
    enable(panel, 36);
    QVERIFY(!ssq::SelectionEngine(panel, {}).refusal());
    panel.check1[40] = 1;
    QVERIFY(ssq::SelectionEngine(panel, {}).refusal());
}

void TestSelectionEngine::markersAreSixteenBitIntegers() {
    QCOMPARE(ssq::markerValue(u""_s), 0);
    QCOMPARE(ssq::markerValue(u"0.5"_s), 0);
    QCOMPARE(ssq::markerValue(u"1.5"_s), 2);
    QCOMPARE(ssq::markerValue(u"2.5"_s), 2);
    QCOMPARE(ssq::markerValue(u"12abc"_s), 12);
    QCOMPARE(ssq::markerValue(u"99999"_s), 32767);
    QCOMPARE(ssq::markerValue(u"-99999"_s), -32768);
    QCOMPARE(ssq::markerValue(u"1e400"_s), 1);
    QCOMPARE(ssq::markerValue(QString(400, u'9')), 32767);
}

void TestSelectionEngine::onlySumOf21KeepsFirstCombination() {
    ssq::PanelState panel = readyPanel();
    enable(panel, 4);
    setBoxes(panel, {{50, "21"}, {51, "21"}});
    const ssq::SelectionResult result = ssq::SelectionEngine(panel, {}).run();
    QVERIFY(result.completed());
    QCOMPARE(result.count(), 1);
    QCOMPARE(result.text(0), u"1 2 3 4 5 6"_s);
    QCOMPARE(result.resultLine(), u"选号过程结束,符合条件的共有1注,请选择显示范围"_s);
}

void TestSelectionEngine::noConditionKeepsEverything() {
    const ssq::SelectionResult result = ssq::SelectionEngine(readyPanel(), {}).run();
    QCOMPARE(result.count(), ssq::kComboCount);
    QCOMPARE(result.codes.front(), 1);
    QCOMPARE(result.codes.back(), ssq::kComboCount);
    QVERIFY(std::adjacent_find(result.codes.begin(), result.codes.end(),
                               [](int a, int b) { return b != a + 1; }) == result.codes.end());
    QCOMPARE(result.text(0), u"1 2 3 4 5 6"_s);
    QCOMPARE(result.text(1), u"1 2 3 4 5 7"_s);
    QCOMPARE(result.text(result.count() - 1), u"28 29 30 31 32 33"_s);
    QCOMPARE(result.text(result.count()), QString());
    QCOMPARE(result.resultLine(), u"选号过程结束,符合条件的共有1107568注,请选择显示范围"_s);
}

void TestSelectionEngine::toleranceMinimumOneWithoutConditionKeepsNothing() {
    ssq::PanelState panel = readyPanel();
    panel.text1[169] = u"1"_s;
    panel.text1[168] = u"5"_s;
    const ssq::SelectionResult result = ssq::SelectionEngine(panel, {}).run();
    QVERIFY(result.completed());
    QCOMPARE(result.count(), 0);
    QCOMPARE(result.resultLine(), u"没有符合条件的号码,请重新设置选号条件"_s);
}

void TestSelectionEngine::oddChoiceKeepsOddCodes() {
    ssq::PanelState panel = readyPanel();
    enable(panel, 12);
    panel.option1 = true;
    const ssq::SelectionResult result = ssq::SelectionEngine(panel, {}).run();
    QCOMPARE(result.count(), (ssq::kComboCount + 1) / 2);
    QVERIFY(
        std::all_of(result.codes.begin(), result.codes.end(), [](int c) { return c % 2 == 1; }));
    QCOMPARE(result.text(0), u"1 2 3 4 5 6"_s);
    QCOMPARE(result.text(1), u"1 2 3 4 5 8"_s);
}

void TestSelectionEngine::emptyLastDrawMakesOneAdjacent() {
    ssq::PanelState panel = readyPanel();
    enable(panel, 11); // at most 0 neighbours: every combination holding 1 fails
    const ssq::SelectionResult result = ssq::SelectionEngine(panel, {}).run();
    QCOMPARE(result.count(), 906192); // C(32, 6)
    QCOMPARE(result.text(0), u"2 3 4 5 6 7"_s);
}

void TestSelectionEngine::nonTolerantFailureDropsWhateverTheBounds() {
    ssq::PanelState panel = readyPanel();
    enable(panel, 4);
    enable(panel, 7);
    setBoxes(panel, {{50, "21"}, {51, "21"}, {168, "40"}}); // and no odd number at all
    QCOMPARE(ssq::SelectionEngine(panel, {}).run().count(), ssq::kComboCount);

    panel.check4 = 1;
    panel.text1[156] = u"4"_s;
    panel.text3[4] = u"4"_s;
    ssq::SelectionResult result = ssq::SelectionEngine(panel, {}).run();
    QCOMPARE(result.count(), 1); // 1 2 3 4 5 6 fails only the tolerant condition 7
    QCOMPARE(result.text(0), u"1 2 3 4 5 6"_s);

    // The markers decide, also when "不容错的选项" has been unchecked without clearing them.
    panel.check4 = 0;
    QCOMPARE(ssq::SelectionEngine(panel, {}).run().count(), 1);
    panel.text3[4] = u"0"_s;
    QCOMPARE(ssq::SelectionEngine(panel, {}).run().count(), ssq::kComboCount);
}

void TestSelectionEngine::toleranceCountsFailuresOfTheOthers() {
    ssq::PanelState panel = readyPanel();
    enable(panel, 4);
    enable(panel, 12);
    panel.option1 = true;
    setBoxes(panel, {{50, "21"}, {51, "21"}, {168, "1"}, {169, "1"}}); // exactly one failure
    const ssq::SelectionEngine engine(panel, {});
    const ssq::SelectionResult result = engine.run();
    // Code 1 fails nothing, the other odd codes fail condition 4, the even ones 4 and 12.
    QCOMPARE(result.count(), (ssq::kComboCount + 1) / 2 - 1);
    QCOMPARE(result.codes.front(), 3);
    QVERIFY(!engine.keeps(1));
    QVERIFY(!engine.keeps(2));
    QVERIFY(engine.keeps(3));
    panel.text1[169] = u"0.5"_s;
    panel.text1[168] = u"0.5"_s;
    QCOMPARE(ssq::SelectionEngine(panel, {}).run().count(), 0);
}

void TestSelectionEngine::progressAndCancel() {
    std::vector<int> told;
    const ssq::SelectionEngine engine(readyPanel(), {});
    const ssq::SelectionResult result = engine.run([&](int done) { told.push_back(done); });
    QVERIFY(result.completed());
    QVERIFY(told.size() > 100);
    QVERIFY(std::is_sorted(told.begin(), told.end()));
    QCOMPARE(told.back(), ssq::kComboCount);
    QVERIFY(told.back() <= ssq::SelectionEngine::kProgressMaximum);

    std::atomic_bool cancel = false;
    int calls = 0;
    const ssq::SelectionResult stopped = engine.run(
        [&](int) {
            if (++calls == 3)
                cancel = true;
        },
        &cancel);
    QVERIFY(stopped.cancelled);
    QVERIFY(!stopped.completed());
    QVERIFY(stopped.codes.empty());
    QCOMPARE(calls, 3);
}

QTEST_GUILESS_MAIN(TestSelectionEngine)
#include "test_selection_engine.moc"
