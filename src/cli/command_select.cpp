#include "cli/commands.h"

#include "analysis/hot_cold_table.h"
#include "red/condition_file.h"
#include "red/saved_results.h"
#include "red/selection_engine.h"
#include "store/database.h"
#include "tickets/ticket_export.h"
#include "tickets/ticket_line.h"
#include "tickets/wheel.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

namespace {

struct SelectArgs {
    QString panelPath;
    bool list = false;
    bool hotColdFromDb = false;
    bool save = false;
    QString exportPath;
    QString blues;
    QString cover; // --cover G: the kept-set cover keeping G reds
    QString seed;
};

std::optional<SelectArgs> parse(const QStringList& args) {
    SelectArgs parsed;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--panel"_s && i + 1 < args.size())
            parsed.panelPath = args[++i];
        else if (args[i] == u"--list"_s)
            parsed.list = true;
        else if (args[i] == u"--hotcold-from-db"_s)
            parsed.hotColdFromDb = true;
        else if (args[i] == u"--save"_s)
            parsed.save = true;
        else if (args[i] == u"--export"_s && i + 1 < args.size() && !args[i + 1].isEmpty())
            parsed.exportPath = args[++i];
        else if (args[i] == u"--blue"_s && i + 1 < args.size())
            parsed.blues = args[++i];
        else if (args[i] == u"--cover"_s && i + 1 < args.size())
            parsed.cover = args[++i];
        else if (args[i] == u"--seed"_s && i + 1 < args.size())
            parsed.seed = args[++i];
        else
            return std::nullopt;
    }
    if (parsed.panelPath.isEmpty() || (!parsed.blues.isEmpty() && parsed.exportPath.isEmpty()) ||
        (!parsed.seed.isEmpty() && parsed.cover.isEmpty()))
        return std::nullopt;
    return parsed;
}

// --save: as "保存所选号码" does, the kept combinations into hmbc, at most 5000.
int saveKept(const CliContext& context, const SelectionResult& result) {
    const std::unique_ptr<Database> db = openDatabase(context);
    if (!db)
        return kExitFailure;
    const Outcome saved =
        saveResults(db->connection(), result.count(), [&result](int i) { return result.text(i); });
    if (!saved.ok) {
        err() << saved.message << Qt::endl;
        return result.count() > kMaxSavedResults || result.count() == 0 ? kExitRefused
                                                                        : kExitFailure;
    }
    out() << saved.message << Qt::endl;
    return kExitOk;
}

// --export: every kept combination with every blue of the list into the file.
int exportKept(const SelectArgs& args, const BlueList& blues, const SelectionResult& result) {
    QString error;
    if (!writeTicketExport(args.exportPath, result, blues, exportFormatOf(args.exportPath), {},
                           &error)) {
        err() << error << Qt::endl;
        return exportTicketCount(result, blues) == 0 ? kExitRefused : kExitFailure;
    }
    const qint64 tickets = exportTicketCount(result, blues);
    out() << u"导出\t"_s << tickets << u'\t' << tickets * kTicketPrice << u'\t' << args.exportPath
          << Qt::endl;
    return kExitOk;
}

// --cover: tickets among the kept combinations that every kept one shares G reds with.
int coverKept(const SelectArgs& args, const SelectionResult& result) {
    const int keep = args.cover.toInt();
    std::uint64_t seed = kDefaultCoverSeed;
    if (!args.seed.isEmpty() && !readSeed(args.seed, &seed)) {
        err() << u"种子“%1”有误，应为不小于0的整数"_s.arg(args.seed) << Qt::endl;
        return kExitRefused;
    }
    const TicketCover cover = coverKeptSet(result.codes, keep, seed);
    if (!cover.verified()) {
        err() << cover.check.line << Qt::endl;
        return keptCoverRefusal(result.codes.size(), keep) ? kExitRefused : kExitFailure;
    }
    QTextStream& stream = out();
    printTickets(stream, cover.tickets);
    stream << u"缩水\t"_s << cover.tickets.size() << u'\t' << result.count() << u'\t' << keep
           << u"\t已验证"_s << u'\n';
    stream.flush();
    return kExitOk;
}

} // namespace

int runSelect(const CliContext& context, const QStringList& args) {
    const std::optional<SelectArgs> parsed = parse(args);
    if (!parsed) {
        err()
            << u"用法: ssq-cli [--db 数据库文件] select --panel 条件文件 [--list] [--hotcold-from-db] [--save] [--export 文件 [--blue 蓝球]] [--cover 保号数 [--seed 种子]]"_s
            << Qt::endl;
        return kExitUsage;
    }
    QString error;
    if (!parsed->cover.isEmpty() && parsed->cover != u"4"_s && parsed->cover != u"5"_s) {
        err() << u"缩水保号只能保5个或保4个红球（--cover 5 或 --cover 4）"_s << Qt::endl;
        return kExitRefused;
    }
    const std::optional<BlueList> blues = parseBlueList(parsed->blues, &error);
    if (!blues) {
        err() << error << Qt::endl;
        return kExitRefused;
    }
    std::optional<ConditionFile> file = loadConditionFile(parsed->panelPath, &error);
    if (!file) {
        err() << error << Qt::endl;
        return kExitRefused;
    }
    if (parsed->hotColdFromDb) {
        int status = kExitFailure;
        const std::unique_ptr<Database> db = openExistingDatabase(context, &status);
        if (!db)
            return status;
        const HotColdTableResult table = hotColdTable(db->connection());
        if (!table.ok) {
            err() << table.message << Qt::endl;
            return table.tooFewDraws ? kExitRefused : kExitFailure;
        }
        file->hotCold = table.values;
    }

    const SelectionEngine engine(file->panel, file->hotCold);
    const SelectionResult result = engine.run();
    if (result.refusal) {
        err() << *result.refusal << Qt::endl;
        return kExitRefused;
    }
    QTextStream& stream = out();
    stream << result.resultLine() << u'\n';
    if (parsed->list)
        for (std::int32_t code : result.codes)
            stream << comboTextOfCode(code) << u'\n';
    stream.flush();
    if (!parsed->cover.isEmpty()) {
        if (const int status = coverKept(*parsed, result); status != kExitOk)
            return status;
    }
    if (!parsed->exportPath.isEmpty()) {
        if (const int status = exportKept(*parsed, *blues, result); status != kExitOk)
            return status;
    }
    if (parsed->save)
        return saveKept(context, result);
    return kExitOk;
}

} // namespace ssq::cli
