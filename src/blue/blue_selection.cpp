#include "blue/blue_selection.h"

#include "blue/blue_conditions.h"
#include "model/leading_number.h"
#include "model/leading_number_text.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

using namespace blue;
constexpr int kStrictBoxes = kLastStrict - kFirstStrict + 1;

// The condition numbers of the strict list, each rounded to the nearest whole number; the
// refusal message when one is not 0..10 (0, like an empty box, names no condition).
std::optional<std::array<int, kStrictBoxes>> strictList(const BlueControls& c, QString* refusal) {
    std::array<int, kStrictBoxes> list{};
    for (int i = 0; i < kStrictBoxes; ++i) {
        const QString& text = c.text[kFirstStrict + i];
        const double n = roundHalfEven(numberOf(text));
        if (!(n >= 0 && n <= kConditions)) {
            *refusal =
                u"“不允许容错的选项”第%1个框中的“%2”不是0到10之间的条件编号，请改正后再选号"_s
                    .arg(i + 1)
                    .arg(text);
            return std::nullopt;
        }
        list[i] = static_cast<int>(n);
    }
    return list;
}

} // namespace

const QString kEmptySlot = u"  "_s;

QString blueSummary(int count) {
    if (count == 0)
        return u"没有符合条件的号码,请重新设置条件!"_s;
    return u"符合条件的号码共有"_s + QString::number(count) + u"注!"_s;
}

BlueSelectionResult runBlueSelection(BlueControls& c) {
    BlueSelectionResult result;
    result.slots.fill(kEmptySlot);
    const bool strict = c.check[kStrictCheck] == 1;
    std::array<int, kStrictBoxes> list{};
    if (strict) {
        const auto read = strictList(c, &result.message);
        if (!read)
            return result;
        list = *read;
    }

    for (int a = 1, number = 0; a <= 4; ++a) {
        for (int b = 1; b <= 4; ++b) {
            ++number;
            // Mark 0 never fails: an empty strict-list box points at it.
            std::array<int, kConditions + 1> fails{};
            for (int k = 1; k <= kConditions; ++k)
                fails[k] = blueConditionFails(c, k, number) ? 1 : 0;

            if (strict) {
                int listed = 0;
                for (int k : list)
                    listed += fails[k];
                if (listed >= 1)
                    continue;
            }
            if (c.check[kToleranceCheck] != 1) {
                c.text[kMostFailures] = u"0"_s;
                c.text[kFewestFailures] = u"0"_s;
                c.check[kToleranceCheck] = 1;
            }
            int failed = 0;
            for (int k = 1; k <= kConditions; ++k)
                failed += fails[k];
            if (failed > numberOf(c.text[kMostFailures]) ||
                failed < numberOf(c.text[kFewestFailures]))
                continue;
            ++result.count;
            result.slots[result.count] = QString::number(number);
        }
    }
    result.summary = blueSummary(result.count);
    result.ok = true;
    return result;
}

} // namespace ssq
