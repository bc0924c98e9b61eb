#pragma once
// "任意两个红球同时出号统计" and "连号出球统计": the pair statistics of the stored history written
// into columns 2..5 of rhmtx (528 pairs) or rlhtx (32 neighbour pairs).

#include "analysis/pair_statistics.h"
#include "ui/outcome.h"

#include <QSqlDatabase>
#include <QString>

namespace ssq {

struct PairTableResult : Outcome {
    // message: why it was refused or failed
    bool refused = false; // fewer than 22 draws; nothing written
};

// Reads the history and writes the table of `list` in one transaction.
PairTableResult writePairTable(QSqlDatabase db, PairList list);
// Both tables from one reading of the history, in one transaction: a failure leaves both old.
PairTableResult writePairTables(QSqlDatabase db);

// The query each table is filled through, ordered by row number.
QString pairTableQuery(PairList list);

} // namespace ssq
