#include "cli/command_select.h"

#include "analysis/hot_cold_table.h"
#include "cli/console.h"
#include "red/condition_file.h"
#include "red/saved_results.h"
#include "red/selection_engine.h"
#include "tickets/ticket_export.h"
#include "tickets/ticket_line.h"
#include "store/database.h"

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
        else if (args[i] == u"--export"_s && i + 1 < args.size())
            parsed.exportPath = args[++i];
        else if (args[i] == u"--blue"_s && i + 1 < args.size())
            parsed.blues = args[++i];
        else
            return std::nullopt;
    }
    if (parsed.panelPath.isEmpty() || (!parsed.blues.isEmpty() && parsed.exportPath.isEmpty()))
        return std::nullopt;
    return parsed;
}

// --save: as "保存所选号码" does, the kept combinations into hmbc, at most 5000.
int saveKept(const CliContext& context, const SelectionResult& result) {
    const std::unique_ptr<Database> db = openDatabase(context);
    if (!db)
        return kExitFailure;
    const SaveOutcome saved =
        saveResults(db->connection(), result.count(), [&result](int i) { return result.text(i); });
    if (!saved.saved) {
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
        return kExitFailure;
    }
    const qint64 tickets = exportTicketCount(result, blues);
    out() << u"导出\t"_s << tickets << u'\t' << tickets * kTicketPrice << u'\t' << args.exportPath
          << Qt::endl;
    return kExitOk;
}

} // namespace

int runSelect(const CliContext& context, const QStringList& args) {
    const std::optional<SelectArgs> parsed = parse(args);
    if (!parsed) {
        err()
            << u"用法: ssq-cli [--db 数据库文件] select --panel 条件文件 [--list] [--hotcold-from-db] [--save] [--export 文件 [--blue 蓝球]]"_s
            << Qt::endl;
        return kExitUsage;
    }
    QString error;
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
    if (!parsed->exportPath.isEmpty()) {
        if (const int status = exportKept(*parsed, *blues, result); status != kExitOk)
            return status;
    }
    if (parsed->save)
        return saveKept(context, result);
    return kExitOk;
}

} // namespace ssq::cli
