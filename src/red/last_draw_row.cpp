#include "red/last_draw_row.h"

#include "model/leading_number.h"
#include "model/leading_number_text.h"
#include "model/red_code.h"
#include "store/record_set.h"

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kFirstNumberColumn = 1; // H1
constexpr int kLastNumberColumn = 49; // L16
constexpr int kDrawnValues = 7;

} // namespace

CodeConversion convertToCode(const std::array<QString, 6>& reds) {
    CodeConversion result;
    RedCombo combo{};
    for (int i = 0; i < 6; ++i) {
        const std::optional<std::uint8_t> value = toByte(numberOf(reds[i]));
        if (!value)
            return result;
        combo[i] = *value;
    }
    for (int i = 0; i + 1 < 6; ++i)
        if (combo[i] >= combo[i + 1]) {
            result.outcome = CodeConversion::Outcome::NotAscending;
            return result;
        }
    if (!isValidCombo(combo))
        return result;

    result.outcome = CodeConversion::Outcome::Converted;
    result.code = redCode(combo);
    const CodeDigits digits = codeDigits(result.code);
    result.codeText = QString::fromStdString(digits.text());
    for (int i = 0; i < 7; ++i)
        result.digits[i] = QString::number(digits.d[i]);
    return result;
}

QString notAscendingMessage() {
    return u"请按从小到大的顺序输入开奖号码"_s;
}

bool fillLastDrawRow(PanelState& panel, const QStringList& values) {
    std::array<QString, 6> reds;
    for (int i = 0; i < 6; ++i)
        reds[i] = i < values.size() ? values[i] : QString();
    const CodeConversion code = convertToCode(reds);
    if (code.outcome != CodeConversion::Outcome::Converted)
        return false;
    for (int i = 0; i < kDrawnValues; ++i)
        panel.text1[1 + i] = i < values.size() ? values[i] : QString();
    panel.text1[8] = code.codeText;
    for (int i = 0; i < 7; ++i)
        panel.text1[9 + i] = code.digits[i];
    return true;
}

QString newestDrawQuery() {
    return u"select* from kjhm order by 期号 "_s;
}

NewestDraw readNewestDraw(const QSqlDatabase& db) {
    NewestDraw result;
    RecordSet draws(db);
    QString error;
    if (!draws.open(newestDrawQuery(), &error)) {
        result.error = u"读取开奖号码失败：%1"_s.arg(error);
        return result;
    }
    if (draws.recordCount() == 0) {
        result.error = u"开奖号码表中还没有开奖记录，无法自动输入上期号。"
                       u"请先通过菜单“数据操作”添加或导入开奖数据。"_s;
        return result;
    }
    draws.moveLast();
    const int lastColumn = qMin(kLastNumberColumn, draws.columnCount() - 1);
    for (int c = kFirstNumberColumn; c <= lastColumn && result.values.size() < kDrawnValues; ++c) {
        const double value = numberOf(draws.value(c));
        if (value > 0)
            result.values.append(QString::number(value));
    }
    result.ok = true;
    return result;
}

} // namespace ssq
