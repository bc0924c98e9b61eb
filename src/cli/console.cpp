#include "cli/commands.h"

#include "store/database.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace ssq::cli {

void setUpConsole() {
#ifdef Q_OS_WIN
    SetConsoleOutputCP(CP_UTF8);
#endif
}

QTextStream& out() {
    static QTextStream stream(stdout);
    static const bool utf8 = (stream.setEncoding(QStringConverter::Utf8), true);
    Q_UNUSED(utf8);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    static const bool utf8 = (stream.setEncoding(QStringConverter::Utf8), true);
    Q_UNUSED(utf8);
    return stream;
}

std::unique_ptr<Database> openDatabase(const CliContext& context) {
    auto db = std::make_unique<Database>(context.dbPath);
    QString error;
    if (!db->open(&error)) {
        err() << error << Qt::endl;
        return nullptr;
    }
    return db;
}

std::unique_ptr<Database> openExistingDatabase(const CliContext& context, int* status) {
    *status = kExitFailure;
    if (!QFileInfo::exists(context.dbPath)) {
        err() << u"数据库文件“%1”不存在。"_s.arg(
                     QDir::toNativeSeparators(QFileInfo(context.dbPath).absoluteFilePath()))
              << Qt::endl;
        *status = kExitRefused;
        return nullptr;
    }
    return openDatabase(context);
}

} // namespace ssq::cli
