#include "store/output_target.h"

#include "store/database.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

bool isSqliteFile(const QString& path) {
    // Only a regular file is looked into: reading a device or a pipe could block.
    const QFileInfo info(path);
    return info.exists() && info.isFile() && hasSqliteHeader(path);
}

// SQLite keeps a database's journal beside it under these suffixes, and takes a file found
// there for one: an export named so would be deleted at the next open, or played back into
// the database.
bool isDatabaseCompanion(const QString& path) {
    for (const QString& suffix : {u"-journal"_s, u"-wal"_s, u"-shm"_s})
        if (path.endsWith(suffix)) {
            const QString database = path.chopped(suffix.size());
            return isOpenDatabaseFile(database) || isSqliteFile(database);
        }
    return false;
}

QString systemText(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

QString outputTargetProblem(const QString& path) {
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    const QString refused =
        u"“%1”是数据库文件，不能用来保存或导出，否则其中的数据会丢失。没有写入任何数据，请换一个文件名。"_s
            .arg(shown);
    if (isOpenDatabaseFile(path) || isSqliteFile(path))
        return refused;
    // A file is written beside its target and renamed over it, which would turn a device or a
    // pipe (or what a link points to) into a plain file.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return u"“%1”不是普通文件（是文件夹、设备或管道），不能用来保存或导出。没有写入任何数据，请换一个文件名。"_s
            .arg(shown);
    if (isDatabaseCompanion(path))
        return u"“%1”是数据库的日志文件名，数据库打开时会把它当作日志处理，不能用来保存或导出。没有写入任何数据，请换一个文件名。"_s
            .arg(shown);
    return {};
}

QString fileErrorText(const QString& errorString) {
    if (errorString == systemText(ENOSPC))
        return u"磁盘已满"_s;
    if (errorString == systemText(EFBIG))
        return u"文件超过了系统允许的大小"_s;
    return errorString;
}

QString writeFailureText(const QString& failure, const QString& errorString) {
    const QString known = fileErrorText(errorString);
    if (known == errorString)
        return failure;
    return u"%1（%2）"_s.arg(failure, known);
}

void reportFileSizeLimitAsError() {
#ifdef Q_OS_UNIX
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace ssq
