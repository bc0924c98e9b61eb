#pragma once
// The backup folder and the backups it keeps: ssq1.mdb is the newest, the ones before it keep
// their dates in their names (ssq-备份-20261207-101500.mdb), and only the newest few stay.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace ssq {

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

// The name the backup in ssq1.mdb moves to when a newer one comes: its own time, unused.
QString datedBackupPath(const QString& folder, const QDateTime& made);
// Removes the dated backups beyond the newest kBackupsKept (ssq1.mdb counted, names dated in
// the future neither counted nor removed); returns how many went.
int pruneBackups(const QString& folder);

} // namespace ssq
