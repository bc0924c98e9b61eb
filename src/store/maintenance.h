#pragma once
// Maintenance of the database file: backup, replacing it by the backup, and compaction. Every
// step that could lose ssq.mdb works on a complete copy first and swaps it in with one rename;
// a failing step is reported and leaves ssq.mdb as it was.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace ssq {

class Database;

struct MaintenanceResult {
    bool ok = false;
    QString message; // the closing message, or what went wrong
};

// "e:\Ravelko数据库备份" on Windows; elsewhere, with no drive e:, the folder of that name in
// the user's home folder.
QString defaultBackupFolder();

// The folder the backup menu items and ssq-cli use: the one set by setBackupFolder(), else the
// folder named by the environment variable SSQ_BACKUP_DIR, else defaultBackupFolder(). Tests
// set one of the first two so they never write into the user's home.
QString backupFolder();
// An empty folder restores the default.
void setBackupFolder(const QString& folder);

// The newest backup file in `folder`: ssq1.mdb.
QString backupFilePath(const QString& folder);

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
MaintenanceResult backupDatabase(Database& db, const QString& folder);

// Replaces the database file by the backup in `folder`; refuses a missing backup or one that
// is not a database of this program. The replaced file is kept beside the backup under a dated
// name that the closing message gives. `db` is closed around the swap and open again after it;
// it need not be open before (the current file may be damaged).
MaintenanceResult restoreFromBackup(Database& db, const QString& folder);
// The same with a backup file chosen from listBackups(); the replaced file is kept beside it.
MaintenanceResult restoreFromBackupFile(Database& db, const QString& backup);

// Rewrites the database compactly into ssq28.mdb beside it and swaps that in; no ssq28.mdb is
// left behind. `db` is closed around the swap and open again after it.
MaintenanceResult compactDatabase(Database& db);

} // namespace ssq
