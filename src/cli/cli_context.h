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

// Opens the database the context names; on failure prints the reason and returns nullptr.
std::unique_ptr<Database> openDatabase(const CliContext& context);

} // namespace ssq::cli
