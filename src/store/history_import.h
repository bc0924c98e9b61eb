#pragma once
// Import of a draw history file. Every draw is stored exactly as adding it by hand would store
// it (the first record of an empty history partial, indicators against the draw before it,
// hot/cold values from every draw before it), all in one transaction. Draws whose issue is
// already stored are skipped; nothing is written unless the whole file and the choice of draws
// are sound.
//
// Planning (reading, checking, computing every row) touches no database and may run on a
// worker thread; writing the plan is one short transaction on the caller's connection.

#include "store/draw_history.h"
#include "store/draw_prizes.h"
#include "store/draw_rows.h"
#include "store/history_file.h"
#include "ui/outcome.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <vector>

namespace ssq {

// Called after each computed draw with (done, total); returning false cancels the import.
using ImportProgress = std::function<bool(int done, int total)>;

struct ImportPlan : Outcome {
    // not ok: refused or cancelled; message says why
    bool cancelled = false;
    std::vector<DrawRows> rows; // to append, oldest first
    int skipped = 0;            // already stored
    QString firstIssue;         // as written in the file
    QString lastIssue;
    // The stored history the rows were computed against.
    int storedCount = 0;
    int storedNewest = 0;
    // Recorded as the database's decade with the rows when none is recorded yet (0: none).
    int decadeYear = 0;
    // Prize amounts written with the rows.
    std::vector<DrawPrizes> prizes;
};

struct ImportReport : Outcome {
    // not ok: nothing was written
    // message: what to tell the user
    bool cancelled = false;
    int imported = 0;
    int skipped = 0;
    QString firstIssue;
    QString lastIssue;
};

// The rows that importing `draws` (oldest first) after the `stored` history would append.
ImportPlan planImport(const std::vector<StoredDraw>& stored, const std::vector<HistoryLine>& draws,
                      const ImportProgress& progress = {});

// The decade a database can take: `fixed` once it holds draws or has a decade recorded; an
// empty one takes the draws of any one decade, and when asked for more names `year`.
struct ImportDecade {
    int year = 0; // 0: not checked
    bool fixed = false;
};
ImportDecade importDecade(QSqlDatabase db);

// Reads `path`, keeps the draws from `fromIssue` on (empty: all) and plans their import. Draws
// of another decade than the database can take are refused, naming the decade it can.
ImportPlan planImportFile(const std::vector<StoredDraw>& stored, const QString& path,
                          const QString& fromIssue, const ImportProgress& progress = {},
                          const ImportDecade& decade = {});

// Appends the planned rows in one transaction, refusing when the stored history is no longer
// the one the plan was computed against.
ImportReport writeImport(QSqlDatabase db, const ImportPlan& plan);

// Plans and writes in one go.
ImportReport importHistoryFile(QSqlDatabase db, const QString& path, const QString& fromIssue,
                               const ImportProgress& progress = {});

} // namespace ssq
