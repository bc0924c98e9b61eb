#include "cli/commands.h"

#include "store/database.h"
#include "tickets/prize_check.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

int runPrize(const CliContext& context, const QStringList& args) {
    QString ticketPath;
    QString issue;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--tickets"_s && i + 1 < args.size()) {
            ticketPath = args[++i];
        } else if (args[i] == u"--issue"_s && i + 1 < args.size()) {
            issue = args[++i];
        } else {
            ticketPath.clear();
            break;
        }
    }
    if (ticketPath.isEmpty()) {
        err() << u"用法: ssq-cli [--db 数据库文件] prize --tickets 号码文件 [--issue 期号]"_s
              << Qt::endl;
        return kExitUsage;
    }

    QString error;
    bool unreadable = false;
    const std::optional<std::vector<TicketLine>> lines =
        readTicketFile(ticketPath, &error, &unreadable);
    if (!lines) {
        err() << error << Qt::endl;
        return unreadable ? kExitFailure : kExitRefused;
    }
    int status = kExitFailure;
    const std::unique_ptr<Database> db = openExistingDatabase(context, &status);
    if (!db)
        return status;
    const std::optional<StoredDraw> draw = prizeDraw(db->connection(), issue, &error);
    if (!draw) {
        err() << error << Qt::endl;
        return kExitRefused;
    }

    const PrizeReport report = checkTickets(*lines, {}, *draw);
    QTextStream& stream = out();
    for (int level = 1; level <= kPrizeLevels; ++level)
        stream << prizeLevelName(level) << u'\t' << report.counts[level] << u'\n';
    stream << u"固定奖金\t"_s << report.fixedTotal << u'\n';
    stream << u"投注\t"_s << report.tickets << u'\t' << report.cost() << u'\n';
    stream.flush();
    return kExitOk;
}

} // namespace ssq::cli
