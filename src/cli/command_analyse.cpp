#include "cli/commands.h"

#include "analysis/hot_cold_characteristics.h"
#include "analysis/pair_tables.h"
#include "store/database.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

namespace {

struct Subcommand {
    QString name;
    QString usage;
    int (*run)(const CliContext&, const QStringList&);
};

// hotcold [--window N]: hmtx rows 1..5 as "红球冷热特性分析" writes them with N in its window
// box, then the cold, warm and hot lists, one a line.
int runHotCold(const CliContext& context, const QStringList& args) {
    QString windowText;
    if (args.size() == 2 && args[0] == u"--window"_s) {
        windowText = args[1];
    } else if (!args.isEmpty()) {
        err() << u"用法: ssq-cli [--db 数据库文件] analyse hotcold --window 期数"_s << Qt::endl;
        return kExitUsage;
    }
    int status = kExitFailure;
    const std::unique_ptr<Database> db = openExistingDatabase(context, &status);
    if (!db)
        return status;
    const HotColdCharacteristics result =
        analyseHotColdCharacteristics(db->connection(), windowText);
    if (!result.defaultWindowNotice.isEmpty())
        err() << result.defaultWindowNotice << Qt::endl;
    if (!result.ok) {
        err() << result.message << Qt::endl;
        return result.refused ? kExitRefused : kExitFailure;
    }
    out() << result.ranking.cold << Qt::endl
          << result.ranking.warm << Qt::endl
          << result.ranking.hot << Qt::endl;
    return kExitOk;
}

// pairs: rhmtx and rlhtx columns 2..5 as "任意两个红球同时出号统计" and "连号出球统计" write them.
int runPairs(const CliContext& context, const QStringList& args) {
    if (!args.isEmpty()) {
        err() << u"用法: ssq-cli [--db 数据库文件] analyse pairs"_s << Qt::endl;
        return kExitUsage;
    }
    int status = kExitFailure;
    const std::unique_ptr<Database> db = openExistingDatabase(context, &status);
    if (!db)
        return status;
    const PairTableResult result = writePairTables(db->connection());
    if (!result.ok) {
        err() << result.message << Qt::endl;
        return result.refused ? kExitRefused : kExitFailure;
    }
    return kExitOk;
}

// One line per subcommand.
const QList<Subcommand>& subcommands() {
    static const QList<Subcommand> all{
        {u"hotcold"_s,
         u"analyse hotcold --window 期数   红球冷热特性分析：写入hmtx，输出冷号、温号、热号"_s,
         runHotCold},
        {u"pairs"_s,
         u"analyse pairs                  任意两个红球与连号出球统计：写入rhmtx、rlhtx"_s,
         runPairs},
        {u"blue"_s, u"analyse blue --window 期数     蓝球号码分析：写入lqtx并输出这四行"_s,
         runAnalyseBlue},
    };
    return all;
}

} // namespace

int runAnalyse(const CliContext& context, const QStringList& args) {
    const QString name = args.value(0);
    for (const Subcommand& s : subcommands()) {
        if (s.name == name)
            return s.run(context, args.mid(1));
    }
    err() << (name.isEmpty() ? u"analyse 命令需要子命令"_s : u"未知的分析: "_s + name) << Qt::endl
          << u"用法:"_s << Qt::endl;
    for (const Subcommand& s : subcommands())
        err() << u"  ssq-cli [--db 数据库文件] "_s << s.usage << Qt::endl;
    return kExitUsage;
}

} // namespace ssq::cli
