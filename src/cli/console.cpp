#include "cli/console.h"

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

} // namespace ssq::cli
