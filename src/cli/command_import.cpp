#include "cli/command_import.h"

#include "cli/console.h"
#include "store/database.h"
#include "store/history_import.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

int runImport(const CliContext& context, const QStringList& args) {
    QString file;
    QString from;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--from"_s && i + 1 < args.size()) {
            from = args[++i];
        } else if (file.isEmpty() && !args[i].startsWith(u"--"_s)) {
            file = args[i];
        } else {
            err() << u"用法: ssq-cli [--db 数据库文件] import 文件 [--from 期号]"_s << Qt::endl;
            return kExitUsage;
        }
    }
    if (file.isEmpty()) {
        err() << u"用法: ssq-cli [--db 数据库文件] import 文件 [--from 期号]"_s << Qt::endl;
        return kExitUsage;
    }

    const std::unique_ptr<Database> db = openDatabase(context);
    if (!db)
        return kExitFailure;
    const ImportReport report = importHistoryFile(db->connection(), file, from);
    if (!report.ok) {
        err() << report.message << Qt::endl;
        return kExitFailure;
    }
    out() << report.message << Qt::endl;
    return kExitOk;
}

} // namespace ssq::cli
