#pragma once
// What a hand edit of one cell of a draw table may store: a number where the column holds
// numbers, and a whole, non-empty issue in 期号. Text there would be read as the wrong draw by
// every later computation.

#include <QString>

namespace ssq {

// Empty when `text` may be stored in `column` of `table`; otherwise the message for the user,
// naming the cell (`row` counts from 1).
QString cellEditProblem(const QString& table, int column, int row, const QString& text);

} // namespace ssq
