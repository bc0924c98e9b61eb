#pragma once
// A record set over one query text: exact record count, move first/last/next/previous, read
// and write column k of the current row by position, add, update, delete. The whole result is
// held in memory (draw tables are small); writes go to the table the query reads from.
//
// Like the record sets the program's windows were designed around, moving off a changed row
// (or adding a new one) stores it first; update() is still the way to learn whether storing
// worked. A query over one table ("select ... from t [where ...] [order by ...]") can be
// written; any other query is read-only.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

namespace ssq {

class RecordSet {
public:
    explicit RecordSet(QSqlDatabase db);

    // Runs the query; the current row is the first (or none when the result is empty).
    bool open(const QString& queryText, QString* error = nullptr);
    // Runs the last query again, keeping nothing of pending edits.
    bool requery(QString* error = nullptr);

    int recordCount() const;
    int columnCount() const;
    QString columnName(int column) const;

    bool isWritable() const { return m_writable; }
    QString lastError() const { return m_lastError; }

    bool moveFirst();
    bool moveLast();
    bool moveNext();     // false (and eof) when stepping past the last row
    bool movePrevious(); // false (and bof) when stepping before the first row
    bool bof() const;
    bool eof() const;
    int position() const; // 0-based index of the current row, -1 when none

    // Text of column k of the current row; "" for an empty (NULL) cell or no current row.
    QString value(int column) const;
    // Sets column k of the current row; stored by update(). "" stores an empty cell.
    void setValue(int column, const QString& text);

    void addNew(); // appends an empty row and makes it current
    // Stores the current row (insert or update). With no current row there is nothing to
    // store, which succeeds unless a value was written while there was none.
    bool update(QString* error = nullptr);
    // Deletes the current row. Until the next move there is no current row; moveNext() then
    // goes to the row after the deleted one.
    bool remove(QString* error = nullptr);

private:
    struct Row {
        qint64 rowid = -1; // -1: added, not yet stored
        QStringList cells;
        QVector<bool> nulls;
        QVector<bool> changed;
        bool dirty = false;
    };

    bool hasCurrent() const;
    void storePending();
    // Moves to the first or the last row, storing a pending edit first.
    bool moveToEnd(bool last);
    bool fail(const QString& message, QString* error);
    bool refreshRow(Row& row);

    QSqlDatabase m_db;
    QString m_query;
    QString m_table;
    QStringList m_columns;
    QVector<Row> m_rows;
    int m_pos = -1;
    bool m_bof = true;
    bool m_eof = true;
    bool m_writable = false;
    bool m_injectedRowid = false;
    bool m_onRemoved = false; // the current row was just deleted
    bool m_lostWrite = false; // setValue() without a current row
    QString m_lastError;
};

} // namespace ssq
