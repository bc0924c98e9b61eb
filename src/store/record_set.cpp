#include "store/record_set.h"

#include "store/database.h"

#include "store/query_text.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

QString quotedName(const QString& name) {
    QString escaped = name;
    escaped.replace(u'"', u"\"\""_s);
    return u'"' + escaped + u'"';
}

// An empty text is an empty cell; anything else goes in as text and the column's affinity
// turns a number into a number.
QVariant bindable(const QString& text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

RecordSet::RecordSet(QSqlDatabase db) : m_db(db) {}

bool RecordSet::fail(const QString& message, QString* error) {
    m_lastError = message;
    if (error)
        *error = message;
    return false;
}

bool RecordSet::open(const QString& queryText, QString* error) {
    m_query = queryText;
    return requery(error);
}

bool RecordSet::requery(QString* error) {
    m_rows.clear();
    m_columns.clear();
    m_table.clear();
    m_pos = -1;
    m_bof = m_eof = true;
    m_writable = m_injectedRowid = m_onRemoved = m_lostWrite = false;
    m_lastError.clear();

    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    bool ran = false;
    if (const std::optional<WritableQuery> w = writableForm(m_query)) {
        ran = q.exec(w->withRowid);
        if (ran) {
            m_table = w->table;
            m_writable = m_injectedRowid = true;
        }
    }
    if (!ran && !q.exec(m_query))
        return fail(u"查询失败（%1）：%2"_s.arg(m_query, storeErrorText(q.lastError())), error);

    const QSqlRecord record = q.record();
    const int first = m_injectedRowid ? 1 : 0;
    for (int i = first; i < record.count(); ++i)
        m_columns.append(record.fieldName(i));

    const int n = static_cast<int>(m_columns.size());
    while (q.next()) {
        Row row;
        row.rowid = m_injectedRowid ? q.value(0).toLongLong() : -1;
        row.cells.reserve(n);
        row.nulls.reserve(n);
        for (int i = 0; i < n; ++i) {
            const QVariant v = q.value(i + first);
            row.nulls.append(v.isNull());
            row.cells.append(v.isNull() ? QString() : v.toString());
        }
        row.changed = QVector<bool>(n, false);
        m_rows.append(std::move(row));
    }
    if (q.lastError().isValid())
        return fail(u"读取查询结果失败（%1）：%2"_s.arg(m_query, storeErrorText(q.lastError())),
                    error);
    if (!m_rows.isEmpty()) {
        m_pos = 0;
        m_bof = m_eof = false;
    }
    return true;
}

int RecordSet::recordCount() const {
    return static_cast<int>(m_rows.size());
}

int RecordSet::columnCount() const {
    return static_cast<int>(m_columns.size());
}

QString RecordSet::columnName(int column) const {
    return m_columns.value(column);
}

bool RecordSet::hasCurrent() const {
    return !m_onRemoved && m_pos >= 0 && m_pos < m_rows.size();
}

void RecordSet::storePending() {
    if (hasCurrent() && m_rows[m_pos].dirty)
        update();
}

bool RecordSet::moveToEnd(bool last) {
    storePending();
    m_onRemoved = false;
    m_lostWrite = false;
    if (m_rows.isEmpty()) {
        m_pos = -1;
        m_bof = m_eof = true;
        return false;
    }
    m_pos = last ? static_cast<int>(m_rows.size()) - 1 : 0;
    m_bof = m_eof = false;
    return true;
}

bool RecordSet::moveFirst() {
    return moveToEnd(false);
}

bool RecordSet::moveLast() {
    return moveToEnd(true);
}

bool RecordSet::moveNext() {
    storePending();
    m_lostWrite = false;
    // After a delete the following row has already slid into the current index.
    const int next = m_onRemoved ? m_pos : m_pos + 1;
    m_onRemoved = false;
    if (next >= m_rows.size()) {
        m_pos = static_cast<int>(m_rows.size());
        m_eof = true;
        m_bof = m_rows.isEmpty();
        return false;
    }
    m_pos = next;
    m_bof = m_eof = false;
    return true;
}

bool RecordSet::movePrevious() {
    storePending();
    m_lostWrite = false;
    m_onRemoved = false;
    const int previous = std::min(m_pos, static_cast<int>(m_rows.size())) - 1;
    if (previous < 0) {
        m_pos = -1;
        m_bof = true;
        m_eof = m_rows.isEmpty();
        return false;
    }
    m_pos = previous;
    m_bof = m_eof = false;
    return true;
}

bool RecordSet::bof() const {
    return m_bof;
}

bool RecordSet::eof() const {
    return m_eof;
}

int RecordSet::position() const {
    return hasCurrent() ? m_pos : -1;
}

QString RecordSet::value(int column) const {
    if (!hasCurrent() || column < 0 || column >= m_columns.size())
        return QString();
    return m_rows[m_pos].cells[column];
}

void RecordSet::setValue(int column, const QString& text) {
    if (!hasCurrent() || column < 0 || column >= m_columns.size()) {
        m_lostWrite = true;
        return;
    }
    Row& row = m_rows[m_pos];
    row.cells[column] = text;
    row.nulls[column] = text.isEmpty();
    row.changed[column] = true;
    row.dirty = true;
}

void RecordSet::addNew() {
    storePending();
    m_onRemoved = false;
    m_lostWrite = false;
    Row row;
    const int n = static_cast<int>(m_columns.size());
    row.cells = QStringList(n, QString());
    row.nulls = QVector<bool>(n, true);
    row.changed = QVector<bool>(n, false);
    row.dirty = true; // stored even when no column is written, as the added row it is
    m_rows.append(std::move(row));
    m_pos = static_cast<int>(m_rows.size()) - 1;
    m_bof = m_eof = false;
}

bool RecordSet::update(QString* error) {
    if (!hasCurrent()) {
        if (m_lostWrite)
            return fail(u"没有当前记录，写入的数据没有保存"_s, error);
        return true;
    }
    Row& row = m_rows[m_pos];
    if (!row.dirty)
        return true;
    if (!m_writable)
        return fail(u"这个查询的结果不能修改：%1"_s.arg(m_query), error);

    QStringList names;
    QVariantList values;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (row.changed[i]) {
            names.append(quotedName(m_columns[i]));
            values.append(bindable(row.cells[i]));
        }
    }

    QSqlQuery q(m_db);
    QString sql;
    if (row.rowid < 0) {
        if (names.isEmpty()) {
            sql = u"INSERT INTO %1 DEFAULT VALUES"_s.arg(quotedName(m_table));
        } else {
            QStringList marks(names.size(), u"?"_s);
            sql = u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(quotedName(m_table), names.join(u','),
                                                           marks.join(u','));
        }
    } else {
        QStringList sets;
        for (const QString& n : names)
            sets.append(n + u" = ?"_s);
        sql = u"UPDATE %1 SET %2 WHERE rowid = ?"_s.arg(quotedName(m_table), sets.join(u", "_s));
        values.append(row.rowid);
    }
    if (!q.prepare(sql))
        return fail(u"无法保存记录（%1）：%2"_s.arg(m_table, storeErrorText(q.lastError())), error);
    for (const QVariant& v : std::as_const(values))
        q.addBindValue(v);
    if (!q.exec())
        return fail(u"无法保存记录（%1）：%2"_s.arg(m_table, storeErrorText(q.lastError())), error);
    if (row.rowid < 0)
        row.rowid = q.lastInsertId().toLongLong();

    row.changed.fill(false);
    row.dirty = false;
    refreshRow(row);
    return true;
}

// Reads the stored row back, so that the cells show what the file holds ("07" written into a
// numeric column reads 7).
bool RecordSet::refreshRow(Row& row) {
    QStringList names;
    for (const QString& c : std::as_const(m_columns))
        names.append(quotedName(c));
    QSqlQuery q(m_db);
    if (!q.prepare(
            u"SELECT %1 FROM %2 WHERE rowid = ?"_s.arg(names.join(u','), quotedName(m_table))))
        return false;
    q.addBindValue(row.rowid);
    if (!q.exec() || !q.next())
        return false;
    for (int i = 0; i < m_columns.size(); ++i) {
        const QVariant v = q.value(i);
        row.nulls[i] = v.isNull();
        row.cells[i] = v.isNull() ? QString() : v.toString();
    }
    return true;
}

bool RecordSet::remove(QString* error) {
    if (!hasCurrent())
        return fail(u"没有当前记录，无法删除"_s, error);
    if (!m_writable)
        return fail(u"这个查询的结果不能修改：%1"_s.arg(m_query), error);
    const Row& row = m_rows[m_pos];
    if (row.rowid >= 0) {
        QSqlQuery q(m_db);
        q.prepare(u"DELETE FROM %1 WHERE rowid = ?"_s.arg(quotedName(m_table)));
        q.addBindValue(row.rowid);
        if (!q.exec())
            return fail(u"无法删除记录（%1）：%2"_s.arg(m_table, storeErrorText(q.lastError())),
                        error);
    }
    m_rows.removeAt(m_pos);
    m_onRemoved = true;
    return true;
}

} // namespace ssq
