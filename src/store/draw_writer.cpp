#include "store/draw_writer.h"

#include "store/database.h"
#include "store/draw_history.h"
#include "store/schema.h"

#include <QSqlError>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

int index(DrawTable table) {
    return static_cast<int>(table);
}

QString quotedColumns(DrawTable table) {
    QStringList names = schema::columnNames(tableName(table));
    for (QString& n : names)
        n = u'"' + n + u'"';
    return names.join(u',');
}

QString placeholders(int count) {
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks.append(u"?"_s);
    return marks.join(u',');
}

QString failure(DrawTable table, const QSqlQuery& query) {
    return u"写入%1表失败：%2"_s.arg(tableCaption(table), storeErrorText(query.lastError()));
}

} // namespace

QString tableName(DrawTable table) {
    switch (table) {
    case DrawTable::Kjhm:
        return schema::kKjhm;
    case DrawTable::Kjdm:
        return schema::kKjdm;
    case DrawTable::Kjzb:
        return schema::kKjzb;
    }
    return {};
}

QString tableCaption(DrawTable table) {
    switch (table) {
    case DrawTable::Kjhm:
        return u"开奖号码"_s;
    case DrawTable::Kjdm:
        return u"开奖代码"_s;
    case DrawTable::Kjzb:
        return u"开奖指标"_s;
    }
    return {};
}

DrawWriter::DrawWriter(QSqlDatabase db)
    : m_db(db), m_insert{QSqlQuery(db), QSqlQuery(db), QSqlQuery(db)} {}

bool DrawWriter::run(QSqlQuery& query, const QVariantList& values, DrawTable table,
                     QString* error) {
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (query.exec())
        return true;
    if (error)
        *error = failure(table, query);
    return false;
}

bool DrawWriter::append(const DrawRows& rows, QString* error) {
    const QVariantList* cells[3] = {&rows.numbers, &rows.codes, &rows.indicators};
    for (DrawTable t : {DrawTable::Kjhm, DrawTable::Kjdm, DrawTable::Kjzb}) {
        QSqlQuery& insert = m_insert[index(t)];
        if (!m_prepared[index(t)]) {
            const int count = static_cast<int>(cells[index(t)]->size());
            m_prepared[index(t)] = insert.prepare(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(
                tableName(t), quotedColumns(t), placeholders(count)));
            if (!m_prepared[index(t)]) {
                if (error)
                    *error = failure(t, insert);
                return false;
            }
        }
        if (!run(insert, *cells[index(t)], t, error))
            return false;
    }
    return true;
}

bool DrawWriter::overwrite(DrawTable table, qint64 rowid, const QVariantList& row, QString* error) {
    QStringList sets;
    const QStringList names = schema::columnNames(tableName(table));
    for (int i = 0; i < row.size() && i < names.size(); ++i)
        sets.append(u"\"%1\" = ?"_s.arg(names[i]));
    QSqlQuery update(m_db);
    if (!update.prepare(
            u"UPDATE %1 SET %2 WHERE rowid = ?"_s.arg(tableName(table), sets.join(u',')))) {
        if (error)
            *error = failure(table, update);
        return false;
    }
    QVariantList values = row.mid(0, sets.size());
    values.append(rowid);
    return run(update, values, table, error);
}

bool DrawWriter::remove(DrawTable table, qint64 rowid, QString* error) {
    QSqlQuery del(m_db);
    del.prepare(u"DELETE FROM %1 WHERE rowid = ?"_s.arg(tableName(table)));
    return run(del, {rowid}, table, error);
}

std::optional<qint64> DrawWriter::firstRowWithIssue(DrawTable table, int issue, QString* error) {
    // The same order as the history's readers; among rows sharing an issue, the one stored first.
    QSqlQuery find(m_db);
    find.setForwardOnly(true);
    if (!find.exec(u"SELECT rowid, \"%2\" FROM %1 ORDER BY \"%2\", rowid"_s.arg(tableName(table),
                                                                                schema::kIssue))) {
        if (error)
            *error =
                u"读取%1表失败：%2"_s.arg(tableCaption(table), storeErrorText(find.lastError()));
        return std::nullopt;
    }
    while (find.next()) {
        if (issueOfCell(find.value(1)) == issue)
            return find.value(0).toLongLong();
    }
    return std::nullopt;
}

std::optional<qint64> DrawWriter::firstRowHolding(DrawTable table, double value, QString* error) {
    QSqlQuery find(m_db);
    find.prepare(u"SELECT rowid FROM %1 WHERE \"%2\" = ? ORDER BY rowid LIMIT 1"_s.arg(
        tableName(table), schema::kIssue));
    find.addBindValue(value);
    if (!find.exec()) {
        if (error)
            *error =
                u"读取%1表失败：%2"_s.arg(tableCaption(table), storeErrorText(find.lastError()));
        return std::nullopt;
    }
    if (!find.next())
        return std::nullopt;
    return find.value(0).toLongLong();
}

} // namespace ssq
