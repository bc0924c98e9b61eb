#pragma once
// Draw entry: checking what the user typed and ticked, then adding a draw, recomputing a stored
// draw in place (automatic modify) and deleting one. Each write touches the three draw tables
// in one transaction, so a failure leaves all three as they were.

#include "store/draw_rows.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace ssq {

// One message box the user sees, in order.
struct EntryMessage {
    QString text;
    bool warning = false;
};

struct EntryResult {
    bool written = false; // the store was changed
    QList<EntryMessage> messages;
};

// The stored issue of a typed text: its leading number, rounded; 0 when there is none.
int issueOfText(const QString& text);

// Checks, in this order, the issue text, the six reds and the one blue. On failure returns
// nullopt and sets *message to the one message the user sees.
std::optional<DrawInput> validateEntry(const QString& issueText, const QList<int>& reds,
                                       const QList<int>& blues, QString* message);

// Appends a draw after the stored history; an empty history gets the partial first record. An
// issue that is already stored, or one below the newest stored issue, is refused: the tables
// would hold two rows of one issue, or the indicators would be measured against the wrong draw.
EntryResult addDraw(QSqlDatabase db, const DrawInput& draw);

// Recomputes the stored draw `draw.issue` against the row before it and overwrites its rows.
EntryResult modifyDraw(QSqlDatabase db, const DrawInput& draw);

// Removes the first row whose issue equals `issue` exactly from each draw table; a fraction or
// a number no row holds deletes nothing.
EntryResult deleteDraw(QSqlDatabase db, double issue);
// The same for the answer typed into the delete box; one with no number in front deletes nothing
// (it is not issue 0).
EntryResult deleteDraw(QSqlDatabase db, const QString& answer);

// A hand edit of the issue cell of row `rowid` of `table` (kjhm, kjdm or kjzb): the row and the
// first row holding the same issue in each of the other two tables take `value` together, in one
// transaction, so one draw keeps one issue across the three tables. A table that lacks the issue
// (already out of step) is left alone. False with *error set when nothing was changed.
bool changeDrawIssue(QSqlDatabase db, const QString& table, qint64 rowid, const QVariant& value,
                     QString* error);

} // namespace ssq
