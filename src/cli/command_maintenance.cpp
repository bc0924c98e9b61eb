#include "cli/command_maintenance.h"

#include "cli/console.h"
#include "store/database.h"
#include "store/maintenance.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace ssq::cli {

namespace {

// The database is not opened first: backup must not create a missing file, and restore must
// work on a damaged one.
int run(const CliContext& context, const QStringList& args, const QString& name,
        const std::function<MaintenanceResult(Database&)>& step) {
    if (!args.isEmpty()) {
        err() << u"用法: ssq-cli [--db 数据库文件] %1"_s.arg(name) << Qt::endl;
        return kExitUsage;
    }
    Database db(context.dbPath);
    const MaintenanceResult result = step(db);
    if (!result.ok) {
        err() << result.message << Qt::endl;
        return kExitFailure;
    }
    out() << result.message << Qt::endl;
    return kExitOk;
}

} // namespace

int runBackup(const CliContext& context, const QStringList& args) {
    return run(context, args, u"backup"_s,
               [](Database& db) { return backupDatabase(db, backupFolder()); });
}

int runRestore(const CliContext& context, const QStringList& args) {
    return run(context, args, u"restore"_s,
               [](Database& db) { return restoreFromBackup(db, backupFolder()); });
}

int runCompact(const CliContext& context, const QStringList& args) {
    return run(context, args, u"compact"_s, [](Database& db) { return compactDatabase(db); });
}

} // namespace ssq::cli
