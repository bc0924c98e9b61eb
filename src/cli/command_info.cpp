#include "cli/command_info.h"

#include "cli/command_select.h"
#include "cli/console.h"
#include "store/database.h"
#include "store/draw_history.h"
#include "store/past_draw_query.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace ssq::cli {

int runInfo(const CliContext& context, const QStringList& args) {
    if (!args.isEmpty()) {
        err() << u"info 命令不带参数"_s << Qt::endl;
        return kExitUsage;
    }
    const std::unique_ptr<Database> db = openDatabase(context);
    if (!db)
        return kExitFailure;
    QString error;
    const std::vector<StoredDraw> draws = loadDraws(db->connection(), &error);
    if (!error.isEmpty()) {
        err() << error << Qt::endl;
        return kExitFailure;
    }
    const auto incomplete = std::count_if(draws.begin(), draws.end(),
                                          [](const StoredDraw& d) { return !d.complete; });

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
    const std::unique_ptr<Database> db = openDatabase(context);
    if (!db)
        return kExitFailure;
    const PastDrawAnswer answer = askPastDraw(db->connection(), *red);
    if (answer.sentence.isEmpty()) {
        err() << answer.error << Qt::endl;
        return kExitFailure;
    }
    out() << answer.sentence << Qt::endl;
    return kExitOk;
}

} // namespace ssq::cli
