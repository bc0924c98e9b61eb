#include "analysis/analysis_table_writer.h"

#include "store/transaction.h"

#include <QSqlError>

namespace ssq {

bool writeAnalysisTable(QSqlDatabase db, const AnalysisTable& table,
                        const std::function<void(RecordSet&, int)>& fill, QString* error) {
    Transaction transaction(db);
    if (!transaction.active()) {
        *error = transaction.failure();
        return false;
    }
    if (!fillAnalysisTable(db, table, fill, error))
        return false;
    if (!transaction.commit()) {
        *error = transaction.failure();
        return false;
    }
    return true;
}

bool fillAnalysisTable(QSqlDatabase db, const AnalysisTable& table,
                       const std::function<void(RecordSet&, int)>& fill, QString* error) {
    RecordSet rs(db);
    if (!rs.open(table.query, error))
        return false;
    if (rs.recordCount() < table.rows || rs.columnCount() < table.columns) {
        *error = table.damaged;
        return false;
    }
    rs.moveFirst();
    for (int r = 0; r < table.rows; ++r) {
        fill(rs, r);
        if (!rs.update(error))
            return false;
        rs.moveNext();
    }
    return true;
}

} // namespace ssq
