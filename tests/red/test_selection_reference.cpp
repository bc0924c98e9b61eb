// The engine's table-driven walk against a plain reading of the selection rules, one condition
// after another as the user would check them by hand, on random panels. The reference shares
// nothing with the engine but the model's indicator functions.

#include "model/hot_cold.h"
#include "model/indicators.h"
#include "model/leading_number.h"
#include "model/red_code.h"
#include "red/panel_state.h"
#include "red/selection_engine.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace ssq::test {

class SelectionReference {
public:
    SelectionReference(const PanelState& panel, const HotColdValues& hotCold);

    // Every tested condition the candidate fails (no early stop).
    std::bitset<41> failures(const RedCombo& a, int code) const;
    // The keep rule: a failing non-tolerant condition drops the candidate, otherwise the number
    // of failures must lie within the tolerance bounds.
    bool keeps(const RedCombo& a, int code) const;

private:
    bool tested(int k) const;
    bool fails(int k, const RedCombo& a, int code, const CodeDigits& d) const;
    bool outside(double value, int maxBox, int minBox) const;

    std::array<float, 170> m_t{};
    std::array<int, 170> m_length{};
    std::array<int, 41> m_check{};
    int m_zone2 = 0;
    int m_zone3 = 0;
    bool m_option1 = false;
    bool m_option2 = false;
    std::array<int, 41> m_marker{};
    HotColdValues m_hot{};
};

namespace {

bool inDraw(const RedCombo& a, double x) {
    for (int n : a)
        if (n == x)
            return true;
    return false;
}

bool amongDigits(const CodeDigits& d, double x) {
    for (int v : d.d)
        if (v == x)
            return true;
    return false;
}

} // namespace

SelectionReference::SelectionReference(const PanelState& panel, const HotColdValues& hotCold)
    : m_hot(hotCold) {
    for (int i = 1; i <= 169; ++i) {
        m_t[i] = static_cast<float>(leadingNumber(panel.text1[i].toStdString()));
        m_length[i] = static_cast<int>(panel.text1[i].size());
    }
    m_check = panel.check1;
    m_zone2 = panel.check2;
    m_zone3 = panel.check3;
    m_option1 = panel.option1;
    m_option2 = panel.option2;
    for (int k = 1; k <= 40; ++k)
        m_marker[k] = toInt16(leadingNumber(panel.text3[k].toStdString())).value();
}

bool SelectionReference::tested(int k) const {
    if (m_check[k] != 1)
        return false;
    if (k <= 11)
        return m_check[0] == 1;
    if (k <= 31)
        return m_zone2 == 1;
    return m_zone3 == 1;
}

bool SelectionReference::outside(double value, int maxBox, int minBox) const {
    return value < m_t[minBox] || value > m_t[maxBox];
}

bool SelectionReference::fails(int k, const RedCombo& a, int code, const CodeDigits& d) const {
    const auto countGiven = [&](int first, int last, auto&& pred) {
        int count = 0;
        for (int b = first; b <= last; ++b)
            count += pred(b) ? 1 : 0;
        return count;
    };
    int digitSum = 0;
    for (int v : d.d)
        digitSum += v;
    const HotColdCounts classes = hotColdCounts(a, m_hot);
    const std::array<int, 7> positionListFirst{104, 109, 114, 119, 124, 129, 134};
    const std::array<int, 7> positionListLast{108, 113, 118, 123, 128, 133, 135};

    switch (k) {
    case 1:
        return countGiven(16, 19, [&](int b) { return m_t[b] > 0 && !inDraw(a, m_t[b]); }) > 0;
    case 2:
        return outside(countGiven(20, 25, [&](int b) { return m_t[b] > 0 && inDraw(a, m_t[b]); }),
                       26, 27);
    case 3:
        return outside(countGiven(28, 47, [&](int b) { return m_t[b] > 0 && inDraw(a, m_t[b]); }),
                       48, 49);
    case 4:
        return outside(a[0] + a[1] + a[2] + a[3] + a[4] + a[5], 50, 51);
    case 5:
        return outside(redAcValue(a), 52, 53);
    case 6:
        return outside(countGiven(0, 5, [&](int i) { return a[i] < 18; }), 54, 55);
    case 7:
        return outside(countGiven(0, 5, [&](int i) { return a[i] % 2 == 1; }), 56, 57);
    case 8:
        return outside(sameTailCount(a), 58, 59);
    case 9:
        return outside(consecutiveCount(a), 60, 61);
    case 10:
        return outside(countGiven(1, 6, [&](int j) { return inDraw(a, m_t[j]); }), 62, 63);
    case 11: {
        const int count = countGiven(0, 5, [&](int i) {
            for (int j = 1; j <= 6; ++j)
                if (std::abs(a[i] - static_cast<double>(m_t[j])) == 1)
                    return true;
            return false;
        });
        return outside(count, 64, 65);
    }
    case 12:
        return (m_option1 && code % 2 == 0) || (m_option2 && code % 2 == 1);
    case 13:
        return outside(digitSum, 66, 67);
    case 14:
        return countGiven(68, 73,
                          [&](int b) { return m_length[b] > 0 && m_t[b] == digitSum % 10; }) > 0;
    case 15:
        return outside(codeSmallCount(d), 74, 75);
    case 16:
        return outside(codeOddCount(d), 76, 77);
    case 17:
        return outside(codePrimeCount(d), 78, 79);
    case 18:
        return outside(codeConsecutivePairs(d), 80, 81);
    case 19:
        return outside(countGiven(9, 15, [&](int b) { return amongDigits(d, m_t[b]); }), 82, 83);
    case 20:
        return outside(codeEqualPairs(d), 84, 85);
    case 21:
        return outside(codeAcValue(d), 86, 87);
    case 22:
        return countGiven(88, 91,
                          [&](int b) { return m_length[b] > 0 && !amongDigits(d, m_t[b]); }) > 0;
    case 23:
        return outside(
            countGiven(92, 95, [&](int b) { return m_length[b] > 0 && amongDigits(d, m_t[b]); }),
            96, 97);
    case 24:
        return outside(
            countGiven(98, 101, [&](int b) { return m_length[b] > 0 && amongDigits(d, m_t[b]); }),
            102, 103);
    case 25:
    case 26:
    case 27:
    case 28:
    case 29:
    case 30:
    case 31: {
        const int list = k - 25;
        const int digit = d.d[6 - list];
        return countGiven(positionListFirst[list], positionListLast[list],
                          [&](int b) { return m_length[b] > 0 && m_t[b] == digit; }) > 0;
    }
    case 32:
        return outside(countGiven(0, 5, [&](int i) { return a[i] <= 11; }), 136, 137);
    case 33:
        return outside(countGiven(0, 5, [&](int i) { return a[i] >= 12 && a[i] <= 22; }), 138, 139);
    case 34:
        return outside(countGiven(0, 5, [&](int i) { return a[i] >= 23; }), 140, 141);
    case 35:
        return outside(a[5] - a[0], 142, 143);
    case 36:
        return countGiven(144, 147, [&](int b) { return m_t[b] > 0 && inDraw(a, m_t[b]); }) > 0;
    case 37: {
        std::int64_t sum = 0;
        for (int n : a)
            sum += m_hot[n];
        return outside(static_cast<double>(sum), 148, 149);
    }
    case 38:
        return outside(classes.cold, 150, 151);
    case 39:
        return outside(classes.warm, 152, 153);
    case 40:
        return outside(classes.hot, 154, 155);
    }
    return false;
}

std::bitset<41> SelectionReference::failures(const RedCombo& a, int code) const {
    const CodeDigits d = codeDigits(code);
    std::bitset<41> failed;
    for (int k = 1; k <= 40; ++k)
        if (tested(k))
            failed[k] = fails(k, a, code, d);
    return failed;
}

bool SelectionReference::keeps(const RedCombo& a, int code) const {
    const CodeDigits d = codeDigits(code);
    int failures = 0;
    for (int k = 1; k <= 40; ++k) {
        if (!tested(k) || !fails(k, a, code, d))
            continue;
        if (m_marker[k] >= 1)
            return false;
        ++failures;
    }
    return m_t[169] <= failures && failures <= m_t[168];
}

namespace {

// Random panels whose conditions keep a fair share of the combinations, with the awkward inputs
// a user can type: fractions, empty boxes, text that reads 0, digit boxes holding "0".
class PanelGenerator {
public:
    explicit PanelGenerator(quint32 seed) : m_rng(seed) {}

    // With `every`, all 40 conditions are tested.
    PanelState panel(bool every = false) {
        PanelState p;
        lastDraw(p);
        for (int k = 1; k <= 40; ++k)
            if (every || chance(30))
                enable(p, k);
        p.check1[0] = anyIn(p, 1, 11) || chance(20);
        p.check2 = anyIn(p, 12, 31) || chance(20);
        p.check3 = anyIn(p, 32, 40) || chance(20);
        tolerance(p);
        markers(p);
        return p;
    }

    HotColdValues hotCold() {
        HotColdValues hv{};
        for (int n = 1; n <= kRedMax; ++n)
            hv[n] = between(-40, 30);
        hv[1] = hv[1] == 0 ? 5 : hv[1];
        return hv;
    }

private:
    bool chance(int percent) { return between(0, 99) < percent; }
    int between(int low, int high) { return static_cast<int>(m_rng.bounded(low, high + 1)); }

    static bool anyIn(const PanelState& p, int first, int last) {
        return std::any_of(p.check1.begin() + first, p.check1.begin() + last + 1,
                           [](int c) { return c != 0; });
    }

    QString number(int value) {
        switch (between(0, 19)) {
        case 0:
            return QString::number(value) + u".5"_s;
        case 1:
            return QString::number(value) + u"abc"_s;
        case 2:
            return u" "_s + QString::number(value);
        default:
            return QString::number(value);
        }
    }

    // A bound pair around the usual values of a quantity; sometimes empty or crossed.
    void bounds(PanelState& p, int maxBox, int low, int high) {
        const int min = between(low, high);
        const int max = between(min, std::min(high, min + (high - low) / 2 + 1));
        p.text1[maxBox] = chance(5) ? QString() : number(chance(5) ? min - 1 : max);
        p.text1[maxBox + 1] = chance(10) ? QString() : number(min);
    }

    void numberList(PanelState& p, int first, int last) {
        const int given = between(1, last - first + 1);
        for (int b = first; b < first + given; ++b) {
            switch (between(0, 15)) {
            case 0:
                p.text1[b] = u"0"_s;
                break;
            case 1:
                p.text1[b] = u"5.5"_s;
                break;
            case 2:
                p.text1[b] = u"40"_s;
                break;
            case 3:
                p.text1[b] = QString();
                break;
            default:
                p.text1[b] = number(between(1, 33));
                break;
            }
        }
    }

    void digitList(PanelState& p, int first, int last) {
        const int given = between(1, last - first + 1);
        for (int b = first; b < first + given; ++b) {
            switch (between(0, 15)) {
            case 0:
                p.text1[b] = u"abc"_s;
                break;
            case 1:
                p.text1[b] = u"3.5"_s;
                break;
            case 2:
                p.text1[b] = u"12"_s;
                break;
            case 3:
                p.text1[b] = QString();
                break;
            default:
                p.text1[b] = QString::number(between(0, 9));
                break;
            }
        }
    }

    void lastDraw(PanelState& p) {
        p.text1[8] = u"0000000"_s;
        if (chance(15))
            return; // the last-draw boxes left empty read 0
        const int code = between(1, kComboCount);
        const RedCombo red = comboOfCode(code);
        for (int i = 0; i < 6; ++i)
            p.text1[i + 1] = QString::number(red[i]);
        p.text1[7] = QString::number(between(1, 16));
        const CodeDigits d = codeDigits(chance(80) ? code : between(1, kComboCount));
        p.text1[8] = QString::fromStdString(d.text());
        for (int i = 0; i < 7; ++i)
            p.text1[9 + i] = chance(5) ? QString() : QString::number(d.d[i]);
    }

    void enable(PanelState& p, int k) {
        p.check1[k] = 1;
        switch (k) {
        case 1:
            numberList(p, 16, 19);
            break;
        case 2:
            numberList(p, 20, 25);
            bounds(p, 26, 0, 3);
            break;
        case 3:
            numberList(p, 28, 47);
            bounds(p, 48, 0, 4);
            break;
        case 4:
            bounds(p, 50, 60, 150);
            break;
        case 5:
            bounds(p, 52, 5, 15);
            break;
        case 6:
            bounds(p, 54, 0, 6);
            break;
        case 7:
            bounds(p, 56, 0, 6);
            break;
        case 8:
            bounds(p, 58, 0, 3);
            break;
        case 9:
            bounds(p, 60, 0, 3);
            break;
        case 10:
            bounds(p, 62, 0, 2);
            break;
        case 11:
            bounds(p, 64, 0, 4);
            break;
        case 12:
            p.option1 = chance(45);
            p.option2 = !p.option1 && chance(80);
            break;
        case 13:
            bounds(p, 66, 5, 40);
            break;
        case 14:
            digitList(p, 68, 73);
            break;
        case 15:
            bounds(p, 74, 0, 7);
            break;
        case 16:
            bounds(p, 76, 0, 6);
            break;
        case 17:
            bounds(p, 78, 0, 5);
            break;
        case 18:
            bounds(p, 80, 0, 10);
            break;
        case 19:
            bounds(p, 82, 0, 7);
            break;
        case 20:
            bounds(p, 84, 0, 10);
            break;
        case 21:
            bounds(p, 86, 2, 10);
            break;
        case 22:
            digitList(p, 88, 91);
            break;
        case 23:
            digitList(p, 92, 95);
            bounds(p, 96, 0, 3);
            break;
        case 24:
            digitList(p, 98, 101);
            bounds(p, 102, 0, 3);
            break;
        case 25:
            digitList(p, 104, 108);
            break;
        case 26:
            digitList(p, 109, 113);
            break;
        case 27:
            digitList(p, 114, 118);
            break;
        case 28:
            digitList(p, 119, 123);
            break;
        case 29:
            digitList(p, 124, 128);
            break;
        case 30:
            digitList(p, 129, 133);
            break;
        case 31:
            digitList(p, 134, 135);
            break;
        case 32:
            bounds(p, 136, 0, 4);
            break;
        case 33:
            bounds(p, 138, 0, 4);
            break;
        case 34:
            bounds(p, 140, 0, 4);
            break;
        case 35:
            bounds(p, 142, 10, 32);
            break;
        case 36:
            numberList(p, 144, 147);
            break;
        case 37:
            bounds(p, 148, -100, 60);
            break;
        case 38:
            bounds(p, 150, 0, 6);
            break;
        case 39:
            bounds(p, 152, 0, 6);
            break;
        case 40:
            bounds(p, 154, 0, 6);
            break;
        }
    }

    void tolerance(PanelState& p) {
        const char* lows[] = {"", "", "0", "1", "0.5"};
        const char* highs[] = {"", "0", "1", "2", "3", "4", "2.5", "6"};
        const int low = between(0, 4);
        p.text1[169] = QString::fromLatin1(lows[low]);
        p.text1[168] = QString::fromLatin1(highs[between(low < 3 ? 0 : 3, 7)]);
    }

    // Non-tolerant markers: through "不容错的选项" as its click leaves them, or left behind in
    // Text3 with the box unchecked, which the run still honours.
    void markers(PanelState& p) {
        if (chance(40)) {
            p.check4 = 1;
            int box = 156;
            for (int k = 1; k <= 40 && box <= 167; ++k)
                if (p.check1[k] && chance(25)) {
                    p.text1[box++] = QString::number(k);
                    p.text3[k] = QString::number(k);
                }
        } else if (chance(15)) {
            const int k = between(1, 40);
            p.text3[k] = QString::number(k);
        }
    }

    QRandomGenerator m_rng;
};

QString describe(const RedCombo& red, int code, const std::bitset<41>& engine,
                 const std::bitset<41>& reference) {
    return u"code %1 (%2): engine fails %3, reference fails %4"_s.arg(code).arg(
        QString::fromStdString(comboText(red)), QString::fromStdString(engine.to_string()),
        QString::fromStdString(reference.to_string()));
}

} // namespace

} // namespace ssq::test

using ssq::test::PanelGenerator;
using ssq::test::SelectionReference;

class TestSelectionReference : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void walkMatchesReferenceOnEveryCombination();
    void walkMatchesReferenceOnSampledCombinations();
};

// Tolerance bounds equal to the median number of failures, so that a miscounted failure
// anywhere changes the verdict of many combinations.
void toleranceAtMedian(ssq::PanelState& panel, const SelectionReference& reference) {
    std::vector<int> counts;
    for (int code = 1; code <= ssq::kComboCount; code += 997)
        counts.push_back(
            static_cast<int>(reference.failures(ssq::comboOfCode(code), code).count()));
    std::nth_element(counts.begin(), counts.begin() + counts.size() / 2, counts.end());
    panel.text1[168] = panel.text1[169] = QString::number(counts[counts.size() / 2]);
}

// Three panels checked on all 1,107,568 combinations, the last testing all 40 conditions.
void TestSelectionReference::walkMatchesReferenceOnEveryCombination() {
    for (quint32 seed : {11U, 29U, 7U}) {
        PanelGenerator gen(seed);
        const bool every = seed == 7;
        ssq::PanelState panel = gen.panel(every);
        const ssq::HotColdValues hv = gen.hotCold();
        if (every) {
            panel.check4 = 0;
            panel.text3 = {};
            toleranceAtMedian(panel, SelectionReference(panel, hv));
        }
        const ssq::SelectionEngine engine(panel, hv);
        QVERIFY2(!engine.refusal(), qPrintable(engine.refusal().value_or(QString())));
        const ssq::SelectionResult result = engine.run();
        QVERIFY(result.completed());
        const SelectionReference reference(panel, hv);

        std::size_t next = 0;
        int code = 0;
        for (int a1 = 1; a1 <= 28; ++a1)
            for (int a2 = a1 + 1; a2 <= 29; ++a2)
                for (int a3 = a2 + 1; a3 <= 30; ++a3)
                    for (int a4 = a3 + 1; a4 <= 31; ++a4)
                        for (int a5 = a4 + 1; a5 <= 32; ++a5)
                            for (int a6 = a5 + 1; a6 <= 33; ++a6) {
                                ++code;
                                const ssq::RedCombo red{a1, a2, a3, a4, a5, a6};
                                const bool kept =
                                    next < result.codes.size() && result.codes[next] == code;
                                next += kept;
                                if (kept != reference.keeps(red, code))
                                    QFAIL(qPrintable(u"seed %1, "_s.arg(seed) +
                                                     ssq::test::describe(
                                                         red, code, engine.failedConditions(code),
                                                         reference.failures(red, code))));
                            }
        QCOMPARE(next, result.codes.size());
        QVERIFY(result.count() > 0 && result.count() < ssq::kComboCount);
    }
}

// Many panels, each run in full and checked on the codes where digits roll over and on random
// codes, condition by condition as well as for the verdict.
void TestSelectionReference::walkMatchesReferenceOnSampledCombinations() {
    int interesting = 0;
    const int panels = 24;
    for (int seed = 100; seed < 100 + panels; ++seed) {
        PanelGenerator gen(static_cast<quint32>(seed));
        const ssq::PanelState panel = gen.panel();
        const ssq::HotColdValues hv = gen.hotCold();
        const ssq::SelectionEngine engine(panel, hv);
        if (engine.refusal())
            continue; // a marker list that no longer matches its markers; covered elsewhere
        const ssq::SelectionResult result = engine.run();
        QVERIFY(std::adjacent_find(result.codes.begin(), result.codes.end(),
                                   [](int a, int b) { return a >= b; }) == result.codes.end());
        interesting += result.count() > 0 && result.count() < ssq::kComboCount;
        const SelectionReference reference(panel, hv);

        std::vector<int> codes{1,
                               2,
                               28,
                               29,
                               999,
                               1000,
                               1001,
                               9999,
                               10000,
                               99999,
                               100000,
                               999999,
                               1000000,
                               1000001,
                               1099999,
                               1100000,
                               ssq::kComboCount - 1,
                               ssq::kComboCount};
        QRandomGenerator rng(static_cast<quint32>(seed));
        for (int i = 0; i < 3000; ++i)
            codes.push_back(static_cast<int>(rng.bounded(1, ssq::kComboCount + 1)));
        for (std::size_t i = 0; i < result.codes.size() && i < 200; ++i)
            codes.push_back(
                result.codes[i * (result.codes.size() / 200 + 1) % result.codes.size()]);

        for (int code : codes) {
            const ssq::RedCombo red = ssq::comboOfCode(code);
            const bool kept = std::binary_search(result.codes.begin(), result.codes.end(), code);
            const std::bitset<41> expected = reference.failures(red, code);
            const QString where =
                u"seed %1, "_s.arg(seed) +
                ssq::test::describe(red, code, engine.failedConditions(code), expected);
            QVERIFY2(engine.failedConditions(code) == expected, qPrintable(where));
            QVERIFY2(kept == reference.keeps(red, code), qPrintable(where));
            QVERIFY2(engine.keeps(code) == kept, qPrintable(where));
        }
    }
    QVERIFY2(interesting >= panels / 2, "the random panels keep too little variety to test with");
}

QTEST_GUILESS_MAIN(TestSelectionReference)
#include "test_selection_reference.moc"
