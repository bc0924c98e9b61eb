#include "store/maintenance.h"

#include "store/database.h"
#include "store/database_swap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <filesystem>
#include <system_error>

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
        db.setDatabaseName(source);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=2000"_s);
        if (!db.open()) {
            *error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            q.prepare(u"VACUUM INTO ?"_s);
            q.addBindValue(target);
            ok = q.exec();
            if (!ok)
                *error = q.lastError().text();
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

// Whether `path` is a complete database of this program.
bool isProgramDatabase(const QString& path, QString* error) {
    Database check(path);
    const bool ok = check.open(error);
    check.close();
    return ok;
}

// Closes `db`, moves `replacement` over its file and opens it again. On a failed move the old
// file is opened again untouched.
MaintenanceResult swapIn(Database& db, const QString& replacement, const QString& done) {
    Q_EMIT databaseSwap().aboutToClose();
    db.close();
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
    return chosenBackupFolder().isEmpty() ? defaultBackupFolder() : chosenBackupFolder();
}

void setBackupFolder(const QString& folder) {
    chosenBackupFolder() = folder;
}

QString backupFilePath(const QString& folder) {
    return QDir(folder).filePath(u"ssq1.mdb"_s);
}

MaintenanceResult backupDatabase(Database& db, const QString& folder) {
    if (!QDir().mkpath(folder))
        return {false, u"无法创建备份文件夹“%1”，数据库没有备份。"_s.arg(shown(folder))};
    const QString target = backupFilePath(folder);
    const QString temp = target + u".new"_s;
    removeWithJournal(temp);
    QString error;
    if (!vacuumInto(db.path(), temp, &error) || !replaceFile(temp, target, &error)) {
        removeWithJournal(temp);
        return {false, u"数据库备份失败（%1），原有的备份文件没有改动。"_s.arg(error)};
    }
    return {true, u"数据库备份完毕（备份文件保存在%1）"_s.arg(shown(folder))};
}

MaintenanceResult restoreFromBackup(Database& db, const QString& folder) {
    const QString backup = backupFilePath(folder);
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
    return swapIn(db, staged, u"数据库替换完毕"_s);
}

MaintenanceResult compactDatabase(Database& db) {
    const QString target = QFileInfo(db.path()).dir().filePath(u"ssq28.mdb"_s);
    removeWithJournal(target);
    QString error;
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
