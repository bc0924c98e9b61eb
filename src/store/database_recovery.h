#pragma once
// Start-up when ssq.mdb cannot be used (damaged, or not a database of this program): say why,
// and offer to restore the backup (when there is a valid one), to start with a new empty
// database after moving the bad file aside under a new name, or to quit. The bad file is never
// deleted or overwritten.

#include <QString>

#include <functional>

namespace ssq {

class Database;

enum class RecoveryChoice { RestoreBackup, StartEmpty, Quit };

struct RecoveryOffer {
    QString reason;          // why the file cannot be used
    bool canRestore = false; // the backup exists and is a database of this program
    bool canStartEmpty = false;
    QString backupPath;
    bool any() const { return canRestore || canStartEmpty; }
};

// What can be offered after `db` failed to open with `error`. A locked, read-only or
// unreachable file is offered nothing: it is not bad, only not available now.
RecoveryOffer recoveryOffer(const Database& db, const QString& error, const QString& backupFolder);

// Renames `path` (and its journal) to an unused name beside it, ssq-无法使用-20261207-101500.mdb;
// returns the new path, or an empty one and sets *error.
QString moveAside(const QString& path, QString* error);

struct RecoveryStep {
    bool opened = false; // `db` is open now
    QString message;     // what happened, for the user
};

// Carries out `choice` on the closed `db`; either way the bad file is first moved aside.
RecoveryStep recover(Database& db, RecoveryChoice choice, const QString& backupFolder);

using RecoveryChooser = std::function<RecoveryChoice(const RecoveryOffer&)>;
using RecoveryTeller = std::function<void(const QString& message, bool warning)>;

// Opens `db`; when that fails, asks `choose` (only when something can be offered) and carries
// out the answer, until the database opens or the user quits. False: quit.
bool openWithRecovery(Database& db, const QString& backupFolder, const RecoveryChooser& choose,
                      const RecoveryTeller& tell);

} // namespace ssq
