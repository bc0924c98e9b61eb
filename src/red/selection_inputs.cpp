#include "red/selection_inputs.h"

#include "model/leading_number.h"
#include "model/leading_number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

int checkedCount(const SelectionInputs& in, int first, int last) {
    return static_cast<int>(
        std::count(in.check.begin() + first, in.check.begin() + last + 1, true));
}

} // namespace

float singlePrecision(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest)
        return std::numeric_limits<float>::infinity();
    if (value < -largest)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

int markerValue(const QString& text) {
    const double rounded = roundHalfEven(numberOf(text));
    return static_cast<int>(std::clamp(rounded, -32768.0, 32767.0));
}

SelectionInputs readSelectionInputs(const PanelState& panel, const HotColdValues& hotCold) {
    SelectionInputs in;
    for (int i = 1; i <= 169; ++i) {
        in.given[i] = !panel.text1[i].isEmpty();
        if (i != 8)
            in.t[i] = singlePrecision(numberOf(panel.text1[i]));
    }
    in.lastCodeEmpty = panel.text1[8].isEmpty();
    for (int k = 0; k <= kConditionCount; ++k)
        in.check[k] = panel.check1[k] != 0;
    in.zone2 = panel.check2 != 0;
    in.zone3 = panel.check3 != 0;
    in.check4 = panel.check4 != 0;
    in.option1 = panel.option1;
    in.option2 = panel.option2;
    for (int k = 1; k <= kConditionCount; ++k) {
        in.marker[k] = markerValue(panel.text3[k]);
        in.marker[0] += in.marker[k];
    }
    in.hotCold = hotCold;
    return in;
}

bool conditionTested(const SelectionInputs& in, int k) {
    if (k < 1 || k > kConditionCount || !in.check[k])
        return false;
    if (k <= 11)
        return in.check[0];
    if (k <= 31)
        return in.zone2;
    return in.zone3;
}

std::optional<RefusalReason> refusalReason(const SelectionInputs& in, bool checkHotCold) {
    if (in.lastCodeEmpty)
        return RefusalReason::LastCodeEmpty;
    if (checkedCount(in, 1, 11) >= 1 && !in.check[0])
        return RefusalReason::Zone1;
    if (checkedCount(in, 12, 31) >= 1 && !in.zone2)
        return RefusalReason::Zone2;
    if (checkedCount(in, 32, 40) >= 1 && !in.zone3)
        return RefusalReason::Zone3;
    const bool hotColdEmpty =
        std::all_of(in.hotCold.begin() + 1, in.hotCold.end(), [](int v) { return v == 0; });
    if (checkHotCold && checkedCount(in, 37, 40) >= 1 && hotColdEmpty)
        return RefusalReason::HotColdEmpty;
    if (in.check4) {
        double listed = 0;
        for (int i = 156; i <= 167; ++i)
            listed += in.t[i];
        if (listed != in.marker[0])
            return RefusalReason::NonTolerantList;
    }
    return std::nullopt;
}

QString refusalMessage(RefusalReason reason) {
    switch (reason) {
    case RefusalReason::LastCodeEmpty:
        return u"请先点击“转换代码查询”,程序将自动输入代码"_s;
    case RefusalReason::Zone1:
        return u"您选用了一区的选项,但没有点击指标一区选择框,请点击"_s;
    case RefusalReason::Zone2:
        return u"您选用了二区的选项,但没有点击指标二区选择框,请点击"_s;
    case RefusalReason::Zone3:
        return u"您选用了三区的选项,但没有点击指标三区选择框,请点击"_s;
    case RefusalReason::HotColdEmpty:
        return u"您选用了冷热值选项，但没有点击（如要使用冷热值指标，请先点此处），请先点击此按钮"_s;
    case RefusalReason::NonTolerantList:
        return u"请您核查“不容错的选项”内的各个选项数值是否正确，并把“不容错的选项”这个复选框再次选中"_s;
    }
    return {};
}

QString refusalShortText(RefusalReason reason) {
    switch (reason) {
    case RefusalReason::LastCodeEmpty:
        return u"上期号码未转换为代码"_s;
    case RefusalReason::Zone1:
        return u"未选中指标一区选择框"_s;
    case RefusalReason::Zone2:
        return u"未选中指标二区选择框"_s;
    case RefusalReason::Zone3:
        return u"未选中指标三区选择框"_s;
    case RefusalReason::HotColdEmpty:
        return u"冷热值尚未计算"_s;
    case RefusalReason::NonTolerantList:
        return u"不容错的选项需核查"_s;
    }
    return {};
}

std::optional<QString> selectionRefusal(const SelectionInputs& in) {
    if (const std::optional<RefusalReason> reason = refusalReason(in))
        return refusalMessage(*reason);
    return std::nullopt;
}

} // namespace ssq
