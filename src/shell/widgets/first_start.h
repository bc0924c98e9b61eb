#pragma once
// The first start on a database without draws: the program offers the history it ships with.

class QWidget;

namespace ssq {

class Database;

// When `db` holds no draw and the shipped history can be read, asks whether to import its newest
// decade and, on Yes, runs that import in the import window. The question comes again on every
// start while the database has no draw.
void offerShippedHistory(Database& db, QWidget* parent);

} // namespace ssq
