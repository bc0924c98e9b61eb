#pragma once
// A record set over one query text: exact record count, move first/last/next/previous, read
// and write column k of the current row by position, add, update, delete. The whole result is
// held in memory (draw tables are small); writes go to the table the query reads from.

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

    void addNew();                        // appends an empty row and makes it current
    bool update(QString* error = nullptr); // stores the current row (insert or update)
    bool remove(QString* error = nullptr); // deletes the current row

private:
    struct Row {
        qint64 rowid = -1; // -1: added, not yet stored
        QStringList cells;
        QVector<bool> nulls;
        bool dirty = false;
    };
    QSqlDatabase m_db;
    QString m_query;
    QString m_table;
    QStringList m_columns;
    QVector<Row> m_rows;
    int m_pos = -1;
    bool m_bof = true;
    bool m_eof = true;
};

} // namespace ssq
