#pragma once
// The analysis tables (hmtx, rhmtx, rlhtx) have a fixed set of rows that each analysis
// overwrites in place, all or nothing.

#include "store/record_set.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace ssq {

struct AnalysisTable {
    QString query;   // the table's rows in 序号 order
    int rows = 0;    // rows written, from the first
    int columns = 0; // columns the table must have at least
    QString damaged; // the reason given when the table has fewer rows or columns
};

// Sets the values of the first table.rows rows through fill(rs, row) and stores each, in one
// transaction; false with *error set when anything fails, leaving the table as it was.
bool writeAnalysisTable(QSqlDatabase db, const AnalysisTable& table,
                        const std::function<void(RecordSet&, int)>& fill, QString* error);
// The same inside the caller's transaction, for writing several tables all or nothing.
bool fillAnalysisTable(QSqlDatabase db, const AnalysisTable& table,
                       const std::function<void(RecordSet&, int)>& fill, QString* error);

} // namespace ssq
