#pragma once
// Whether six red numbers were ever drawn, over the whole history: the draws of the shipped
// history older than the database's first draw, then the database. The answer says which
// draws were searched, so a database of one decade does not pass for all of them.

#include "model/red_code.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace ssq {

struct WholeHistoryAnswer {
    QString resultText;             // what Text1 shows
    QString issueText;              // what Text2 shows: the issue found, empty when none
    std::optional<int> storedIssue; // the issue found when it is a draw of the database
};

// `shippedPath` is the shipped history; when it cannot be read only the database is searched.
// When the database cannot be read *error is set and both texts are empty.
WholeHistoryAnswer queryWholeHistory(QSqlDatabase db, const RedCombo& red,
                                     const QString& shippedPath, QString* error);

// What "显示数据" does with a seven-digit issue of a draw the database does not hold: the text
// that tells its numbers from the shipped history; empty when the issue is not such a draw.
QString shippedDrawText(QSqlDatabase db, const QString& issueText, const QString& shippedPath);

} // namespace ssq
