#include "store/draw_prizes.h"

#include "store/database.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace ssq {

bool writePrizes(QSqlDatabase db, const std::vector<DrawPrizes>& prizes, QString* error) {
    if (prizes.empty())
        return true;
    const auto fail = [error](const QSqlQuery& failed) {
        if (error)
            *error = u"写入奖金表失败：%1"_s.arg(storeErrorText(failed.lastError()));
        return false;
    };
    QSqlQuery q(db);
    if (!q.exec(u"CREATE TABLE IF NOT EXISTS kjjj (\"期号\" NUMERIC, \"奖级\" NUMERIC, "
                u"\"注数\" NUMERIC, \"单注奖金\" NUMERIC)"_s))
        return fail(q);
    QSqlQuery remove(db);
    QSqlQuery insert(db);
    if (!remove.prepare(u"DELETE FROM kjjj WHERE \"期号\" = ?"_s))
        return fail(remove);
    if (!insert.prepare(u"INSERT INTO kjjj (\"期号\", \"奖级\", \"注数\", \"单注奖金\") "
                        u"VALUES (?, ?, ?, ?)"_s))
        return fail(insert);
    for (const DrawPrizes& draw : prizes) {
        remove.addBindValue(draw.issue);
        if (!remove.exec())
            return fail(remove);
        for (const PrizeGrade& grade : draw.grades) {
            insert.addBindValue(draw.issue);
            insert.addBindValue(grade.level);
            insert.addBindValue(grade.winners);
            insert.addBindValue(grade.amount);
            if (!insert.exec())
                return fail(insert);
        }
    }
    return true;
}

std::optional<qint64> prizeAmount(QSqlDatabase db, int issue, int level) {
    QSqlQuery q(db);
    q.prepare(u"SELECT \"单注奖金\" FROM kjjj WHERE \"期号\" = ? AND \"奖级\" = ?"_s);
    q.addBindValue(issue);
    q.addBindValue(level);
    // A file without the table knows no amounts.
    if (!q.exec() || !q.next() || q.value(0).isNull())
        return std::nullopt;
    return q.value(0).toLongLong();
}

} // namespace ssq
