#pragma once
// Import of a draw history file. Every draw is stored exactly as adding it by hand would store
// it (the first record of an empty history partial, indicators against the draw before it,
// hot/cold values from every draw before it), all in one transaction. Draws whose issue is
// already stored are skipped; nothing is written unless the whole file and the choice of draws
// are sound.

#include "store/history_file.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <vector>

namespace ssq {

// Called after each computed draw with (done, total); returning false cancels the import.
// May be called from a worker thread.
using ImportProgress = std::function<bool(int done, int total)>;

struct ImportReport {
    bool ok = false;        // false: nothing was written (error or cancelled)
    bool cancelled = false;
    int imported = 0;
    int skipped = 0;        // already stored
    QString firstIssue;     // as written in the file; empty when nothing was imported
    QString lastIssue;
    QString message;        // what to tell the user
};

// Imports already parsed draws (oldest first).
ImportReport importDraws(QSqlDatabase db, const std::vector<HistoryLine>& draws,
                         const ImportProgress& progress = {});

// Reads `path`, keeps the draws from `fromIssue` on (empty: all) and imports them.
ImportReport importHistoryFile(QSqlDatabase db, const QString& path, const QString& fromIssue,
                               const ImportProgress& progress = {});

} // namespace ssq
