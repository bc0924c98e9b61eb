#pragma once
// "往期开出查询": were six red numbers ever drawn, and in which issue? The same rule and the same
// sentences for the window's 33 boxes and the command line's six numbers.

#include "model/red_code.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace ssq {

// The refusal when the numbers are not exactly six different reds.
QString pastDrawChoiceRefusal();

// The six numbers chosen, ascending: exactly six different numbers 1..33, else nullopt.
std::optional<RedCombo> pastDrawChoice(QList<int> chosen);

// The issue of the first row in issue order whose red numbers are `red` (the blue ball plays
// no part); nullopt when there is none or the store fails (*error set then).
std::optional<int> firstDrawWithReds(QSqlDatabase db, const RedCombo& red, QString* error);

struct PastDrawAnswer {
    std::optional<int> issue; // the first draw of those reds
    QString sentence;         // the answer in words; empty when the store failed before knowing
    QString error;            // why the store could not be read to the end
};

// The answer for `red`: found in an issue, or never drawn. A failure of the store before a match
// leaves the sentence empty, so a read error is never told as "never drawn".
PastDrawAnswer askPastDraw(QSqlDatabase db, const RedCombo& red);

} // namespace ssq
