// ssq-cli as a script runs it, one row a run: what is on the database and in the files before,
// the arguments, and the exact status, standard output and standard error. The output formats
// are a contract with scripts, so every expected text is written out in full.

#include "blue/blue_controls_file.h"
#include "red/condition_file.h"
#include "red/condition_set.h"
#include "red/saved_results.h"
#include "store/history_import.h"
#include "support/cli_run.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/panel_text.h"
#include "support/temp_database.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTest>

#include <functional>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

using Prepare = std::function<bool(test::TempDatabase&)>;
// Checks what the run left behind; empty when it passes, else what is wrong.
using After = std::function<QString(test::TempDatabase&)>;

struct Run {
    Prepare prepare;
    QStringList args; // "{dir}" stands for the test's folder, "{db}" for its database
    int status = 0;
    QString out;
    QString err;
    After after;
};

bool nothing(test::TempDatabase&) {
    return true;
}

Prepare draws(QList<DrawInput> list) {
    return [list](test::TempDatabase& t) { return test::addDraws(t.connection(), list); };
}

Prepare realDraws(const QString& from, int count) {
    return [=](test::TempDatabase& t) { return test::addRealDraws(t.connection(), from, count); };
}

// Draws through the importer, so kjzb holds every indicator the analyses read.
Prepare importedDraws(const QString& from, int count) {
    return [=](test::TempDatabase& t) {
        QStringList lines;
        for (const QString& line : test::realHistoryLines()) {
            if (!lines.isEmpty() || line.startsWith(from + u','))
                lines.append(line);
            if (lines.size() == count)
                break;
        }
        const QString path = t.folder() + u"/slice.csv"_s;
        if (lines.size() != count || !test::writeBytes(path, lines.join(u'\n').toUtf8()))
            return false;
        return importHistoryFile(t.connection(), path, {}).ok;
    };
}

Prepare file(const QString& name, const QByteArray& bytes, Prepare before = nothing) {
    return [=](test::TempDatabase& t) {
        return before(t) && test::writeBytes(t.folder() + u'/' + name, bytes);
    };
}

Prepare panelFile(const QString& panel, const HotColdValues& hv = {}, Prepare before = nothing) {
    return [=](test::TempDatabase& t) {
        return before(t) &&
               saveConditionFile(t.folder() + u"/条件.json"_s, test::panelOf(panel), hv, nullptr);
    };
}

QString rows(const QString& table, QSqlDatabase db, int columns) {
    QStringList out;
    QSqlQuery q(u"SELECT * FROM %1"_s.arg(table), db);
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < columns; ++i)
            cells.append(q.value(i).toString());
        out.append(cells.join(u'\t'));
    }
    return out.join(u'\n');
}

const QString kPick = u"3 8 12 19 23 27 31 9"_s;
const QString kTooFew = u"您的数据库中的记录不足22条，不适合使用本功能，请等到记录达到22条后使用"_s;
const QByteArray kTickets("01 04 16 22 26 31 + 04\n1 4 16 22 26 31\n01 04 16 22 26 30 + 4\n"
                          "# 复式\n1 4 16 2 3 5 8 + 4\n1 2 3 5 7 8 9 10 + 4 5\n");
const QList<DrawInput> kPrizeDraws{{6095, {2, 3, 5, 7, 8, 9}, 5},
                                   {6096, {1, 4, 16, 22, 26, 31}, 4}};

HotColdValues everyThirdCold() {
    HotColdValues hv{};
    for (int n = 1; n <= kRedMax; ++n)
        hv[n] = n % 3 == 0 ? -20 : 0;
    return hv;
}

// Sum 80..130, at most one repeated and one cold number, one failure allowed.
const QString kBacktestPanel = u"c0 c4 c10 z3 c38 t50=130 t51=80 t62=1 t150=1 t168=1"_s;

} // namespace

Q_DECLARE_METATYPE(Run)

class TestCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void run_data() {
        QTest::addColumn<Run>("run");
        // The arguments are split at '|'.
        const auto row = [](const char* name, Prepare prepare, const QString& args, int status,
                            const QString& out, const QString& err = {}, After after = {}) {
            QTest::newRow(name) << Run{prepare, args.split(u'|'), status, out, err, after};
        };
        const QString digits = u"百万 十万 万位 千位 百位 十位 个位: "_s;

        row("code last", nothing, u"code|28|29|30|31|32|33"_s, 0,
            u"代码: 1107568\n代码文本: 1107568\n"_s + digits + u"1 1 0 7 5 6 8\n"_s);
        row("code five", nothing, u"code|1|2|3|4|5"_s, 2, {},
            u"请输入六个红球号码，例如：ssq-cli code 1 5 12 20 27 33"_s);
        row("code 34", nothing, u"code|1|2|3|4|5|34"_s, 2, {},
            u"红球号码34超出范围，红球号码应在1到33之间"_s);
        row("unknown command", nothing, u"nonsense"_s, 2, {},
            u"未知命令: nonsense\n用法: ssq-cli [--db 数据库文件] <命令> [参数...]\n命令:\n  code R1 R2 R3 R4 R5 R6     红球代码、代码文本与七位代码数字\n  info                       数据库位置、开奖记录数、最早与最新期号\n  drawn R1 R2 R3 R4 R5 R6    往期开出查询：这六个红球是否开出过、在哪一期\n  import 文件 [--from 期号]   导入开奖数据文件（逐行：期号 6个红球 蓝球）\n  import --shipped           导入软件自带的历史开奖数据中最新一个年代\n  select --panel 条件文件 [--list] [--hotcold-from-db] [--save] [--export 文件 [--blue 蓝球]] [--cover 保号数 [--seed 种子]]   按条件文件红球选号（--cover 5或4：缩水保号）\n  check                      上期条件查错：保存的条件对照最新一期开奖\n  blue --controls 蓝球设置文件        按蓝球设置文件蓝球选号\n  analyse 分析名 [参数...]    号码特性分析（hotcold、pairs…），不带分析名列出全部\n  game --pick \"R1..R7 B\" (--draws 次数 | --until 红球数 蓝球数) [--seed 种子]   模拟开奖\n  wheel --pool \"红球 …\" --guarantee 中:保 [--bankers \"胆码 …\"] [--seed 种子]   旋转矩阵（号码池7到20个，逐一验证）\n  prize --tickets 号码文件 [--issue 期号]   中奖查询（默认最新一期）\n  backtest --panel 条件文件 --last 期数 [--hotcold-from-history] [--by-condition]   条件历史回测\n  trend --last 期数 [--grid]   号码走势图：每个号码的出现次数与遗漏，--grid 输出每期的遗漏\n  backup                     数据库备份（备份文件夹可用环境变量 SSQ_BACKUP_DIR 指定）\n  restore                    用备份数据库替换当前数据库（修复），替换前的数据库保存在备份文件夹；--list 列出备份（最新的在前），--backup 序号 选用其中一份\n  compact                    数据库压缩\n  paste 文件|- [--dry-run]      从复制的文字中找出开奖号码，保存新的各期\n  update [--source 网址] [--dry-run]   联网更新开奖数据"_s);

        row("info new", nothing, u"info"_s, 0, u"数据库: {db}\n开奖记录: 0\n"_s);
        row("info", draws({{7001, {1, 2, 3, 4, 5, 7}, 2}, {7002, {1, 2, 3, 4, 5, 6}, 1}}),
            u"info"_s, 0, u"数据库: {db}\n开奖记录: 2\n最早期号: 7001\n最新期号: 7002\n"_s);
        row("import shipped", nothing, u"import|--shipped"_s, 0,
            u"导入完毕：新增983期开奖数据（2020001期至2026096期）。\n"_s, {},
            [](test::TempDatabase& t) {
                const QList<QVariantList> kjhm = test::tableRows(t.connection(), u"kjhm"_s);
                return kjhm.size() == 983 && kjhm.front().value(0).toInt() == 1 &&
                               kjhm.back().value(0).toInt() == 6096
                           ? QString()
                           : u"kjhm holds %1 rows"_s.arg(kjhm.size());
            });
        const Prepare shipped = [](test::TempDatabase& t) {
            return test::runCli({u"--db"_s, t.path(), u"import"_s, u"--shipped"_s}).status == 0;
        };
        row("import shipped again", shipped, u"import|--shipped"_s, 0,
            u"文件中的983期开奖数据都已在数据库中，没有新增数据。\n"_s);

        const QString select = u"select|--panel|{dir}/条件.json"_s;
        // Sum 21 or 22 and 单: 1 2 3 4 5 6 (code 1) stays, 1 2 3 4 5 7 (code 2) is even and goes.
        row("select list", panelFile(u"t8=0000001 c0 c4 z2 c12 o1 t50=22 t51=21"_s),
            select + u"|--list"_s, 0,
            u"选号过程结束,符合条件的共有1注,请选择显示范围\n1 2 3 4 5 6\n"_s);
        row("select refused", panelFile(u"t8=0000001 c4 t50=22 t51=21"_s), select, 3, {},
            u"您选用了一区的选项,但没有点击指标一区选择框,请点击"_s);
        row("select save", panelFile(u"t8=0000001 c0 c4 t50=21 t51=21"_s), select + u"|--save"_s, 0,
            u"选号过程结束,符合条件的共有1注,请选择显示范围\n所选号码保存完毕\n"_s, {},
            [](test::TempDatabase& t) {
                const QStringList saved = loadSavedResults(t.connection()).texts;
                return saved == QStringList{u"1 2 3 4 5 6"_s} ? QString() : saved.join(u';');
            });
        row("select export", panelFile(u"t8=0000001 c0 c4 t50=22 t51=21"_s),
            select + u"|--export|{dir}/导出.txt|--blue|8,12"_s, 0,
            u"选号过程结束,符合条件的共有2注,请选择显示范围\n导出\t4\t8\t{dir}/导出.txt\n"_s, {},
            [](test::TempDatabase& t) {
                const QByteArray bytes = test::bytesOf(t.folder() + u"/导出.txt"_s);
                return bytes == "01 02 03 04 05 06 + 08\n01 02 03 04 05 06 + 12\n"
                                "01 02 03 04 05 07 + 08\n01 02 03 04 05 07 + 12\n"
                           ? QString()
                           : QString::fromUtf8(bytes);
            });

        const QString prize = u"prize|--tickets|{dir}/号码.txt"_s;
        row("prize newest", file(u"号码.txt"_s, kTickets, draws(kPrizeDraws)), prize, 0,
            u"一等奖\t1\n二等奖\t1\n三等奖\t1\n四等奖\t0\n五等奖\t4\n六等奖\t31\n"
            u"固定奖金\t3195\n投注\t66\t132\n"_s);
        // 8 + 2 holding all six: 12 三等奖, 12 + 15 四等奖, 15 + 3 五等奖 (3 from the 7 reds).
        row("prize issue", file(u"号码.txt"_s, kTickets, draws(kPrizeDraws)),
            prize + u"|--issue|2026095"_s, 0,
            u"一等奖\t1\n二等奖\t1\n三等奖\t12\n四等奖\t27\n五等奖\t18\n六等奖\t0\n"
            u"固定奖金\t41580\n投注\t66\t132\n"_s);
        row("prize bad line",
            file(u"号码.txt"_s, kTickets + "1 2 3 4 5 6 + 17\n", draws(kPrizeDraws)), prize, 3, {},
            u"第7行有误：蓝球号码“17”有误，应为1到16之间的整数。没有查询任何号码。"_s);

        row("check no draw", nothing, u"check"_s, 1, {},
            u"历史数据中还没有开奖记录，没有可以核查的上期开奖号码。请先通过菜单“数据操作”添加或导入开奖数据，再进行上期条件查错"_s);
        // 1: a banker number not drawn; 36: a killed number drawn; 32: 2 in zone one, inside 1..6.
        row(
            "check",
            [](test::TempDatabase& t) {
                PanelState set = test::panelOf(u"t16=2 t144=27 t136=6 t137=1"_s);
                return test::addDraws(t.connection(), {{7001, {1, 5, 12, 20, 27, 33}, 8},
                                                       {7002, {3, 8, 15, 21, 27, 30}, 9}}) &&
                       saveConditionSet(t.connection(), set).ok;
            },
            u"check"_s, 0,
            u"在上期条件设置中，您总共出现错误选项2条，这些错误选项均已打上了“√”标记，请核查\n1 36\n"_s);

        const QString backtest = u"backtest|--panel|{dir}/条件.json|--last|"_s;
        const Prepare thirty = realDraws(u"2020001"_s, 30);
        row("backtest", panelFile(kBacktestPanel, everyThirdCold(), thirty), backtest + u"5"_s, 0,
            u"0026\t淘汰\t733480\t10,38\n0027\t保留\t734414\t38\n0028\t保留\t730966\t38\n0029\t淘汰\t722003\t10,38\n0030\t淘汰\t720606\t4,10,38\nSUMMARY\t2\t5\t728293.8\n"_s);
        row("backtest history hot/cold", panelFile(kBacktestPanel, everyThirdCold(), thirty),
            backtest + u"5|--hotcold-from-history"_s, 0,
            u"0026\t淘汰\t851534\t10,38\n0027\t保留\t849586\t38\n0028\t保留\t888097\t38\n0029\t保留\t883879\t10\n0030\t淘汰\t849751\t4,10,38\nSUMMARY\t3\t5\t864569.4\n"_s);
        row("backtest last 0", panelFile({}, {}, thirty), backtest + u"0"_s, 3, {},
            u"回测期数必须是大于0的整数: 0"_s);
        row("backtest hot/cold empty", panelFile(u"z3 c40"_s, {}, thirty), backtest + u"3"_s, 3, {},
            u"您选用了冷热值选项，但没有点击（如要使用冷热值指标，请先点此处），请先点击此按钮"_s);

        const QString blue = u"blue|--controls|{dir}/蓝.json"_s;
        row("blue", file(u"蓝.json"_s, R"({"check": {"9": 1, "15": 1}})"), blue, 0,
            u"2\t5\t7\t10\t12\t15\t\t\t\t\t\t\t\t\t\t\n符合条件的号码共有6注!\n"_s);
        row("blue none", file(u"蓝.json"_s, R"({"check": {"2": 1, "13": 1, "14": 1}})"), blue, 0,
            QString(15, u'\t') + u"\n没有符合条件的号码,请重新设置条件!\n"_s);
        row("blue strict list", file(u"蓝.json"_s, R"({"check": {"11": 1}, "text": {"26": "11"}})"),
            blue, 3, {},
            u"“不允许容错的选项”第4个框中的“11”不是0到10之间的条件编号，请改正后再选号"_s);

        // lqtx as a new database holds it.
        const After lqtxUntouched = [](test::TempDatabase& t) {
            const test::TempDatabase fresh;
            const QString now = rows(u"lqtx"_s, t.connection(), 18);
            return now == rows(u"lqtx"_s, fresh.connection(), 18) ? QString() : now;
        };
        const Prepare forty = realDraws(u"2023001"_s, 40);
        // Up to 50 is taken on 40 draws, as the default is; more is refused.
        row("analyse blue 51", forty, u"analyse|blue|--window|51"_s, 3, {},
            u"数据库中只有40期开奖记录，无法查询最近51期，请输入不大于50的期数"_s, lqtxUntouched);
        row("analyse blue 40", forty, u"analyse|blue|--window|40"_s, 0,
            u"最近50期开出次数\t1\t1\t5\t2\t5\t6\t0\t5\t3\t0\t0\t3\t3\t2\t2\t2\n最近40期开出次数\t1\t1\t5\t2\t5\t6\t0\t5\t3\t0\t0\t3\t3\t2\t2\t2\n历史累计开出次数\t1\t1\t5\t2\t5\t6\t0\t5\t3\t0\t0\t3\t3\t2\t2\t2\n当前遗漏期数\t8\t39\t14\t19\t7\t5\t40\t0\t1\t40\t40\t3\t22\t12\t6\t35\n"_s);
        row("analyse blue default", forty, u"analyse|blue|--window|0"_s, 0,
            u"最近50期开出次数\t1\t1\t5\t2\t5\t6\t0\t5\t3\t0\t0\t3\t3\t2\t2\t2\n最近50期开出次数\t1\t1\t5\t2\t5\t6\t0\t5\t3\t0\t0\t3\t3\t2\t2\t2\n历史累计开出次数\t1\t1\t5\t2\t5\t6\t0\t5\t3\t0\t0\t3\t3\t2\t2\t2\n当前遗漏期数\t8\t39\t14\t19\t7\t5\t40\t0\t1\t40\t40\t3\t22\t12\t6\t35\n"_s,
            u"您没有输入要查询的期数,程序将默认为50"_s);
        row("analyse purple", nothing, u"analyse|purple"_s, 2, {},
            u"未知的分析: purple\n用法:\n  ssq-cli [--db 数据库文件] analyse hotcold --window 期数   红球冷热特性分析：写入hmtx，输出冷号、温号、热号\n  ssq-cli [--db 数据库文件] analyse pairs                  任意两个红球与连号出球统计：写入rhmtx、rlhtx\n  ssq-cli [--db 数据库文件] analyse blue --window 期数     蓝球号码分析：写入lqtx并输出这四行"_s);
        row("analyse hotcold default", importedDraws(u"2020001"_s, 150), u"analyse|hotcold"_s, 0,
            u"17   30   24   7   23   22   19   5   11\n20   31   21   28   10   1   12   33   32   2   13   27   25   29   18\n4   3   8   15   14   6   16   9   26\n"_s,
            u"您没有在左上角输入框中输入要查询的期数,如果不输入,程序将默认为22"_s);
        row("analyse pairs too few", realDraws(u"2020001"_s, 21), u"analyse|pairs"_s, 3, {},
            kTooFew);
        row("analyse hotcold window", realDraws(u"2020001"_s, 22), u"analyse|hotcold|--window|23"_s,
            3, {}, u"您输入的查询期数超出了数据库中的记录范围,您的数据最高记录为22条,请重新输入"_s);

        const QString game = u"game|--pick|"_s;
        row("game draws", nothing, game + kPick + u"|--draws|100000|--seed|5"_s, 0,
            u"0\t0\t19421\n0\t1\t1300\n1\t0\t39053\n1\t1\t2544\n2\t0\t26613\n2\t1\t1766\n3\t0\t7652\n3\t1\t564\n4\t0\t974\n4\t1\t56\n5\t0\t51\n5\t1\t6\n6\t0\t0\n6\t1\t0\n"_s);
        row("game until", nothing, game + kPick + u"|--until|4|0|--seed|11"_s, 0,
            u"18\n27 12 8 14 28 23 16\n"_s);
        row("game red 34", nothing, game + u"3 8 12 19 23 27 34 9|--draws|10"_s, 3, {},
            u"您没选号或者选择的号码超出了范围,请重新选择!!!机选手选均可"_s);
        row("game repeated", nothing, game + u"3 8 12 19 23 27 3 9|--until|6|1"_s, 3, {},
            u"7个红球号码中有重复的号码，请选择7个各不相同的红球号码!!!机选手选均可"_s);
        row("game target 0", nothing, game + kPick + u"|--until|0|1"_s, 3, {},
            u"红球数范围为1-6,请不要输入0或空格,蓝球数可以设为空格（默认为0），请重新选择!!!"_s);
        row("game no mode", nothing, game + kPick, 2, {},
            u"用法: ssq-cli game --pick \"R1 R2 R3 R4 R5 R6 R7 B\" (--draws 次数 | --until 红球数 蓝球数) [--seed 种子]"_s);
    }

    void run() {
        QFETCH(Run, run);
        test::TempDatabase t;
        QVERIFY2(t.isValid() && run.prepare(t), qPrintable(t.error()));
        QStringList args;
        for (const QString& a : run.args)
            args.append(QString(a).replace(u"{dir}"_s, t.folder()));
        const test::CliRun r = test::runCli(QStringList{u"--db"_s, t.path()} + args);
        const auto fill = [&](QString text) {
            return text.replace(u"{db}"_s, t.path()).replace(u"{dir}"_s, t.folder());
        };
        QCOMPARE(r.out, fill(run.out));
        QCOMPARE(r.err, fill(run.err));
        QCOMPARE(r.status, run.status);
        if (run.after) {
            const QString wrong = run.after(t);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        }
    }

    // Commands that only read refuse a database file that does not exist instead of creating an
    // empty one (a mistyped --db would otherwise look like a history without draws).
    void missingDatabaseIsNotCreated() {
        test::TempDatabase t;
        QVERIFY(test::writeBytes(t.folder() + u"/t.txt"_s, kTickets));
        QVERIFY(test::writeBytes(t.folder() + u"/p.json"_s, conditionFileBytes(PanelState{}, {})));
        const QString missing = t.folder() + u"/缺少.mdb"_s;
        for (const QString& command :
             {u"info"_s, u"check"_s, u"drawn 1 2 3 4 5 6"_s, u"trend --last 10"_s,
              u"analyse hotcold"_s, u"analyse pairs"_s, u"analyse blue"_s,
              u"prize --tickets {dir}/t.txt"_s, u"backtest --panel {dir}/p.json --last 5"_s,
              u"select --panel {dir}/p.json --hotcold-from-db"_s}) {
            const QStringList args = QString(command).replace(u"{dir}"_s, t.folder()).split(u' ');
            const test::CliRun r = test::runCli(QStringList{u"--db"_s, missing} + args);
            QCOMPARE(r.err, u"数据库文件“%1”不存在。"_s.arg(missing));
            QCOMPARE(r.status, 3);
            QVERIFY2(!QFileInfo::exists(missing), qPrintable(command));
        }
        // A command that writes still creates it.
        QCOMPARE(test::runCli({u"--db"_s, missing, u"import"_s, u"--shipped"_s}).status, 0);
    }

    // The command line refuses a blue controls file exactly as the parser the window loads
    // with does, in the same words.
    void blueFileAsTheWindowReadsIt() {
        test::TempDatabase t;
        for (const QByteArray& json :
             {QByteArray(R"({"option1": true, "option2": true})"),
              QByteArray(R"({"text": {"0": "1"}})"), QByteArray("{\"check\": ")}) {
            QString parserError;
            QVERIFY(!parseBlueControlsFile(json, &parserError));
            const QString path = t.folder() + u"/蓝.json"_s;
            QVERIFY(test::writeBytes(path, json));
            const test::CliRun r = test::runCli({u"blue"_s, u"--controls"_s, path});
            QCOMPARE(r.err, parserError);
            QCOMPARE(r.status, 3);
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
