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

// restore: the newest backup. --list numbers the backups, newest first; --backup N restores
// the N-th of that list.
int runRestore(const CliContext& context, const QStringList& args) {
    if (args == QStringList{u"--list"_s}) {
        const QList<BackupFile> backups = listBackups(backupFolder());
        if (backups.isEmpty()) {
            err() << u"备份文件夹“%1”中没有备份"_s.arg(backupFolder()) << Qt::endl;
            return kExitFailure;
        }
        for (const QString& line : numberedBackupLines(backups))
            out() << line << Qt::endl;
        return kExitOk;
    }
    if (args.size() == 2 && args[0] == u"--backup"_s) {
        QString error;
        const QString chosen = chosenBackup(listBackups(backupFolder()), args[1], &error);
        if (chosen.isEmpty()) {
            err() << error << Qt::endl;
            return kExitFailure;
        }
        return run(context, {}, u"restore"_s,
                   [chosen](Database& db) { return restoreFromBackupFile(db, chosen); });
    }
    if (!args.isEmpty()) {
        err() << u"用法: ssq-cli [--db 数据库文件] restore [--list | --backup 序号]"_s << Qt::endl;
        return kExitUsage;
    }
    return run(context, args, u"restore"_s,
               [](Database& db) { return restoreFromBackup(db, backupFolder()); });
}

int runCompact(const CliContext& context, const QStringList& args) {
    return run(context, args, u"compact"_s, [](Database& db) { return compactDatabase(db); });
}

} // namespace ssq::cli
