#pragma once
// Standard output and error of the command line, written as UTF-8 whatever the console.

#include <QTextStream>

namespace ssq::cli {

// Makes the console take UTF-8 (Windows); call once at the start of main.
void setUpConsole();

QTextStream& out();
QTextStream& err();

} // namespace ssq::cli
