#pragma once
// The benchmarks that read the database work on the real draw history shipped in data/, imported
// from one issue on into a fresh database, as the user's would be.

#include "store/database.h"
#include "store/history_import.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>

namespace bench {

// Opens db and imports data/ssq-history.csv from fromIssue on; says why on stderr when it cannot.
inline bool importRealHistory(ssq::Database& db, const QString& fromIssue) {
    const QString file =
        QDir(QStringLiteral(SSQ_DATA_DIR)).filePath(QStringLiteral("ssq-history.csv"));
    QString error;
    if (!QFile::exists(file) || !db.open(&error) ||
        !ssq::importHistoryFile(db.connection(), file, fromIssue).ok) {
        std::fprintf(stderr, "cannot set up the history: %s\n", qPrintable(error));
        return false;
    }
    return true;
}

} // namespace bench
