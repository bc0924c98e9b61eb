#include "cli/command_backtest.h"

#include "cli/command_select.h"
#include "cli/console.h"
#include "backtest/backtest.h"
#include "red/condition_file.h"
#include "store/database.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

namespace {

struct BacktestArgs {
    QString panelPath;
    QString last;
    bool hotColdFromHistory = false;
};

std::optional<BacktestArgs> parse(const QStringList& args) {
    BacktestArgs parsed;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--panel"_s && i + 1 < args.size())
            parsed.panelPath = args[++i];
        else if (args[i] == u"--last"_s && i + 1 < args.size())
            parsed.last = args[++i];
        else if (args[i] == u"--hotcold-from-history"_s)
            parsed.hotColdFromHistory = true;
        else
            return std::nullopt;
    }
    if (parsed.panelPath.isEmpty() || parsed.last.isEmpty())
        return std::nullopt;
    return parsed;
}

} // namespace

int runBacktest(const CliContext& context, const QStringList& args) {
    const std::optional<BacktestArgs> parsed = parse(args);
    if (!parsed) {
        err() << u"用法: ssq-cli [--db 数据库文件] backtest --panel 条件文件 --last 期数 "
                 u"[--hotcold-from-history]"_s
              << Qt::endl;
        return kExitUsage;
    }
    QString error;
    const std::optional<int> last = backtestDepth(parsed->last, &error);
    if (!last) {
        err() << error << u": "_s << parsed->last << Qt::endl;
        return kExitRefused;
    }
    const std::optional<ConditionFile> file = loadConditionFile(parsed->panelPath, &error);
    if (!file) {
        err() << error << Qt::endl;
        return kExitRefused;
    }
    const std::unique_ptr<Database> db = openDatabase(context);
    if (!db)
        return kExitFailure;
    std::vector<StoredDraw> history = loadDraws(db->connection(), &error);
    if (!error.isEmpty()) {
        err() << error << Qt::endl;
        return kExitFailure;
    }

    const Backtest backtest(file->panel, file->hotCold, std::move(history),
                            {*last, parsed->hotColdFromHistory});
    const BacktestResult result = backtest.run();
    if (result.refusal) {
        err() << *result.refusal << Qt::endl;
        return kExitRefused;
    }
    QTextStream& stream = out();
    for (const BacktestRow& row : result.rows)
        stream << issueText(row.issue) << u'\t' << verdictText(row.kept) << u'\t' << row.keptCount
               << u'\t' << failedText(row.failed) << u'\n';
    const BacktestSummary summary = result.summary();
    stream << u"SUMMARY\t"_s << summary.keptDraws << u'\t' << summary.targets << u'\t'
           << QString::number(summary.averageKept, 'f', 1) << u'\n';
    stream.flush();
    return kExitOk;
}

} // namespace ssq::cli
