#include "cli/commands.h"

#include "store/database.h"
#include "store/history_import.h"
#include "store/shipped_history.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

int runImport(const CliContext& context, const QStringList& args) {
    const QString usage =
        u"用法: ssq-cli [--db 数据库文件] import 文件 [--from 期号] | import --shipped"_s;
    QString file;
    QString from;
    bool shipped = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--from"_s && i + 1 < args.size()) {
            from = args[++i];
        } else if (args[i] == u"--shipped"_s) {
            shipped = true;
        } else if (file.isEmpty() && !args[i].startsWith(u"--"_s)) {
            file = args[i];
        } else {
            err() << usage << Qt::endl;
            return kExitUsage;
        }
    }
    if (shipped == !file.isEmpty() || (shipped && !from.isEmpty())) {
        err() << usage << Qt::endl;
        return kExitUsage;
    }
    if (shipped) {
        // The newest decade of the history that ships beside the program.
        QString error;
        const std::optional<ShippedHistory> history =
            readShippedHistory(shippedHistoryPath(), &error);
        if (!history) {
            err() << error << Qt::endl;
            return kExitFailure;
        }
        file = history->path;
        from = history->fromIssue;
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
