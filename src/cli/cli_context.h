#pragma once
// What every command of the command line is given: the options before the command name.

#include <QString>

#include <memory>

namespace ssq {
class Database;
}

namespace ssq::cli {

struct CliContext {
    // --db PATH, or the program's own ssq.mdb when not given.
    QString dbPath;
};

// Exit statuses shared by the commands.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // the store or a file failed
constexpr int kExitUsage = 2;   // the arguments are wrong
constexpr int kExitRefused = 3; // the input or the state was refused; nothing was changed

// Opens the database the context names; on failure prints the reason and returns nullptr.
std::unique_ptr<Database> openDatabase(const CliContext& context);
// The same for a command that only reads: a missing file is refused (*status kExitRefused), never
// created; any other failure sets *status to kExitFailure.
std::unique_ptr<Database> openExistingDatabase(const CliContext& context, int* status);

} // namespace ssq::cli
