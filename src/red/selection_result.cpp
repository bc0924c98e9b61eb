#include "red/selection_result.h"

#include "model/red_code.h"

using namespace Qt::StringLiterals;

namespace ssq {

QString comboTextOfCode(int code) {
    if (code < 1 || code > kComboCount)
        return {};
    return QString::fromStdString(comboText(comboOfCode(code)));
}

QString SelectionResult::text(int index) const {
    if (index < 0 || index >= count())
        return {};
    const auto i = static_cast<std::size_t>(index);
    const QString red = comboTextOfCode(codes[i]);
    return i < blues.size() ? red + u" + "_s + QString::number(blues[i]) : red;
}

QString SelectionResult::resultLine() const {
    return selectionResultLine(count());
}

QString selectionResultLine(int count) {
    if (count > 0)
        return u"选号过程结束,符合条件的共有"_s + QString::number(count) + u"注,请选择显示范围"_s;
    return u"没有符合条件的号码,请重新设置选号条件"_s;
}

} // namespace ssq
