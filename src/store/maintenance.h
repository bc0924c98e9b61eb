#pragma once
// Maintenance of the database file: backup, replacing it by the backup, and compaction. Every
// step that could lose ssq.mdb works on a complete copy first and swaps it in with one rename;
// a failing step is reported and leaves ssq.mdb as it was.

#include "ui/outcome.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

namespace ssq {

class Database;

// "e:\Ravelko数据库备份" on Windows; elsewhere, with no drive e:, the folder of that name in
// the user's home folder. An installed program keeps it beside the database in the player's
// data folder.
QString defaultBackupFolder();

// The folder the backup menu items and ssq-cli use: the one set by setBackupFolder(), else the
// folder named by the environment variable SSQ_BACKUP_DIR, else defaultBackupFolder(). Tests
// set one of the first two so they never write into the user's home.
QString backupFolder();
// An empty folder restores the default.
void setBackupFolder(const QString& folder);

// The newest backup file in `folder`: ssq1.mdb.
QString backupFilePath(const QString& folder);

// Maintenance works on the file behind a symbolic link, holds the write lock on it from before its
// copy is made until the swap (so no other program's commit falls between and is lost), and only
// ever removes files it created itself, under unique names beside their target (and, in the
// backup folder, its own dated backups beyond the newest few).

// How many backups a folder keeps: ssq1.mdb and the older ones under their dates.
constexpr int kBackupsKept = 5;

struct BackupFile {
    QString path;
    QDateTime made;
};

// The backups in `folder`, newest first: ssq1.mdb, then the older ones named
// ssq-备份-20261207-101500.mdb after the time they were made.
QList<BackupFile> listBackups(const QString& folder);
// "2026-12-07 10:15:00  ssq1.mdb", one line of a list to choose from.
QString backupLine(const BackupFile& backup);

// The numbered list of `backups` ("1. 2026-12-07 10:15:00  ssq1.mdb"), newest first.
QStringList numberedBackupLines(const QList<BackupFile>& backups);
// The backup the player numbered in `answer` (1 is the newest); empty with a Chinese reason in
// `error` when no listed backup has that number.
QString chosenBackup(const QList<BackupFile>& backups, const QString& answer, QString* error);

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
