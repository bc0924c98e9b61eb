// The engine's table-driven walk against a plain reading of the selection rules on random
// panels. The reference shares nothing with the engine but the model's indicator functions.

#include "model/indicators.h"
#include "model/leading_number.h"
#include "red/selection_engine.h"
#include "support/random_panel.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <bitset>
#include <cmath>
#include <functional>
#include <ranges>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

int count(int first, int last, auto&& pred) {
    return static_cast<int>(std::ranges::count_if(std::views::iota(first, last + 1), pred));
}

// The rules read plainly, one condition at a time, as a player would check them by hand.
struct Reference {
    Reference(const PanelState& panel, const HotColdValues& hv) : p(panel), hot(hv) {
        for (int i = 1; i <= 169; ++i)
            t[i] = static_cast<float>(leadingNumber(p.text1[i].toStdString()));
    }

    std::bitset<41> failures(const RedCombo& a, int code) const {
        const Indicators x = drawIndicators(a, 1, {}, hot);
        std::bitset<41> failed;
        for (int k = 1; k <= 40; ++k) {
            const int zone = k <= 11 ? p.check1[0] : k <= 31 ? p.check2 : p.check3;
            failed[k] = p.check1[k] == 1 && zone == 1 && fails(k, a, code, x);
        }
        return failed;
    }

    // A failing marked condition drops the candidate; otherwise the number of failures must
    // lie within the tolerance bounds.
    bool keeps(const std::bitset<41>& failed) const {
        for (int k = 1; k <= 40; ++k)
            if (failed[k] && toInt16(leadingNumber(p.text3[k].toStdString())).value() >= 1)
                return false;
        return t[169] <= failed.count() && failed.count() <= t[168];
    }

    bool fails(int k, const RedCombo& a, int code, const Indicators& x) const {
        const auto& [first, last, maxBox, low, high, indicator] = test::kConditionInputs[k];
        const auto out = [&](double q) { return q < t[maxBox + 1] || q > t[maxBox]; };
        if (indicator)
            return out(x[indicator]);
        const CodeDigits d = codeDigits(code);
        const auto given = [&](int b) { return !p.text1[b].isEmpty(); };
        const auto drawn = [&](double n) { return std::find(a.begin(), a.end(), n) != a.end(); };
        const auto digit = [&](double n) { return std::ranges::find(d.d, n) != d.d.end(); };
        const auto drawnBox = [&](int b) { return t[b] > 0 && drawn(t[b]); };
        const auto digitBox = [&](int b) { return given(b) && digit(t[b]); };
        // clang-format off
        switch (k) {
        case 1: return count(16, 19, [&](int b) { return t[b] > 0 && !drawn(t[b]); }) > 0;
        case 2: case 3: return out(count(first, last, drawnBox));
        case 10: return out(count(1, 6, [&](int j) { return drawn(t[j]); }));
        case 11: return out(count(0, 5, [&](int i) {
                     return count(1, 6, [&](int j) { return std::abs(a[i] - t[j]) == 1; }) > 0; }));
        case 12: return (p.option1 && code % 2 == 0) || (p.option2 && code % 2 == 1);
        case 14: return count(68, 73, [&](int b) { return given(b) && t[b] == x[11]; }) > 0;
        case 19: return out(count(9, 15, [&](int b) { return digit(t[b]); }));
        case 22: return count(88, 91, [&](int b) { return given(b) && !digit(t[b]); }) > 0;
        case 23: case 24: return out(count(first, last, digitBox));
        case 36: return count(first, last, drawnBox) > 0;
        }
        // clang-format on
        // 25..31: the digit at the list's own place (个位 for 25) is one of its boxes.
        const int place = d.d[static_cast<std::size_t>(31 - k)];
        return count(first, last, [&](int b) { return given(b) && t[b] == place; }) > 0;
    }

    PanelState p;
    HotColdValues hot{};
    std::array<double, 170> t{}; // as the boxes are read, in single precision
};

// The engine's run against the reference on every code or on a sample, where each condition's
// verdict is compared too. Returns what differs; `varied` counts runs that keep some, not all.
QString compare(const PanelState& panel, const HotColdValues& hv, bool everyCode, quint32 seed,
                int& varied) {
    const SelectionEngine engine(panel, hv);
    const SelectionResult result = engine.run();
    const Reference reference(panel, hv);
    if (!result.completed() ||
        std::ranges::adjacent_find(result.codes, std::greater_equal{}) != result.codes.end())
        return u"seed %1: refused or out of order"_s.arg(seed);
    varied += result.count() > 0 && result.count() < kComboCount;
    std::vector<int> codes{1, 2, 28, 29, 9999, 10000, 999999, 1000000, kComboCount};
    QRandomGenerator rng(seed);
    for (int i = 0; i < (everyCode ? kComboCount : 3000); ++i)
        codes.push_back(everyCode ? i + 1 : static_cast<int>(rng.bounded(1, kComboCount + 1)));
    for (int i = 0; !everyCode && i < 200 && !result.codes.empty(); ++i)
        codes.push_back(result.codes[rng.bounded(static_cast<quint32>(result.codes.size()))]);
    for (int code : codes) {
        const RedCombo red = comboOfCode(code);
        const bool kept = std::binary_search(result.codes.begin(), result.codes.end(), code);
        const std::bitset<41> expected = reference.failures(red, code);
        if (kept != reference.keeps(expected) ||
            (!everyCode && engine.failedConditions(code) != expected))
            return QString::asprintf("seed %u, code %d: engine fails %s, reference %s", seed, code,
                                     engine.failedConditions(code).to_string().c_str(),
                                     expected.to_string().c_str());
    }
    return {};
}

} // namespace

class TestSelectionReference : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every fourth seed on every combination, the others on sampled codes condition by condition.
    // Seed 0 tests all 40 conditions with the tolerance at the median number of failures, so that
    // a miscounted failure anywhere changes many verdicts.
    void walkMatchesReference() {
        int varied = 0;
        for (quint32 seed = 0; seed < 14; ++seed) {
            HotColdValues hv{};
            PanelState panel = test::randomPanel(
                seed, seed == 0 ? test::PanelKind::Every : test::PanelKind::Sample, hv);
            if (seed == 0) {
                const Reference reference(panel, hv);
                std::vector<std::size_t> counts;
                for (int code = 1; code <= kComboCount; code += 997)
                    counts.push_back(reference.failures(comboOfCode(code), code).count());
                std::ranges::nth_element(counts, counts.begin() + counts.size() / 2);
                panel.text1[168] = panel.text1[169] = QString::number(counts[counts.size() / 2]);
            }
            const QString diff = compare(panel, hv, seed % 4 == 0, seed, varied);
            QVERIFY2(diff.isEmpty(), qPrintable(diff));
        }
        QVERIFY2(varied >= 10, "the random panels keep too little variety to test with");
    }
};

QTEST_GUILESS_MAIN(TestSelectionReference)
#include "test_selection_reference.moc"
