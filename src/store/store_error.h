#pragma once
// What a failure of the store means for the user, in their words: a locked file, a full disk,
// a file that was replaced or damaged. Other failures keep SQLite's own text.

#include <QSqlError>
#include <QString>

namespace ssq {

QString storeErrorText(const QSqlError& error);

} // namespace ssq
