#include "store/database.h"

#include "store/schema.h"
#include "ui/app_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <sys/stat.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Long enough to ride out another connection's short write, short enough to report a lock.
constexpr int kBusyTimeoutMs = 2000;

std::atomic<int> g_connectionCounter{0};

QString newConnectionName(const QString& purpose) {
    return u"ssq_%1_%2"_s.arg(purpose).arg(g_connectionCounter.fetch_add(1));
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// SQLite's own open modes through a URI, so that no connection ever creates a file by accident.
QString uriOf(const QString& path, const char* mode) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           u"?mode="_s + QLatin1StringView(mode);
}

bool isLockError(const QSqlError& e) {
    const QString code = e.nativeErrorCode();
    return code == u"5"_s || code == u"6"_s; // SQLITE_BUSY, SQLITE_LOCKED
}

// A connection used only inside one function; removed again when it goes out of scope.
class ScopedConnection {
public:
    ScopedConnection(const QString& path, const char* mode, const QString& purpose)
        : m_name(newConnectionName(purpose)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        db.setDatabaseName(uriOf(path, mode));
        QString options = u"QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1"_s.arg(kBusyTimeoutMs);
        if (qstrcmp(mode, "ro") == 0)
            options += u";QSQLITE_OPEN_READONLY"_s;
        db.setConnectOptions(options);
        m_opened = db.open();
    }
    ~ScopedConnection() {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;

    bool opened() const { return m_opened; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }
    QString name() const { return m_name; }

private:
    QString m_name;
    bool m_opened = false;
};

// Which file a connection was opened on, so a file deleted or replaced under the running
// program is noticed before anything is written into the vanished copy.
struct FileIdentity {
    QString path;
    quint64 device = 0;
    quint64 inode = 0;
};

bool identify(const QString& path, FileIdentity* id) {
    id->path = path;
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    id->device = static_cast<quint64>(st.st_dev);
    id->inode = static_cast<quint64>(st.st_ino);
    return true;
#else
    return QFileInfo::exists(path);
#endif
}

QMutex g_identityLock;
QHash<QString, FileIdentity>& identities() {
    static QHash<QString, FileIdentity> all;
    return all;
}

enum class Inspection { Ours, Foreign, Locked, Unreadable };

struct InspectionResult {
    Inspection kind = Inspection::Ours;
    QString detail;
};

// Reads the layout of an existing file through a read-only connection: our tables with the
// right widths and a schema version this program knows.
InspectionResult inspect(const QString& path) {
    ScopedConnection conn(path, "ro", u"inspect"_s);
    QSqlDatabase db = conn.db();
    if (!conn.opened()) {
        const QSqlError e = db.lastError();
        return {isLockError(e) ? Inspection::Locked : Inspection::Unreadable, storeErrorText(e)};
    }

    QSqlQuery version(db);
    if (!version.exec(u"PRAGMA user_version"_s) || !version.next()) {
        const QSqlError e = version.lastError();
        return {isLockError(e) ? Inspection::Locked : Inspection::Unreadable, storeErrorText(e)};
    }
    const int userVersion = version.value(0).toInt();
    version.finish();

    QSqlQuery names(db);
    if (!names.exec(u"SELECT name FROM sqlite_master WHERE type = 'table'"_s)) {
        const QSqlError e = names.lastError();
        return {isLockError(e) ? Inspection::Locked : Inspection::Unreadable, storeErrorText(e)};
    }
    QStringList present;
    while (names.next())
        present.append(names.value(0).toString());
    names.finish();

    for (const schema::Table& t : schema::tables()) {
        if (!present.contains(t.name, Qt::CaseInsensitive))
            return {Inspection::Foreign, u"缺少表 %1"_s.arg(t.name)};
        const QSqlRecord record = db.record(t.name);
        if (record.count() != t.columns.size())
            return {Inspection::Foreign, u"表 %1 应有 %2 列，实有 %3 列"_s.arg(t.name)
                                             .arg(t.columns.size())
                                             .arg(record.count())};
        for (int i = 0; i < t.columns.size(); ++i) {
            if (record.fieldName(i).compare(t.columns[i].name, Qt::CaseInsensitive) != 0)
                return {Inspection::Foreign,
                        u"表 %1 的第 %2 列应为 %3，实为 %4"_s.arg(t.name).arg(i + 1).arg(
                            t.columns[i].name, record.fieldName(i))};
        }
    }
    if (userVersion != schema::kVersion)
        return {Inspection::Foreign,
                u"数据库版本为 %1，本程序只认识版本 %2"_s.arg(userVersion).arg(schema::kVersion)};
    return {};
}

bool runAll(QSqlDatabase db, const QStringList& statements, QString* detail) {
    QSqlQuery q(db);
    for (const QString& s : statements) {
        if (!q.exec(s)) {
            *detail = storeErrorText(q.lastError());
            return false;
        }
    }
    return true;
}

// Builds a complete new file under a temporary name beside the target and renames it into
// place, so that a failure never leaves a half-made database under the program's name.
bool createFile(const QString& path, QString* detail) {
    const QString temp =
        u"%1.new-%2"_s.arg(path).arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
    bool built = false;
    {
        ScopedConnection conn(temp, "rwc", u"create"_s);
        QSqlDatabase db = conn.db();
        if (!conn.opened()) {
            *detail = storeErrorText(db.lastError());
        } else {
            // BEGIN and COMMIT as statements, so a failure reports SQLite's code, which the
            // player reads in Chinese.
            QStringList statements{u"BEGIN"_s};
            for (const schema::Table& t : schema::tables())
                statements.append(schema::createStatement(t));
            statements += schema::seedStatements();
            statements.append(u"PRAGMA user_version = %1"_s.arg(schema::kVersion));
            statements.append(u"COMMIT"_s);
            built = runAll(db, statements, detail);
            if (!built)
                db.rollback();
        }
    }
    if (built && !QFile::rename(temp, path)) {
        // Someone else created the file meanwhile; theirs wins and is inspected as usual.
        built = QFileInfo::exists(path);
        if (!built)
            *detail = u"无法把新文件改名为目标文件"_s;
    }
    QFile::remove(temp);
    QFile::remove(temp + u"-journal"_s);
    return built;
}

// Judges an existing file: ours, or why not. `recover` lets SQLite roll back a write that was
// cut off, which only the program's own opening may do.
Database::Failure judge(const QString& path, QString& message, bool recover,
                        bool readHeader = true) {
    const QString file = shown(path);
    const QFileInfo info(path);
    if (info.isDir()) {
        message = u"“%1”是一个文件夹，不是数据库文件。"_s.arg(file);
        return Database::Failure::Unreadable;
    }
    // Reading a pipe would wait for a writer for ever.
    if (!info.isFile()) {
        message = u"“%1”不是普通文件（是设备或管道），不是数据库文件。"_s.arg(file);
        return Database::Failure::Unreadable;
    }
    if (!info.isReadable()) {
        message = u"无法读取数据库文件“%1”，请检查文件的访问权限。"_s.arg(file);
        return Database::Failure::Unreadable;
    }
    if (readHeader && !hasSqliteHeader(path)) {
        message = u"文件“%1”不是本程序的数据库（不是 SQLite 数据库文件）。程序没有改动这个文件，"
                  u"请换用本程序的数据库文件。"_s.arg(file);
        return Database::Failure::Foreign;
    }

    InspectionResult found = inspect(path);
    if (recover && found.kind == Inspection::Unreadable &&
        QFileInfo::exists(path + u"-journal"_s)) {
        // A write that was cut off leaves a hot journal, which a read-only connection may not
        // roll back. Rolling it back is SQLite's own recovery and restores the file to its
        // last committed state; then the file is judged as usual.
        {
            ScopedConnection recovery(path, "rw", u"recover"_s);
            QSqlQuery q(recovery.db());
            q.exec(u"SELECT count(*) FROM sqlite_master"_s);
        }
        found = inspect(path);
    }
    switch (found.kind) {
    case Inspection::Ours:
        break;
    case Inspection::Foreign:
        message =
            u"文件“%1”不是本程序的数据库（%2）。程序没有改动这个文件，请换用本程序的数据库文件。"_s
                .arg(file, found.detail);
        return Database::Failure::Foreign;
    case Inspection::Locked:
        message =
            u"数据库文件“%1”正被其他程序使用（已锁定），请关闭使用它的程序后再试。"_s.arg(file);
        return Database::Failure::Locked;
    case Inspection::Unreadable:
        message = u"数据库文件“%1”已损坏或无法读取（%2）。程序没有改动这个文件。"_s.arg(
            file, found.detail);
        return Database::Failure::Damaged;
    }

    return Database::Failure::None;
}

} // namespace

Database::Database(QString path) : m_path(std::move(path)) {}

Database::~Database() {
    close();
}

QString Database::defaultPath() {
    return QDir(appPaths().dataFolder).filePath(u"ssq.mdb"_s);
}

bool Database::open(QString* error) {
    QString ignored;
    QString& message = error ? *error : ignored;
    message.clear();
    close();
    m_failure = Failure::None;

    const QString file = shown(m_path);
    QFileInfo info(m_path);
    if (!info.exists()) {
        const QFileInfo folder(info.absolutePath());
        if (!folder.isDir()) {
            message = u"无法创建数据库文件“%1”：文件夹“%2”不存在。"_s.arg(
                file, QDir::toNativeSeparators(folder.absoluteFilePath()));
            m_failure = Failure::CannotCreate;
            return false;
        }
        QString detail;
        if (!createFile(m_path, &detail)) {
            message = u"无法创建数据库文件“%1”：%2"_s.arg(file, detail);
            m_failure = Failure::CannotCreate;
            return false;
        }
        info.refresh();
    }

    m_failure = judge(m_path, message, true);
    if (m_failure != Failure::None)
        return false;

    // Root may write through any permission bits, so the owner's write bit decides.
    if (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner)) {
        message = readOnlyDatabaseMessage(m_path);
        m_failure = Failure::ReadOnly;
        return false;
    }

    const QString name = newConnectionName(u"db"_s);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(uriOf(m_path, "rw"));
        db.setConnectOptions(u"QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1"_s.arg(kBusyTimeoutMs));
        bool ok = db.open();
        QSqlError failure = db.lastError();
        if (ok) {
            // Taking the write lock once tells a locked or unwritable file apart now, before
            // the user has typed anything that could not be stored.
            QSqlQuery probe(db);
            ok = probe.exec(u"BEGIN IMMEDIATE"_s);
            if (ok)
                probe.exec(u"ROLLBACK"_s);
            else
                failure = probe.lastError();
        }
        if (!ok) {
            m_failure = isLockError(failure) ? Failure::Locked : Failure::ReadOnly;
            if (isLockError(failure))
                message =
                    u"数据库文件“%1”正被其他程序使用（已锁定），请关闭使用它的程序后再试。"_s.arg(
                        file);
            else
                message =
                    u"无法打开数据库文件“%1”进行写入（%2）。"_s.arg(file, storeErrorText(failure));
            db.close();
        }
        if (!ok) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            return false;
        }
    }
    m_connectionName = name;
    FileIdentity id;
    if (identify(m_path, &id)) {
        QMutexLocker lock(&g_identityLock);
        identities().insert(name, id);
    }
    return true;
}

Database::Failure Database::check(const QString& path, QString* error) {
    QString ignored;
    QString& message = error ? *error : ignored;
    message.clear();
    if (!QFileInfo::exists(path)) {
        message = u"文件“%1”不存在。"_s.arg(shown(path));
        return Failure::Missing;
    }
    return judge(path, message, false);
}

Database::Failure Database::checkLocked(const QString& path, QString* error) {
    QString ignored;
    QString& message = error ? *error : ignored;
    message.clear();
    return judge(path, message, false, false);
}

bool hasSqliteHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(16) == QByteArray("SQLite format 3", 16);
}

bool isOpenDatabaseFile(const QString& path) {
#ifndef Q_OS_UNIX
    const QString canonical = QFileInfo(path).canonicalFilePath();
    QMutexLocker lockNames(&g_identityLock);
    for (const FileIdentity& open : std::as_const(identities())) {
        const QString opened = QFileInfo(open.path).canonicalFilePath();
        if (!canonical.isEmpty() && (canonical == opened || canonical == opened + u"-journal"_s))
            return true;
    }
    return false;
#endif
    FileIdentity target;
    if (!identify(path, &target))
        return false;
    QMutexLocker lock(&g_identityLock);
    for (const FileIdentity& open : std::as_const(identities())) {
        FileIdentity journal;
        const bool sameFile = target.device == open.device && target.inode == open.inode;
        const bool itsJournal = identify(open.path + u"-journal"_s, &journal) &&
                                target.device == journal.device && target.inode == journal.inode;
        if (sameFile || itsJournal)
            return true;
    }
    return false;
}

QString readOnlyDatabaseMessage(const QString& path) {
    return u"数据库文件“%1”是只读的，程序无法保存数据。请去掉这个文件的只读属性后再试。"_s.arg(
        shown(path));
}

void Database::close() {
    if (m_connectionName.isEmpty())
        return;
    {
        QMutexLocker lock(&g_identityLock);
        identities().remove(m_connectionName);
    }
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
}

bool Database::isOpen() const {
    return !m_connectionName.isEmpty() && connection().isOpen();
}

QSqlDatabase Database::connection() const {
    if (m_connectionName.isEmpty())
        return QSqlDatabase();
    return QSqlDatabase::database(m_connectionName, false);
}

QString databaseFileProblem(const QSqlDatabase& connection) {
    FileIdentity opened;
    {
        QMutexLocker lock(&g_identityLock);
        const auto found = identities().constFind(connection.connectionName());
        if (found == identities().constEnd())
            return {};
        opened = *found;
    }
    FileIdentity now;
    if (!identify(opened.path, &now))
        return u"数据库文件“%1”已经不存在（被删除或移走了），没有写入任何数据。请重新启动本程序。"_s
            .arg(shown(opened.path));
    if (now.device != opened.device || now.inode != opened.inode)
        return u"数据库文件“%1”在程序运行时被换成了另一个文件，没有写入任何数据。请重新启动本程序。"_s
            .arg(shown(opened.path));
    return {};
}

QString storeErrorText(const QSqlError& error) {
    bool isNumber = false;
    // Extended result codes keep the primary code in their low byte.
    const int extended = error.nativeErrorCode().toInt(&isNumber);
    const int code = extended & 0xff;
    const QString detail = error.text().trimmed();
    if (!isNumber)
        return detail.isEmpty() ? u"数据库操作失败"_s : detail;
    // SQLite's own texts are English: the player reads what the code means, and the code.
    const QString numbered = u"（SQLite 错误码 %1）"_s.arg(code);
    switch (code) {
    case 1: // SQLITE_ERROR: a statement the file's tables cannot run; its text names them
        return detail.isEmpty() ? u"数据库语句执行出错"_s + numbered
                                : u"数据库语句执行出错（%1）"_s.arg(detail);
    case 2: // SQLITE_INTERNAL
        return u"数据库程序内部出错"_s + numbered;
    case 3:  // SQLITE_PERM
    case 23: // SQLITE_AUTH
        return u"没有访问数据库文件的权限"_s + numbered;
    case 4: // SQLITE_ABORT
    case 9: // SQLITE_INTERRUPT
        return u"数据库操作被中止"_s + numbered;
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return u"数据库文件正被其他程序使用（已锁定），请关闭使用它的程序后再试"_s;
    case 7: // SQLITE_NOMEM
        return u"内存不足，数据库操作无法完成"_s + numbered;
    case 8: // SQLITE_READONLY
        // SQLITE_READONLY_DIRECTORY: the file may be written, but its journal cannot be made.
        if (extended == 1544)
            return u"数据库文件所在的文件夹是只读的，无法在其中建立日志文件，因此无法写入"_s;
        return u"数据库文件是只读的，无法写入"_s;
    case 10: // SQLITE_IOERR
        // A write the system refused: on a local file a full disk or a file-size limit (EFBIG).
        if (extended == 778) // SQLITE_IOERR_WRITE
            return u"写入数据库文件时出错（磁盘已满，或文件超过了系统允许的大小）"_s;
        return u"读写数据库文件时出错，请检查磁盘"_s + numbered;
    case 11: // SQLITE_CORRUPT
        return u"数据库文件已损坏，或已被换成了别的文件（文件内容不完整）"_s + numbered;
    case 26: // SQLITE_NOTADB
        return u"数据库文件已损坏，或已被换成了别的文件（不是数据库文件）"_s + numbered;
    case 13: // SQLITE_FULL
        return u"磁盘已满，数据库文件无法写入"_s;
    case 14: // SQLITE_CANTOPEN
        return u"无法打开数据库文件，请检查文件和文件夹是否存在、能否访问"_s + numbered;
    case 15: // SQLITE_PROTOCOL
        return u"数据库文件的锁定出错，请稍后再试"_s + numbered;
    case 17: // SQLITE_SCHEMA
        return u"数据库的表结构在操作中被改动了，请再试一次"_s + numbered;
    case 18: // SQLITE_TOOBIG
        return u"数据太大，数据库无法保存"_s + numbered;
    case 19: // SQLITE_CONSTRAINT
        return u"数据不符合数据库的约束（例如重复的记录）"_s + numbered;
    case 20: // SQLITE_MISMATCH
        return u"数据类型与数据库的列不符"_s + numbered;
    default:
        return u"数据库操作失败"_s + numbered;
    }
}

QString quotedField(const QString& text) {
    constexpr qsizetype kMaxShown = 32;
    qsizetype length = std::min(text.size(), kMaxShown);
    if (length < text.size() && text[length - 1].isHighSurrogate())
        --length;
    QString shown = text.left(length);
    for (QChar& c : shown) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    }
    if (length < text.size())
        shown += u'…';
    return shown;
}

} // namespace ssq
