#include "cli/commands.h"

#include "analysis/trend_chart.h"
#include "store/database.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

namespace {

struct TrendArgs {
    QString last;
    bool grid = false;
};

std::optional<TrendArgs> parse(const QStringList& args) {
    TrendArgs parsed;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--last"_s && i + 1 < args.size())
            parsed.last = args[++i];
        else if (args[i] == u"--grid"_s)
            parsed.grid = true;
        else
            return std::nullopt;
    }
    if (parsed.last.isEmpty())
        return std::nullopt;
    return parsed;
}

// 49 lines, reds 1..33 then blues 1..16: 红|蓝, NN and the five statistics.
void printStatistics(const TrendChart& chart) {
    QTextStream& stream = out();
    for (int c = 0; c < kTrendNumbers; ++c) {
        const TrendStatistics& s = chart.statistics(c);
        stream << (trendColumnIsRed(c) ? u"红"_s : u"蓝"_s) << u'\t'
               << QString::number(trendColumnNumber(c)).rightJustified(2, u'0') << u'\t'
               << s.appearances << u'\t' << s.averageOmission << u'\t' << s.maxOmission << u'\t'
               << s.maxRun << u'\t' << s.currentOmission << u'\n';
    }
}

// One line per draw, oldest first: the seven-digit issue and the 49 omissions.
void printGrid(const TrendChart& chart, int decade) {
    QTextStream& stream = out();
    for (int r = 0; r < chart.rowCount(); ++r) {
        stream << trendIssueText(chart, r, decade);
        for (int omission : chart.row(r).omission)
            stream << u'\t' << omission;
        stream << u'\n';
    }
}

} // namespace

int runTrend(const CliContext& context, const QStringList& args) {
    const std::optional<TrendArgs> parsed = parse(args);
    if (!parsed) {
        err() << u"用法: ssq-cli [--db 数据库文件] trend --last 期数 [--grid]"_s << Qt::endl;
        return kExitUsage;
    }
    bool whole = false;
    const int last = parsed->last.toInt(&whole);
    if (!whole || last < 1) {
        err() << u"走势图期数必须是大于0的整数: "_s << parsed->last << Qt::endl;
        return kExitRefused;
    }
    int status = kExitFailure;
    const std::unique_ptr<Database> db = openExistingDatabase(context, &status);
    if (!db)
        return status;
    const TrendChartLoad load = loadTrendChart(db->connection(), last, QDate::currentDate());
    if (!load.chart) {
        err() << load.message << Qt::endl;
        return load.storeFailed ? kExitFailure : kExitRefused;
    }
    if (parsed->grid)
        printGrid(*load.chart, load.decade);
    else
        printStatistics(*load.chart);
    out().flush();
    return kExitOk;
}

} // namespace ssq::cli
