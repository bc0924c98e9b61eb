#pragma once
// The decade a database holds. It is recorded in the file (table sjsz, one row) the first time
// a seven-digit issue arrives (an import, a paste, an update); until then it is inferred from
// the newest stored issue and today's date. The table is made when the first row is written,
// so files made before it existed read as "nothing recorded".

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace ssq {

// The recorded decade (2020), nullopt when none is recorded or the file cannot tell.
std::optional<int> recordedDecade(QSqlDatabase db);

// The recorded decade, or the one inferred from the newest stored issue and `today`.
int databaseDecade(QSqlDatabase db, const QDate& today = QDate::currentDate());

// Records `decadeYear` unless a decade is recorded already; the caller owns the transaction.
bool recordDecade(QSqlDatabase db, int decadeYear, QString* error);

} // namespace ssq
