#pragma once
// Whether six red numbers were ever drawn: the oldest stored draw with exactly those reds.

#include "model/red_code.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace ssq {

// The issue of the first row in issue order whose red numbers are `red` (the blue ball plays
// no part); nullopt when there is none or the store fails (*error set then).
std::optional<int> firstDrawWithReds(QSqlDatabase db, const RedCombo& red, QString* error);

} // namespace ssq
