#include "store/database_decade.h"

#include "store/database.h"
#include "store/draw_history.h"
#include "store/issue_number.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

const QString kDecadeKey = u"年代"_s;

} // namespace

std::optional<int> recordedDecade(QSqlDatabase db) {
    QSqlQuery q(db);
    q.prepare(u"SELECT \"内容\" FROM sjsz WHERE \"项目\" = ?"_s);
    q.addBindValue(kDecadeKey);
    // A file without the table has nothing recorded.
    if (!q.exec() || !q.next())
        return std::nullopt;
    bool ok = false;
    const int year = q.value(0).toString().toInt(&ok);
    if (!ok || year % 10 != 0 || year < 2000 || year > 2090)
        return std::nullopt;
    return year;
}

int databaseDecade(QSqlDatabase db, const QDate& today) {
    if (const std::optional<int> recorded = recordedDecade(db))
        return *recorded;
    const std::optional<StoredDraw> newest = newestDraw(db);
    return inferDecade(newest ? std::optional<int>(newest->issue) : std::nullopt, today);
}

bool recordDecade(QSqlDatabase db, int decadeYear, QString* error) {
    if (recordedDecade(db))
        return true;
    QSqlQuery q(db);
    if (!q.exec(u"CREATE TABLE IF NOT EXISTS sjsz (\"项目\" TEXT, \"内容\" TEXT)"_s)) {
        if (error)
            *error = u"无法记录数据库的年代：%1"_s.arg(storeErrorText(q.lastError()));
        return false;
    }
    q.prepare(u"INSERT INTO sjsz (\"项目\", \"内容\") VALUES (?, ?)"_s);
    q.addBindValue(kDecadeKey);
    q.addBindValue(QString::number(decadeYear));
    if (!q.exec()) {
        if (error)
            *error = u"无法记录数据库的年代：%1"_s.arg(storeErrorText(q.lastError()));
        return false;
    }
    return true;
}

} // namespace ssq
