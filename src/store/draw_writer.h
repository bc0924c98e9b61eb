#pragma once
// Writes draw records into kjhm, kjdm and kjzb through prepared statements, so that adding one
// draw and importing thousands share the same code. Callers own the transaction.

#include "store/draw_rows.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <optional>

namespace ssq {

enum class DrawTable { Kjhm, Kjdm, Kjzb };

// The table's name and the program's own word for it ("开奖号码").
QString tableName(DrawTable table);
QString tableCaption(DrawTable table);

class DrawWriter {
public:
    explicit DrawWriter(QSqlDatabase db);

    // Appends one row to each of the three tables.
    bool append(const DrawRows& rows, QString* error);
    // Overwrites every column of the row `rowid` of `table`.
    bool overwrite(DrawTable table, qint64 rowid, const QVariantList& row, QString* error);
    bool remove(DrawTable table, qint64 rowid, QString* error);

    // The first row in issue order whose issue cell reads `issue` by the rule the history is
    // read with (leading number, rounded), so a row found in the history is the row written.
    std::optional<qint64> firstRowWithIssue(DrawTable table, int issue, QString* error);
    // The first row whose issue cell holds exactly `value`; nullopt when none does.
    std::optional<qint64> firstRowHolding(DrawTable table, double value, QString* error);

private:
    bool run(QSqlQuery& query, const QVariantList& values, DrawTable table, QString* error);

    QSqlDatabase m_db;
    QSqlQuery m_insert[3];
    bool m_prepared[3] = {false, false, false};
};

} // namespace ssq
