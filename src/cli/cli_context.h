#pragma once
// What every command of the command line is given: the options before the command name.

#include <QString>

namespace ssq::cli {

struct CliContext {
    // --db PATH, or the program's own ssq.mdb when not given.
    QString dbPath;
};

// Exit statuses shared by the commands.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // the store or a file failed
constexpr int kExitUsage = 2;   // the arguments are wrong

} // namespace ssq::cli
