#include "cli/commands.h"

#include "store/database.h"

#include <QtGlobal>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

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

} // namespace ssq::cli
