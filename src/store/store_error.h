#pragma once
// What a failure of the store means for the user, in their words: a locked file, a full disk,
// a file that was replaced or damaged. Other failures keep SQLite's own text.

#include <QSqlError>
#include <QString>

namespace ssq {

QString storeErrorText(const QSqlError& error);

// A field of the user's input as an error message quotes it: at most a few dozen characters, then
// "…", control characters (a NUL byte included) shown as blanks, so a huge or binary field
// cannot flood the message.
QString quotedField(const QString& text);

} // namespace ssq
