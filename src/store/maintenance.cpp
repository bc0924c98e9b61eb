#include "store/maintenance.h"

#include "model/leading_number_text.h"
#include "store/database.h"
#include "store/database_swap.h"
#include "store/store_error.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <system_error>
#include <utility>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

void removeWithJournal(const QString& path) {
    QFile::remove(path);
    QFile::remove(path + u"-journal"_s);
}

// Writes a compact, consistent copy of the database file to `target`, which must not exist.
// A connection of its own, because VACUUM refuses to run beside the statements that open
// grids keep on the program's connection.
bool vacuumInto(const QString& source, const QString& target, QString* error) {
    static std::atomic<int> counter{0};
    const QString name = u"ssq_vacuum_%1"_s.arg(counter.fetch_add(1));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        // Read-only, so a missing source is never created as an empty file.
        db.setDatabaseName(
            QUrl::fromLocalFile(QFileInfo(source).absoluteFilePath()).toString(QUrl::FullyEncoded) +
            u"?mode=ro"_s);
        db.setConnectOptions(u"QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"_s);
        if (!db.open()) {
            *error = storeErrorText(db.lastError());
        } else {
            QSqlQuery q(db);
            q.prepare(u"VACUUM INTO ?"_s);
            q.addBindValue(target);
            ok = q.exec();
            if (!ok)
                *error = storeErrorText(q.lastError());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// Replaces `to` by `from` in one step: either the old file or the new one is there, never
// neither.
bool replaceFile(const QString& from, const QString& to, QString* error) {
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), ec);
    if (!ec)
        return true;
    *error = QString::fromLocal8Bit(ec.message());
    return false;
}

// Whether `path` is a complete database of this program; looked at read-only.
bool isProgramDatabase(const QString& path, QString* error) {
    return Database::check(path, error) == Database::Failure::None;
}

// The database as a source of a copy: there, readable and ours.
bool usableSource(const Database& db, QString* error) {
    QString why;
    const Database::Failure failure = Database::check(db.path(), &why);
    if (failure == Database::Failure::None)
        return true;
    *error = failure == Database::Failure::Missing
                 ? u"数据库文件“%1”不存在。"_s.arg(shown(QFileInfo(db.path()).absoluteFilePath()))
                 : why;
    return false;
}

// A name in `folder` that no file has yet: ssq-替换前-20261207-101500.mdb, then -2, -3, ...
QString keptName(const QString& folder) {
    const QString stem =
        u"ssq-替换前-%1"_s.arg(QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s));
    QString path = QDir(folder).filePath(stem + u".mdb"_s);
    for (int n = 2; QFileInfo::exists(path) || QFileInfo::exists(path + u"-journal"_s); ++n)
        path = QDir(folder).filePath(u"%1-%2.mdb"_s.arg(stem).arg(n));
    return path;
}

// Closes `db`, moves `replacement` over its file and opens it again. On a failed move the old
// file is opened again untouched.
MaintenanceResult swapIn(Database& db, const QString& replacement, const QString& done) {
    Q_EMIT databaseSwap().aboutToClose();
    db.close();
    // A journal left by a cut-off write belongs to the old file; beside the new one SQLite
    // would play it back into it. Replace keeps a copy of it with the old file.
    QFile::remove(db.path() + u"-journal"_s);
    QString moveError;
    const bool moved = replaceFile(replacement, db.path(), &moveError);
    QString openError;
    const bool reopened = db.open(&openError);
    Q_EMIT databaseSwap().reopened();
    if (!moved) {
        removeWithJournal(replacement);
        return {false, u"无法替换数据库文件“%1”（%2），数据库没有改动。"_s.arg(shown(db.path()),
                                                                               moveError)};
    }
    if (!reopened)
        return {false, u"数据库文件已经换好，但无法重新打开：%1"_s.arg(openError)};
    return {true, done};
}

} // namespace

QString defaultBackupFolder() {
#ifdef Q_OS_WIN
    return u"e:\\Ravelko数据库备份"_s;
#else
    return QDir::home().filePath(u"Ravelko数据库备份"_s);
#endif
}

namespace {

QString& chosenBackupFolder() {
    static QString folder;
    return folder;
}

} // namespace

QString backupFolder() {
    if (!chosenBackupFolder().isEmpty())
        return chosenBackupFolder();
    const QString fromEnvironment = qEnvironmentVariable("SSQ_BACKUP_DIR");
    return fromEnvironment.isEmpty() ? defaultBackupFolder() : fromEnvironment;
}

void setBackupFolder(const QString& folder) {
    chosenBackupFolder() = folder;
}

QString backupFilePath(const QString& folder) {
    return QDir(folder).filePath(u"ssq1.mdb"_s);
}

namespace {

const QString kDatedPrefix = u"ssq-备份-"_s;
const QString kDateFormat = u"yyyyMMdd-HHmmss"_s;

// The time a dated backup's name gives, and its place among backups of the same second (the
// "-2" of a second one); an invalid time for any other file.
std::pair<QDateTime, int> datedBackupTime(const QString& fileName) {
    if (!fileName.startsWith(kDatedPrefix) || !fileName.endsWith(u".mdb"_s))
        return {};
    const QString stamp = fileName.mid(kDatedPrefix.size(), kDateFormat.size());
    const QString rest = fileName.mid(kDatedPrefix.size() + kDateFormat.size());
    int place = 1;
    if (rest != u".mdb"_s) {
        bool ok = false;
        place = rest.startsWith(u'-') ? rest.mid(1, rest.size() - 5).toInt(&ok) : 0;
        if (!ok)
            return {};
    }
    return {QDateTime::fromString(stamp, kDateFormat), place};
}

// The name the backup in ssq1.mdb moves to when a newer one comes: its own time, unused.
QString datedName(const QString& folder, const QDateTime& made) {
    const QString stem = kDatedPrefix + made.toString(kDateFormat);
    QString path = QDir(folder).filePath(stem + u".mdb"_s);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(u"%1-%2.mdb"_s.arg(stem).arg(n));
    return path;
}

// Removes the dated backups beyond the newest kBackupsKept (ssq1.mdb counted).
void pruneBackups(const QString& folder) {
    const QList<BackupFile> all = listBackups(folder);
    for (qsizetype i = kBackupsKept; i < all.size(); ++i)
        if (all[i].path != backupFilePath(folder))
            removeWithJournal(all[i].path);
}

} // namespace

QList<BackupFile> listBackups(const QString& folder) {
    QList<std::pair<BackupFile, int>> found;
    const QDir dir(folder);
    for (const QFileInfo& file : dir.entryInfoList({kDatedPrefix + u"*.mdb"_s}, QDir::Files)) {
        const auto [made, place] = datedBackupTime(file.fileName());
        if (made.isValid())
            found.append({{file.absoluteFilePath(), made}, place});
    }
    // Newest first; of two made in one second the later ("-2") first.
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.made != b.first.made ? a.first.made > b.first.made : a.second > b.second;
    });
    QList<BackupFile> dated;
    for (const auto& [backup, place] : found)
        dated.append(backup);
    const QFileInfo newest(backupFilePath(folder));
    if (newest.exists())
        dated.prepend({newest.absoluteFilePath(), newest.lastModified()});
    return dated;
}

QStringList numberedBackupLines(const QList<BackupFile>& backups) {
    QStringList lines;
    for (qsizetype i = 0; i < backups.size(); ++i)
        lines.append(u"%1. %2"_s.arg(i + 1).arg(backupLine(backups[i])));
    return lines;
}

QString chosenBackup(const QList<BackupFile>& backups, const QString& answer, QString* error) {
    bool ok = false;
    const int n = normalizedDigits(answer).trimmed().toInt(&ok);
    if (!ok || n < 1 || n > backups.size()) {
        *error = u"没有序号为“%1”的备份（请输入1到%2），数据库没有替换。"_s.arg(answer.trimmed())
                     .arg(backups.size());
        return {};
    }
    return backups[n - 1].path;
}

QString backupLine(const BackupFile& backup) {
    return backup.made.toString(u"yyyy-MM-dd HH:mm:ss"_s) + u"  "_s +
           QFileInfo(backup.path).fileName();
}

MaintenanceResult backupDatabase(Database& db, const QString& folder) {
    QString error;
    if (!usableSource(db, &error))
        return {false, u"数据库没有备份。%1原有的备份文件没有改动。"_s.arg(error)};
    if (!QDir().mkpath(folder))
        return {false, u"无法创建备份文件夹“%1”，数据库没有备份。"_s.arg(shown(folder))};
    const QString target = backupFilePath(folder);
    const QString temp = target + u".new"_s;
    removeWithJournal(temp);
    if (!vacuumInto(db.path(), temp, &error) || !isProgramDatabase(temp, &error)) {
        removeWithJournal(temp);
        return {false, u"数据库备份失败（%1），原有的备份文件没有改动。"_s.arg(error)};
    }
    // The backup there so far is kept under its date before the new one takes its name.
    QString older;
    if (QFileInfo::exists(target)) {
        older = datedName(folder, QFileInfo(target).lastModified());
        if (!replaceFile(target, older, &error)) {
            removeWithJournal(temp);
            return {false, u"数据库备份失败（%1），原有的备份文件没有改动。"_s.arg(error)};
        }
    }
    if (!replaceFile(temp, target, &error)) {
        QString ignored;
        if (!older.isEmpty())
            replaceFile(older, target, &ignored);
        removeWithJournal(temp);
        return {false, u"数据库备份失败（%1），原有的备份文件没有改动。"_s.arg(error)};
    }
    pruneBackups(folder);
    return {true,
            u"数据库备份完毕（备份文件保存在%1）\n备份文件夹中保留最近的%2份备份，更早的已删除"_s
                .arg(shown(folder))
                .arg(kBackupsKept)};
}

MaintenanceResult restoreFromBackup(Database& db, const QString& folder) {
    return restoreFromBackupFile(db, backupFilePath(folder));
}

MaintenanceResult restoreFromBackupFile(Database& db, const QString& backup) {
    const QString folder = QFileInfo(backup).absolutePath();
    if (!QFileInfo::exists(backup))
        return {false,
                u"没有找到备份文件“%1”，数据库没有替换。请先备份数据库。"_s.arg(shown(backup))};

    // The copy that will be swapped in is the one checked, beside the database so the swap is
    // a rename within one folder.
    const QString staged = db.path() + u".restore"_s;
    removeWithJournal(staged);
    if (!QFile::copy(backup, staged)) {
        removeWithJournal(staged);
        return {false, u"无法复制备份文件“%1”，数据库没有替换。"_s.arg(shown(backup))};
    }
    QFile(staged).setPermissions(QFile(staged).permissions() | QFileDevice::WriteOwner);
    QString error;
    if (!isProgramDatabase(staged, &error)) {
        removeWithJournal(staged);
        return {false, u"备份文件“%1”不是本程序的数据库，数据库没有替换。"_s.arg(shown(backup))};
    }

    // The file being replaced may hold draws entered since the backup: it is kept, whatever
    // its state, beside the backup. The program's own connection holds no open write, so a
    // plain copy is a consistent one.
    QString kept;
    if (QFileInfo::exists(db.path())) {
        kept = keptName(folder);
        const QString journal = db.path() + u"-journal"_s;
        if (!QFile::copy(db.path(), kept) ||
            (QFileInfo::exists(journal) && !QFile::copy(journal, kept + u"-journal"_s))) {
            removeWithJournal(kept);
            removeWithJournal(staged);
            return {false, u"无法把当前的数据库保存为“%1”，数据库没有替换。"_s.arg(shown(kept))};
        }
    }
    return swapIn(db, staged,
                  kept.isEmpty()
                      ? u"数据库替换完毕"_s
                      : u"数据库替换完毕（替换前的数据库已保存为%1）"_s.arg(shown(kept)));
}

MaintenanceResult compactDatabase(Database& db) {
    QString error;
    if (!usableSource(db, &error))
        return {false, u"数据库没有压缩。%1"_s.arg(error)};
    const QString target = QFileInfo(db.path()).dir().filePath(u"ssq28.mdb"_s);
    removeWithJournal(target);
    if (!vacuumInto(db.path(), target, &error)) {
        removeWithJournal(target);
        return {false, u"数据库压缩失败（%1），数据库没有改动。"_s.arg(error)};
    }
    if (!isProgramDatabase(target, &error)) {
        removeWithJournal(target);
        return {false, u"压缩后的数据库不完整（%1），数据库没有改动。"_s.arg(error)};
    }
    return swapIn(db, target, u"数据库压缩完毕"_s);
}

} // namespace ssq
