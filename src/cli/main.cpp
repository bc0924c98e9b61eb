// ssq-cli: the program's database and logic for scripts and tests, without a display.
//   ssq-cli [--db PATH] <command> [arguments...]

#include "cli/commands.h"
#include "store/database.h"
#include "store/output_target.h"
#include "ui/translations.h"

#include <QCoreApplication>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

using ssq::cli::CliContext;

struct Command {
    QString name;
    QString usage;
    int (*run)(const CliContext&, const QStringList&);
};

// One line per command; each lives in its own command_<name>.cpp.
const QList<Command>& commands() {
    static const QList<Command> all{
        {u"code"_s, u"code R1 R2 R3 R4 R5 R6     红球代码、代码文本与七位代码数字"_s,
         ssq::cli::runCode},
        {u"info"_s, u"info                       数据库位置、开奖记录数、最早与最新期号"_s,
         ssq::cli::runInfo},
        {u"drawn"_s, u"drawn R1 R2 R3 R4 R5 R6    往期开出查询：这六个红球是否开出过、在哪一期"_s,
         ssq::cli::runDrawn},
        {u"import"_s,
         u"import 文件 [--from 期号]   导入开奖数据文件（逐行：期号 6个红球 蓝球）\n"
         u"  import --shipped           导入软件自带的历史开奖数据中最新一个年代"_s,
         ssq::cli::runImport},
        {u"select"_s,
         u"select --panel 条件文件 [--list] [--hotcold-from-db] [--save] [--export 文件 [--blue 蓝球]] [--cover 保号数 [--seed 种子]]   按条件文件红球选号（--cover 5或4：缩水保号）"_s,
         ssq::cli::runSelect},
        {u"check"_s, u"check                      上期条件查错：保存的条件对照最新一期开奖"_s,
         ssq::cli::runCheck},
        {u"blue"_s, u"blue --controls 蓝球设置文件        按蓝球设置文件蓝球选号"_s,
         ssq::cli::runBlue},
        {u"analyse"_s,
         u"analyse 分析名 [参数...]    号码特性分析（hotcold、pairs…），不带分析名列出全部"_s,
         ssq::cli::runAnalyse},
        {u"game"_s,
         u"game --pick \"R1..R7 B\" (--draws 次数 | --until 红球数 蓝球数) [--seed 种子]   模拟开奖"_s,
         ssq::cli::runGame},
        {u"wheel"_s,
         u"wheel --pool \"红球 …\" --guarantee 中:保 [--bankers \"胆码 …\"] [--seed 种子]   旋转矩阵（号码池7到20个，逐一验证）"_s,
         ssq::cli::runWheel},
        {u"prize"_s, u"prize --tickets 号码文件 [--issue 期号]   中奖查询（默认最新一期）"_s,
         ssq::cli::runPrize},
        {u"backtest"_s,
         u"backtest --panel 条件文件 --last 期数 [--hotcold-from-history] [--by-condition]   条件历史回测"_s,
         ssq::cli::runBacktest},
        {u"trend"_s,
         u"trend --last 期数 [--grid]   号码走势图：每个号码的出现次数与遗漏，--grid 输出每期的遗漏"_s,
         ssq::cli::runTrend},
        {u"backup"_s,
         u"backup                     数据库备份（备份文件夹可用环境变量 SSQ_BACKUP_DIR 指定）"_s,
         ssq::cli::runBackup},
        {u"restore"_s,
         u"restore                    用备份数据库替换当前数据库（修复），替换前的数据库保存在备份文件夹；--list 列出备份（最新的在前），--backup 序号 选用其中一份"_s,
         ssq::cli::runRestore},
        {u"compact"_s, u"compact                    数据库压缩"_s, ssq::cli::runCompact},
        {u"paste"_s, u"paste 文件|- [--dry-run]      从复制的文字中找出开奖号码，保存新的各期"_s,
         ssq::cli::runPaste},
        {u"update"_s, u"update [--source 网址] [--dry-run]   联网更新开奖数据"_s,
         ssq::cli::runUpdate},
    };
    return all;
}

void printUsage(QTextStream& stream) {
    stream << u"用法: ssq-cli [--db 数据库文件] <命令> [参数...]"_s << Qt::endl
           << u"命令:"_s << Qt::endl;
    for (const Command& c : commands())
        stream << u"  "_s << c.usage << Qt::endl;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    ssq::reportFileSizeLimitAsError();
    ssq::installChineseTranslations(app);
    ssq::cli::setUpConsole();

    QStringList args = QCoreApplication::arguments().mid(1);
    CliContext context;
    while (!args.isEmpty() && args.front().startsWith(u"--"_s)) {
        const QString option = args.takeFirst();
        if (option == u"--db"_s && !args.isEmpty()) {
            context.dbPath = args.takeFirst();
        } else if (option == u"--help"_s) {
            printUsage(ssq::cli::out());
            return ssq::cli::kExitOk;
        } else {
            ssq::cli::err() << u"无法识别的选项: "_s << option << Qt::endl;
            printUsage(ssq::cli::err());
            return ssq::cli::kExitUsage;
        }
    }
    if (context.dbPath.isEmpty())
        context.dbPath = ssq::Database::defaultPath();

    if (args.isEmpty()) {
        printUsage(ssq::cli::err());
        return ssq::cli::kExitUsage;
    }
    const QString name = args.takeFirst();
    for (const Command& c : commands()) {
        if (c.name == name) {
            const int status = c.run(context, args);
            ssq::cli::out().flush();
            ssq::cli::err().flush();
            return status;
        }
    }
    ssq::cli::err() << u"未知命令: "_s << name << Qt::endl;
    printUsage(ssq::cli::err());
    return ssq::cli::kExitUsage;
}
