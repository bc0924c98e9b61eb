#pragma once
// Maintenance of the database file: backup, replacing it by the backup, and compaction. Every
// step that could lose ssq.mdb works on a complete copy first and swaps it in with one rename;
// a failing step is reported and leaves ssq.mdb as it was.

#include "store/backup_folder.h"
#include "ui/outcome.h"

#include <QObject>
#include <QString>

namespace ssq {

class Database;

// Maintenance works on the file behind a symbolic link, holds the write lock on it from before its
// copy is made until the swap (so no other program's commit falls between and is lost), and only
// ever removes files it created itself, under unique names beside their target (and, in the
// backup folder, its own dated backups beyond the newest few).

// Copies the database into `folder`/ssq1.mdb, consistently even while it is in use; the
// backup that was there is kept under its date, and only the newest kBackupsKept backups stay.
// A missing, unreadable or foreign database is refused and the old backups stay.
Outcome backupDatabase(Database& db, const QString& folder);

// Replaces the database file by the backup in `folder`; refuses a missing backup or one that
// is not a database of this program. The replaced file is kept beside the backup under a dated
// name that the closing message gives. `db` is closed around the swap and open again after it;
// it need not be open before (the current file may be damaged). A read-only file is refused.
Outcome restoreFromBackup(Database& db, const QString& folder);
// The same with a backup file chosen from listBackups(); the replaced file is kept beside it.
Outcome restoreFromBackupFile(Database& db, const QString& backup);

// Rewrites the database compactly into a new file beside it and swaps that in. `db` is closed
// around the swap and open again after it. A read-only file is refused.
Outcome compactDatabase(Database& db);

// Announces that the database file is about to be swapped (replace, compact) and has been
// opened again, so windows can let go of their grids' queries first and show them again after.
class DatabaseSwap : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

Q_SIGNALS:
    void aboutToClose();
    void reopened();
};

// The one announcer of the program.
DatabaseSwap& databaseSwap();

} // namespace ssq
