#pragma once
// The number rows of kjhm as draws, oldest first, for the readers of the history (hot/cold,
// draw entry, the last-draw check, the command line).

#include "model/red_code.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace ssq {

struct StoredDraw {
    int issue = 0;
    // The six red numbers, ascending; all 0 unless `complete`.
    RedCombo red{};
    // The first blue cell above 0 (1..16), 0 when there is none.
    int blue = 0;
    // Every red column (1..33) whose cell reads above 0, in column order. A row edited by hand
    // may hold more or fewer than six.
    std::vector<int> redColumns;
    // Exactly six red cells and one blue cell, each holding its own number.
    bool complete = false;
};

// The issue a stored 期号 cell stands for: its leading number, rounded; 0 for none.
int issueOfCell(const QVariant& cell);

// Every row of kjhm in 期号 order (rows with equal issues in the order they were stored).
// On a failure of the store returns what was read before it and sets *error.
std::vector<StoredDraw> loadDraws(QSqlDatabase db, QString* error = nullptr);

// The last row in that order; nullopt for an empty history or a failure.
std::optional<StoredDraw> newestDraw(QSqlDatabase db, QString* error = nullptr);

// Whether a number typed as an issue can be stored and read back as that issue: a whole number
// the history's readers hold (|issue| < 2^31). A larger one would read back as issue 0.
bool isStorableIssue(double value);

// How the program writes a stored issue: four characters with leading zeros ("0001", "7018").
// A negative issue (only a hand-edited one can be) is written as it is.
QString issueText(int issue);

} // namespace ssq
