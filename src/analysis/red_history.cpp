#include "analysis/red_history.h"

#include "store/draw_history.h"
#include "store/draw_rows.h"

using namespace Qt::StringLiterals;

namespace ssq {

QString tooFewDrawsForAnalysis() {
    return u"您的数据库中的记录不足22条，不适合使用本功能，请等到记录达到22条后使用"_s;
}

QString windowBeyondHistory(int storedDraws) {
    return u"您选的期数超出了数据库中的记录范围,无法为您载入数据,您的数据最高记录为"_s +
           QString::number(storedDraws) + u"条,请重新选择"_s;
}

std::optional<std::vector<RedCombo>> loadRedHistory(QSqlDatabase db, QString* error) {
    QString failure;
    const std::vector<StoredDraw> draws = loadDraws(db, &failure);
    if (!failure.isEmpty()) {
        if (error)
            *error = failure;
        return std::nullopt;
    }
    return redHistoryOf(draws);
}

} // namespace ssq
