#include "store/output_target.h"

#include "store/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

bool hasSqliteHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(16) == QByteArray("SQLite format 3", 16);
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
    if (isOpenDatabaseFile(path))
        return refused;
    const QFileInfo info(path);
    // Only a regular file is looked into: reading a device or a pipe could block.
    if (info.exists() && info.isFile() && hasSqliteHeader(path))
        return refused;
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
