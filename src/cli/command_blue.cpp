#include "cli/commands.h"

#include "blue/blue_analysis.h"
#include "blue/blue_controls_file.h"
#include "blue/blue_selection.h"
#include "store/database.h"
#include "store/record_set.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

int runBlue(const CliContext&, const QStringList& args) {
    if (args.size() != 2 || args[0] != u"--controls"_s) {
        err() << u"用法: ssq-cli blue --controls 蓝球设置文件"_s << Qt::endl;
        return kExitUsage;
    }
    QString error;
    std::optional<BlueControls> controls = loadBlueControlsFile(args[1], &error);
    if (!controls) {
        err() << error << Qt::endl;
        return kExitRefused;
    }
    const BlueSelectionResult result = runBlueSelection(*controls);
    if (!result.ok) {
        err() << result.message << Qt::endl;
        return kExitRefused;
    }
    QStringList slots;
    for (int i = 1; i <= blue::kNumbers; ++i)
        slots.append(result.slots[i].trimmed());
    out() << slots.join(u'\t') << u'\n' << result.summary << u'\n';
    out().flush();
    return kExitOk;
}

namespace {

// The four rows as they now stand in lqtx.
bool printRows(QSqlDatabase db) {
    RecordSet set(db);
    QString error;
    if (!set.open(u"select* from lqtx order by 序号 "_s, &error)) {
        err() << error << Qt::endl;
        return false;
    }
    for (int r = 0; r < 4 && !set.eof(); ++r, set.moveNext()) {
        QStringList fields;
        for (int f = 1; f <= 1 + blue::kNumbers; ++f)
            fields.append(set.value(f));
        out() << fields.join(u'\t') << u'\n';
    }
    out().flush();
    return true;
}

} // namespace

int runAnalyseBlue(const CliContext& context, const QStringList& args) {
    std::optional<QString> answer;
    if (args.size() == 2 && args[0] == u"--window"_s) {
        answer = args[1];
    } else if (!args.isEmpty()) {
        err() << u"用法: ssq-cli [--db 数据库文件] analyse blue [--window 期数]"_s << Qt::endl;
        return kExitUsage;
    }
    int status = kExitFailure;
    const std::unique_ptr<Database> db = openExistingDatabase(context, &status);
    if (!db)
        return status;
    QString error;
    const std::optional<std::vector<BlueMarks>> draws = readBlueMarks(db->connection(), &error);
    if (!draws) {
        err() << error << Qt::endl;
        return kExitFailure;
    }
    const BlueWindowChoice choice = blueWindowChoice(answer, static_cast<int>(draws->size()));
    if (choice.defaulted)
        err() << blueDefaultWindowMessage() << Qt::endl;
    if (!choice.refusal.isEmpty()) {
        err() << choice.refusal << Qt::endl;
        return kExitRefused;
    }
    if (!writeBlueCounts(db->connection(), blueCounts(*draws, choice.window), choice.window,
                         &error)) {
        err() << error << Qt::endl;
        return kExitFailure;
    }
    return printRows(db->connection()) ? kExitOk : kExitFailure;
}

} // namespace ssq::cli
