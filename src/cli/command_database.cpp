#include "cli/commands.h"

#include "store/database.h"
#include "store/draw_history.h"
#include "store/maintenance.h"
#include "store/past_draw_query.h"

#include <QDir>

#include <functional>

using namespace Qt::StringLiterals;

namespace ssq::cli {

int runInfo(const CliContext& context, const QStringList& args) {
    if (!args.isEmpty()) {
        err() << u"info 命令不带参数"_s << Qt::endl;
        return kExitUsage;
    }
    int status = kExitFailure;
    const std::unique_ptr<Database> db = openExistingDatabase(context, &status);
    if (!db)
        return status;
    QString error;
    const std::vector<StoredDraw> draws = loadDraws(db->connection(), &error);
    if (!error.isEmpty()) {
        err() << error << Qt::endl;
        return kExitFailure;
    }
    const auto incomplete =
        std::count_if(draws.begin(), draws.end(), [](const StoredDraw& d) { return !d.complete; });

    out() << u"数据库: "_s << QDir::toNativeSeparators(db->path()) << Qt::endl
          << u"开奖记录: "_s << draws.size() << Qt::endl;
    if (!draws.empty()) {
        out() << u"最早期号: "_s << draws.front().issue << Qt::endl
              << u"最新期号: "_s << draws.back().issue << Qt::endl;
    }
    if (incomplete > 0)
        out() << u"号码不完整的记录: "_s << incomplete << Qt::endl;
    return kExitOk;
}

namespace {

// The database is not opened first: backup must not create a missing file, and restore must
// work on a damaged one.
int run(const CliContext& context, const QStringList& args, const QString& name,
        const std::function<Outcome(Database&)>& step) {
    if (!args.isEmpty()) {
        err() << u"用法: ssq-cli [--db 数据库文件] %1"_s.arg(name) << Qt::endl;
        return kExitUsage;
    }
    Database db(context.dbPath);
    const Outcome result = step(db);
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

int runDrawn(const CliContext& context, const QStringList& args) {
    QList<int> chosen;
    for (const QString& arg : args) {
        bool whole = false;
        const int number = arg.toInt(&whole);
        chosen.append(whole ? number : 0); // 0 is no red: refused with the rest
    }
    const std::optional<RedCombo> red = pastDrawChoice(chosen);
    if (!red) {
        err() << pastDrawChoiceRefusal() << Qt::endl;
        return kExitRefused;
    }
    int status = kExitFailure;
    const std::unique_ptr<Database> db = openExistingDatabase(context, &status);
    if (!db)
        return status;
    const PastDrawAnswer answer = askPastDraw(db->connection(), *red);
    if (answer.sentence.isEmpty()) {
        err() << answer.error << Qt::endl;
        return kExitFailure;
    }
    out() << answer.sentence << Qt::endl;
    return kExitOk;
}

} // namespace ssq::cli
