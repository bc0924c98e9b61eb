#include "store/cell_edit_rule.h"

#include "store/database.h"
#include "store/draw_history.h"
#include "store/schema.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace ssq {

QString cellEditProblem(const QString& table, int column, int row, const QString& text) {
    const schema::Table* t = schema::table(table);
    if (!t || column < 0 || column >= t->columns.size() || t->columns[column].text)
        return {};
    const QString name = t->columns[column].name;
    const QString value = text.trimmed();
    const bool isIssue = column == 0;
    const QString cell = u"第%1行“%2”列"_s.arg(row).arg(name);
    if (value.isEmpty()) {
        if (isIssue)
            return u"%1的期号不能为空，修改没有保存。"_s.arg(cell);
        return {};
    }
    static const QRegularExpression number(u"^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"_s);
    static const QRegularExpression whole(u"^[+-]?[0-9]+\\.?$"_s);
    if (!number.match(value).hasMatch())
        return u"%1只能填数字，“%2”不是数字，修改没有保存。"_s.arg(cell, quotedField(text));
    if (isIssue && !whole.match(value).hasMatch())
        return u"%1的期号必须是整数，“%2”不是整数，修改没有保存。"_s.arg(cell, quotedField(text));
    if (isIssue && !isStorableIssue(value.toDouble()))
        return u"%1的期号“%2”超出了期号能保存的范围，修改没有保存。"_s.arg(cell,
                                                                           quotedField(value));
    return {};
}

} // namespace ssq
