// The selection engine: the refusals and their order, every one of the 40 conditions on
// hand-checked combinations, the tolerance rule, and whole runs whose results are known.

#include "red/selection_engine.h"

#include <QTest>

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <utility>
#include <vector>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

using Boxes = std::vector<std::pair<int, const char*>>;

// A panel that passes the refusals (a last-draw code is present) with the conditions checked.
PanelState panelWith(const Boxes& boxes, std::initializer_list<int> conditions = {}) {
    PanelState panel;
    panel.text1[8] = u"0096810"_s;
    for (const auto& [index, text] : boxes)
        panel.text1[index] = QString::fromUtf8(text);
    for (int k : conditions) {
        panel.check1[k] = 1;
        (k <= 11 ? panel.check1[0] : k <= 31 ? panel.check2 : panel.check3) = 1;
    }
    return panel;
}

SelectionResult run(const PanelState& panel) {
    return SelectionEngine(panel, {}).run();
}

// Code 1107568 has the digits 1 1 0 7 5 6 8 (sum 28); code 1 has 0 0 0 0 0 0 1.
const int kLast = kComboCount;
const Boxes kDraw{{1, "1"}, {2, "5"}, {3, "12"}, {4, "20"}, {5, "27"}, {6, "33"}};
const Boxes kDigits{{9, "0"}, {10, "0"}, {11, "9"}, {12, "6"}, {13, "8"}, {14, "1"}, {15, "0"}};
const RedCombo kZones{1, 11, 12, 22, 23, 33};

Boxes with(Boxes a, const Boxes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct ConditionCase {
    const char* name;
    int condition;
    Boxes boxes;
    int code; // the candidate
    bool fails;
    int choice = 0; // condition 12: 1 单, 2 双
};

// One case a line reads as the table it is.
// clang-format off
const std::vector<ConditionCase> kCases{
    {"1 zero and empty boxes give nothing", 1, {{16, "5"}, {17, "0"}, {18, ""}}, redCode({5, 6, 7, 8, 9, 10}), false},
    {"2 count 2 within 1..2", 2, {{20, "1"}, {21, "2"}, {22, "3"}, {26, "2"}, {27, "1"}}, redCode({1, 2, 10, 11, 12, 13}), false},
    {"3 a dropped number drawn", 3, {{28, "33"}, {47, "31"}}, redCode({1, 2, 3, 4, 5, 33}), true},
    {"4 maximum 20.9999999 is 21 in single precision", 4, {{50, "20.9999999"}}, 1, false},
    {"5 AC 15 is not reduced", 5, {{52, "15"}, {53, "15"}}, redCode({1, 2, 4, 8, 16, 32}), false},
    {"6 17 is small", 6, {{54, "1"}, {55, "1"}}, redCode({17, 18, 19, 20, 21, 22}), false},
    {"7 six odd above 5", 7, {{56, "5"}}, redCode({1, 3, 5, 7, 9, 11}), true},
    {"8 three pairs of tails make 4", 8, {{58, "3"}}, redCode({3, 4, 13, 14, 23, 24}), true},
    {"9 a run of six makes 5", 9, {{60, "3"}, {61, "3"}}, 1, true},
    {"10 the whole last draw repeated", 10, with(kDraw, {{62, "2"}}), redCode({1, 5, 12, 20, 27, 33}), true},
    {"11 six neighbours at 6..6", 11, with(kDraw, {{64, "6"}, {65, "6"}}), redCode({2, 4, 6, 11, 13, 19}), false},
    {"12 单 and an even code", 12, {}, 2, true, 1},
    {"13 digit sum 28 above 27", 13, {{66, "27"}}, kLast, true},
    {"14 text that reads 0 is the digit 0", 14, {{73, "abc"}}, 19, true},
    {"15 百万 0 is small", 15, {{74, "7"}, {75, "7"}}, 1, false},
    {"16 four odd digits below 5", 16, {{76, "9"}, {77, "5"}}, kLast, true},
    {"17 four prime digits above 3", 17, {{78, "3"}}, 2357, true},
    {"18 each zero with the 1", 18, {{80, "6"}, {81, "6"}}, 1, false},
    {"19 four last-draw digits above 3", 19, with(kDigits, {{82, "3"}}), 1, true},
    {"20 fifteen equal pairs", 20, {{84, "15"}, {85, "15"}}, 1, false},
    {"21 code AC 9 above 8", 21, {{86, "8"}}, kLast, true},
    {"22 a fraction is no digit", 22, {{88, "7.5"}}, kLast, true},
    {"23 a digit given twice counts twice", 23, {{92, "1"}, {93, "1"}, {96, "2"}, {97, "2"}}, kLast, false},
    {"24 one dropped digit present", 24, {{98, "0"}, {99, "2"}}, kLast, true},
    {"25 个位 0 given as \"0\"", 25, {{104, "0"}}, 10, true},
    {"26 十位 6 given", 26, {{113, "6"}}, kLast, true},
    {"27 百位 5 given", 27, {{114, "5"}}, kLast, true},
    {"28 千位 7 given", 28, {{123, "7"}}, kLast, true},
    {"29 万位 0 given", 29, {{124, "0"}}, kLast, true},
    {"30 十万 1 given", 30, {{133, "1"}}, kLast, true},
    {"31 only 百万 counts", 31, {{134, "1"}}, 1, false},
    {"32 two in 1..11", 32, {{136, "2"}, {137, "2"}}, redCode(kZones), false},
    {"33 two below 3", 33, {{138, "3"}, {139, "3"}}, redCode(kZones), true},
    {"34 two in 23..33", 34, {{140, "2"}, {141, "2"}}, redCode(kZones), false},
    {"35 span 32 above 31", 35, {{142, "31"}, {143, "5"}}, redCode(kZones), true},
    {"36 an excluded number drawn", 36, {{144, "33"}}, redCode({1, 2, 3, 4, 5, 33}), true},
    {"36 zero and fractions exclude nothing", 36, {{144, "5.5"}, {145, "0"}}, redCode({1, 2, 3, 4, 5, 33}), false},
    {"37 hot/cold sum -21 within fractional bounds", 37, {{148, "-20.5"}, {149, "-21.5"}}, 1, false},
    {"38 -16 is cold", 38, {{150, "1"}, {151, "1"}}, 1, false},
    {"39 -15 and 9 are warm", 39, {{152, "4"}, {153, "4"}}, 1, false},
    {"40 10 is hot", 40, {{154, "1"}, {155, "1"}}, 1, false},
};
// clang-format on

} // namespace

class TestSelectionEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyConditionRule_data() {
        QTest::addColumn<int>("row");
        std::bitset<41> covered;
        for (int i = 0; i < static_cast<int>(kCases.size()); ++i) {
            QTest::newRow(kCases[i].name) << i;
            covered[kCases[i].condition] = true;
        }
        QVERIFY2(covered.count() == 40, "every condition needs a case");
    }

    // Only the case's condition is tested, so its failure is the only reason to drop the
    // candidate. -16 is cold, -15 and 9 are warm, 10 is hot; the others run from -5 upwards.
    void everyConditionRule() {
        QFETCH(int, row);
        const ConditionCase& c = kCases[static_cast<std::size_t>(row)];
        PanelState panel = panelWith(c.boxes, {c.condition});
        panel.option1 = c.choice == 1;
        panel.option2 = c.choice == 2;
        HotColdValues hv{0, -16, -15, 9, 10};
        for (int n = 5; n <= kRedMax; ++n)
            hv[n] = n - 10;
        const SelectionEngine engine(panel, hv);
        QVERIFY(!engine.refusal());
        std::bitset<41> expected;
        expected[c.condition] = c.fails;
        QCOMPARE(engine.failedConditions(c.code), expected);
        QCOMPARE(engine.keeps(c.code), !c.fails);
    }

    void refusalsComeInOrder() {
        PanelState panel;
        panel.check1[1] = panel.check1[12] = panel.check1[37] = 1; // zone boxes left unchecked
        panel.check4 = 1;
        panel.text1[156] = u"5"_s; // no marker set
        HotColdValues hv{};
        const auto refusal = [&] { return SelectionEngine(panel, hv).refusal().value_or(u""_s); };
        QCOMPARE(refusal(), u"请先点击“转换代码查询”,程序将自动输入代码"_s);
        bool told = false;
        const SelectionResult refused = SelectionEngine(panel, hv).run([&](int) { told = true; });
        QVERIFY(refused.refusal && !refused.completed() && refused.count() == 0 && !told);
        panel.text1[8] = u" "_s; // any text counts
        QCOMPARE(refusal(), u"您选用了一区的选项,但没有点击指标一区选择框,请点击"_s);
        panel.check1[0] = 1;
        QCOMPARE(refusal(), u"您选用了二区的选项,但没有点击指标二区选择框,请点击"_s);
        panel.check2 = 1;
        QCOMPARE(refusal(), u"您选用了三区的选项,但没有点击指标三区选择框,请点击"_s);
        panel.check3 = 1;
        QCOMPARE(
            refusal(),
            u"您选用了冷热值选项，但没有点击（如要使用冷热值指标，请先点此处），请先点击此按钮"_s);
        hv[33] = -1;
        QCOMPARE(
            refusal(),
            u"请您核查“不容错的选项”内的各个选项数值是否正确，并把“不容错的选项”这个复选框再次选中"_s);
        panel.text3[5] = u"5"_s;
        QCOMPARE(refusal(), QString());
        panel.text1[156] = u"7"_s; // a marker left behind after its number was taken off the list
        QVERIFY(!refusal().isEmpty());
        panel.check4 = 0;
        QCOMPARE(refusal(), QString());
        // Markers are 16-bit integers, rounded half to even; beyond that range they saturate.
        QList<int> values;
        for (const char* text : {"0.5", "1.5", "2.5", "12abc", "99999", "-99999"})
            values.append(markerValue(QString::fromLatin1(text)));
        QCOMPARE(values, (QList<int>{0, 2, 2, 12, 32767, -32768}));
    }

    void wholeRuns() {
        const SelectionResult all = run(panelWith({}));
        QCOMPARE(all.count(), kComboCount);
        QCOMPARE(all.text(kComboCount - 1), u"28 29 30 31 32 33"_s);
        QCOMPARE(all.resultLine(), u"选号过程结束,符合条件的共有1107568注,请选择显示范围"_s);
        const SelectionResult first = run(panelWith({{50, "21"}, {51, "21"}}, {4}));
        QCOMPARE(first.text(0) + u'|' + first.resultLine(),
                 u"1 2 3 4 5 6|选号过程结束,符合条件的共有1注,请选择显示范围"_s);
        // A tolerance minimum of 1 without any condition: nothing fails, so nothing is kept.
        const SelectionResult none = run(panelWith({{168, "5"}, {169, "1"}}));
        QCOMPARE(none.resultLine(), u"没有符合条件的号码,请重新设置选号条件"_s);
        PanelState panel = panelWith({}, {12});
        panel.option1 = true;
        const SelectionResult odd = run(panel);
        QCOMPARE(odd.count(), (kComboCount + 1) / 2);
        QVERIFY(std::ranges::all_of(odd.codes, [](int c) { return c % 2 == 1; }));
        // At most 0 neighbours, and the empty last draw makes 1 one.
        const SelectionResult noOne = run(panelWith({}, {11}));
        QCOMPARE(noOne.count(), 906192); // C(32, 6)
    }

    void markedFailureDropsWhateverTheBounds() {
        // Condition 7 at no odd number at all, within a tolerance of 40.
        PanelState panel = panelWith({{50, "21"}, {51, "21"}, {168, "40"}}, {4, 7});
        QCOMPARE(run(panel).count(), kComboCount);
        panel.check4 = 1;
        panel.text1[156] = panel.text3[4] = u"4"_s;
        QCOMPARE(run(panel).text(0), u"1 2 3 4 5 6"_s); // fails only the tolerant condition 7
        QCOMPARE(run(panel).count(), 1);
        // The markers decide, also when "不容错的选项" has been unchecked without clearing them.
        panel.check4 = 0;
        QCOMPARE(run(panel).count(), 1);
        panel.text3[4] = u"0"_s;
        QCOMPARE(run(panel).count(), kComboCount);
    }

    void progressAndCancel() {
        std::vector<int> told;
        const SelectionEngine engine(panelWith({}), {});
        QVERIFY(engine.run([&](int done) { told.push_back(done); }).completed());
        QVERIFY(told.size() > 100 && std::ranges::is_sorted(told));
        QCOMPARE(told.back(), kComboCount);
        std::atomic_bool cancel = false;
        int calls = 0;
        const SelectionResult stopped = engine.run([&](int) { cancel = ++calls == 3; }, &cancel);
        QVERIFY(stopped.cancelled && !stopped.completed() && stopped.codes.empty() && calls == 3);
    }
};

QTEST_GUILESS_MAIN(TestSelectionEngine)
#include "test_selection_engine.moc"
