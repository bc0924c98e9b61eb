#include "store/maintenance.h"

#include "store/database.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <system_error>
#include <utility>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Long enough to wait for another program's import to finish.
constexpr int kLockWaitMs = 5000;

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

std::atomic<int> g_counter{0};

QString connectionName(const char* purpose) {
    return u"ssq_%1_%2"_s.arg(QLatin1StringView(purpose)).arg(g_counter.fetch_add(1));
}

QString uriOf(const QString& path, const char* mode) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           u"?mode="_s + QLatin1StringView(mode);
}

// Creates `path` empty, failing when anything is there already, so the name is this run's own
// and removing it later never removes someone else's file.
bool createExclusive(const QString& path) {
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
#else
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
#endif
}

// A new empty file beside `target`, named after it and `purpose` with a random part.
QString reserveBeside(const QString& target, const QString& purpose) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = u"%1.%2-%3"_s.arg(target, purpose)
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        if (!QFileInfo::exists(path + u"-journal"_s) && createExclusive(path))
            return path;
    }
    return {};
}

// Removes a file this run created, and the journal SQLite may have made beside it.
void removeOwn(const QString& path) {
    if (path.isEmpty())
        return;
    QFile::remove(path);
    QFile::remove(path + u"-journal"_s);
}

// The file maintenance works on: the target of a symbolic link, so the link stays a link and
// the replacement lands where the data lives.
QString liveFile(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool ownerMayWrite(const QString& path) {
    const QFileInfo info(path);
    return info.isWritable() && (info.permissions() & QFileDevice::WriteOwner);
}

// The write lock on the live file, held from before its copy is made until the copy has been
// swapped in, so no other program commits a draw into the file being replaced. Taking it lets
// SQLite roll back a write that was cut off (a hot journal) first.
class WriteLock {
public:
    WriteLock() = default;
    explicit WriteLock(const QString& path) { take(path); }
    ~WriteLock() { release(); }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    void take(const QString& path) {
        release();
        m_name = connectionName("maintenance");
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        db.setDatabaseName(uriOf(path, "rw"));
        db.setConnectOptions(u"QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1"_s.arg(kLockWaitMs));
        if (!db.open()) {
            m_error = db.lastError();
            return;
        }
        QSqlQuery begin(db);
        m_held = begin.exec(u"BEGIN IMMEDIATE"_s);
        if (!m_held)
            m_error = begin.lastError();
    }

    bool held() const { return m_held; }
    bool busy() const {
        const int code = m_error.nativeErrorCode().toInt() & 0xff;
        return code == 5 || code == 6; // SQLITE_BUSY, SQLITE_LOCKED
    }
    QSqlError error() const { return m_error; }

    void release() {
        if (m_name.isEmpty())
            return;
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            if (m_held)
                db.rollback();
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
        m_name.clear();
        m_held = false;
    }

private:
    QString m_name;
    bool m_held = false;
    QSqlError m_error;
};

// Writes a compact, consistent copy of the database file into `target`, an empty file. A
// connection of its own, because VACUUM refuses to run beside the statements that open grids
// keep on the program's connection, and it only reads, so it runs beside the write lock.
bool vacuumInto(const QString& source, const QString& target, QString* error) {
    const QString name = connectionName("vacuum");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        // Read-only, so a missing source is never created as an empty file.
        db.setDatabaseName(uriOf(source, "ro"));
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

QString missingMessage(const QString& path) {
    return u"数据库文件“%1”不存在。"_s.arg(shown(QFileInfo(path).absoluteFilePath()));
}

// Takes the write lock on `live` and judges the file under it; empty when it is a database of
// this program and the lock is held.
QString lockAndCheck(WriteLock& lock, const QString& live) {
    QString why;
    if (!lock.held()) {
        if (lock.busy())
            return u"数据库文件“%1”正被其他程序使用（已锁定），请关闭使用它的程序后再试。"_s.arg(
                shown(live));
        lock.release();
        if (Database::check(live, &why) != Database::Failure::None)
            return why;
        return storeErrorText(lock.error());
    }
    if (Database::checkLocked(live, &why) != Database::Failure::None)
        return why;
    return {};
}

// Copies everything `in` reads into `to`, a file this run created.
bool copyInto(QFile& in, const QString& to) {
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (out.write(buffer.constData(), got) != got)
            return false;
    }
    return out.flush();
}

bool copyFileInto(const QString& from, const QString& to) {
    QFile in(from);
    return in.open(QIODevice::ReadOnly) && copyInto(in, to);
}

// A file in `folder` that no file had before, made by this run: ssq-替换前-20261207-101500.mdb,
// then -2, -3, ...
QString reserveKeptName(const QString& folder) {
    const QString stem =
        u"ssq-替换前-%1"_s.arg(QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s));
    QString path = QDir(folder).filePath(stem + u".mdb"_s);
    for (int n = 2; n < 1000; ++n) {
        if (!QFileInfo::exists(path + u"-journal"_s) && createExclusive(path))
            return path;
        path = QDir(folder).filePath(u"%1-%2.mdb"_s.arg(stem).arg(n));
    }
    return {};
}

// Closes `db`, moves `replacement` over `live` (the file behind db's path), lets go of the lock
// and opens the database again. On a failed move the old file is opened again untouched.
Outcome swapIn(Database& db, WriteLock& lock, const QString& replacement, const QString& live,
               const QString& done) {
    Q_EMIT databaseSwap().aboutToClose();
    db.close();
    // The new file keeps the old one's permissions.
    if (QFileInfo::exists(live))
        QFile(replacement).setPermissions(QFileInfo(live).permissions());
    QString moveError;
    const bool moved = replaceFile(replacement, live, &moveError);
    lock.release();
    QString openError;
    const bool reopened = db.open(&openError);
    Q_EMIT databaseSwap().reopened();
    if (!moved) {
        removeOwn(replacement);
        return {false,
                u"无法替换数据库文件“%1”（%2），数据库没有改动。"_s.arg(shown(live), moveError)};
    }
    if (!reopened)
        return {false, u"数据库文件已经换好，但无法重新打开：%1"_s.arg(openError)};
    return {true, done};
}

} // namespace

Outcome backupDatabase(Database& db, const QString& folder) {
    const QString unchanged = u"原有的备份文件没有改动。"_s;
    if (!QFileInfo::exists(db.path()))
        return {false, u"数据库没有备份。%1%2"_s.arg(missingMessage(db.path()), unchanged)};
    const QString live = liveFile(db.path());
    // A read-only file has no writer to wait for, and no lock can be taken on it.
    const bool writable = ownerMayWrite(live);
    WriteLock lock;
    QString error;
    if (writable) {
        lock.take(live);
        error = lockAndCheck(lock, live);
    } else {
        Database::check(live, &error);
    }
    if (!error.isEmpty())
        return {false, u"数据库没有备份。%1%2"_s.arg(error, unchanged)};
    if (!QDir().mkpath(folder))
        return {false, u"无法创建备份文件夹“%1”，数据库没有备份。"_s.arg(shown(folder))};
    const QString target = backupFilePath(folder);
    const QString temp = reserveBeside(target, u"new"_s);
    if (temp.isEmpty())
        return {false, u"无法在备份文件夹“%1”中创建文件，数据库没有备份。"_s.arg(shown(folder))};
    if (!vacuumInto(live, temp, &error) || !isProgramDatabase(temp, &error)) {
        removeOwn(temp);
        return {false, u"数据库备份失败（%1），%2"_s.arg(error, unchanged)};
    }
    // The backup there so far is kept under its date before the new one takes its name.
    QString older;
    if (QFileInfo::exists(target)) {
        older = datedBackupPath(folder, QFileInfo(target).lastModified());
        if (!replaceFile(target, older, &error)) {
            removeOwn(temp);
            return {false, u"数据库备份失败（%1），%2"_s.arg(error, unchanged)};
        }
    }
    if (!replaceFile(temp, target, &error)) {
        QString ignored;
        if (!older.isEmpty())
            replaceFile(older, target, &ignored);
        removeOwn(temp);
        return {false, u"数据库备份失败（%1），%2"_s.arg(error, unchanged)};
    }
    const int removed = pruneBackups(folder);
    QString message =
        u"数据库备份完毕（备份文件保存在%1）\n备份文件夹中保留最近的%2份备份"_s.arg(shown(folder))
            .arg(kBackupsKept);
    if (removed > 0)
        message += u"，更早的%1份已删除"_s.arg(removed);
    return {true, message};
}

Outcome restoreFromBackup(Database& db, const QString& folder) {
    return restoreFromBackupFile(db, backupFilePath(folder));
}

Outcome restoreFromBackupFile(Database& db, const QString& backup) {
    const QString folder = QFileInfo(backup).absolutePath();
    if (!QFileInfo::exists(backup))
        return {false,
                u"没有找到备份文件“%1”，数据库没有替换。请先备份数据库。"_s.arg(shown(backup))};
    const QString live = liveFile(db.path());
    const bool exists = QFileInfo::exists(live);
    if (exists && !ownerMayWrite(live))
        return {false, u"%1数据库没有替换。"_s.arg(readOnlyDatabaseMessage(live))};

    // The copy that will be swapped in is the one checked, beside the database so the swap is
    // a rename within one folder.
    const QString staged = reserveBeside(live, u"restore"_s);
    if (staged.isEmpty() || !copyFileInto(backup, staged)) {
        removeOwn(staged);
        return {false, u"无法复制备份文件“%1”，数据库没有替换。"_s.arg(shown(backup))};
    }
    QFile(staged).setPermissions(QFile(staged).permissions() | QFileDevice::WriteOwner);
    QString error;
    if (!isProgramDatabase(staged, &error)) {
        removeOwn(staged);
        return {false, u"备份文件“%1”不是本程序的数据库，数据库没有替换。"_s.arg(shown(backup))};
    }

    WriteLock lock;
    if (!exists)
        return swapIn(db, lock, staged, live, u"数据库替换完毕"_s);
    lock.take(live);
    if (!lock.held() && lock.busy()) {
        removeOwn(staged);
        return {
            false,
            u"数据库文件“%1”正被其他程序使用（已锁定），请关闭使用它的程序后再试。数据库没有替换。"_s
                .arg(shown(live))};
    }

    // The file being replaced may hold draws entered since the backup: it is kept, whatever
    // its state, beside the backup. Under the lock the copy is the last committed state; a file
    // SQLite cannot lock at all is damaged, and its journal goes with it.
    // The live file is read through a handle that stays open until the lock is gone: closing a
    // handle on a file this process holds an SQLite lock on drops the lock.
    const QString kept = reserveKeptName(folder);
    QFile liveCopy(live);
    bool copied = !kept.isEmpty() && liveCopy.open(QIODevice::ReadOnly) && copyInto(liveCopy, kept);
    const QString journal = live + u"-journal"_s;
    if (copied && !lock.held() && QFileInfo::exists(journal))
        copied = replaceFile(journal, kept + u"-journal"_s, &error);
    Outcome result;
    if (!copied) {
        removeOwn(kept);
        removeOwn(staged);
        result = {false, u"无法把当前的数据库保存为“%1”，数据库没有替换。"_s.arg(shown(kept))};
    } else {
        result = swapIn(db, lock, staged, live,
                        u"数据库替换完毕（替换前的数据库已保存为%1）"_s.arg(shown(kept)));
    }
    lock.release();
    liveCopy.close();
    return result;
}

Outcome compactDatabase(Database& db) {
    if (!QFileInfo::exists(db.path()))
        return {false, u"数据库没有压缩。%1"_s.arg(missingMessage(db.path()))};
    const QString live = liveFile(db.path());
    if (!ownerMayWrite(live))
        return {false, u"数据库没有压缩。%1"_s.arg(readOnlyDatabaseMessage(live))};
    WriteLock lock(live);
    QString error = lockAndCheck(lock, live);
    if (!error.isEmpty())
        return {false, u"数据库没有压缩。%1"_s.arg(error)};
    const QString target = reserveBeside(live, u"compact"_s);
    if (target.isEmpty())
        return {false, u"无法在数据库文件夹中创建文件，数据库没有压缩。"_s};
    if (!vacuumInto(live, target, &error)) {
        removeOwn(target);
        return {false, u"数据库压缩失败（%1），数据库没有改动。"_s.arg(error)};
    }
    if (!isProgramDatabase(target, &error)) {
        removeOwn(target);
        return {false, u"压缩后的数据库不完整（%1），数据库没有改动。"_s.arg(error)};
    }
    return swapIn(db, lock, target, live, u"数据库压缩完毕"_s);
}

DatabaseSwap& databaseSwap() {
    static DatabaseSwap swap;
    return swap;
}

} // namespace ssq
