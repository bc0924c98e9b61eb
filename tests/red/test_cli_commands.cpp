// ssq-cli as a script runs it: code and info, select compared with the engine in-process,
// refusals on standard error with a failing status, --save into hmbc, the check's ticks.

#include "red/condition_file.h"
#include "red/condition_set.h"
#include "red/last_draw_check.h"
#include "red/saved_results.h"
#include "red/selection_engine.h"
#include "support/cli_run.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/temp_database.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <tuple>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestCliCommands : public QObject {
    Q_OBJECT

    // Runs ssq-cli on the test's database unless told: its status, output lines, error output.
    std::tuple<int, QStringList, QString> cli(const QStringList& args, QString db = {}) {
        const test::CliRun r =
            test::runCli(QStringList{u"--db"_s, db.isEmpty() ? m_db.path() : db} + args);
        return {r.status, r.status < 0 ? QStringList() : r.out.split(u'\n'), r.err};
    }

    // Writes the panel to a condition file and runs select on it.
    std::tuple<int, QStringList, QString> select(const PanelState& panel, const QString& option) {
        const QString path = m_db.folder() + u"/条件.ssqpanel.json"_s;
        if (!saveConditionFile(path, panel, {}, nullptr))
            return {-1, {}, {}};
        return cli({u"select"_s, u"--panel"_s, path, option});
    }

    test::TempDatabase m_db;

private Q_SLOTS:
    void code() {
        const QString digits = u"百万 十万 万位 千位 百位 十位 个位: "_s;
        const QStringList first{u"代码: 1"_s, u"代码文本: 0000001"_s, digits + u"0 0 0 0 0 0 1"_s, {}};
        QCOMPARE(cli(u"code 1 2 3 4 5 6"_s.split(u' ')), std::make_tuple(0, first, QString()));
        QVERIFY(std::get<1>(cli(u"code 28 29 30 31 32 33"_s.split(u' ')))
                    .contains(digits + u"1 1 0 7 5 6 8"_s));
        for (const auto& [args, words] :
             {std::pair{u"code 1 2 3 4 5"_s, u"六个"_s}, {u"code 6 5 4 3 2 1"_s, u"从小到大"_s},
              {u"code 1 2 3 4 5 34"_s, u"1到33"_s}, {u"nonsense"_s, u"用法"_s}}) {
            const auto [status, out, err] = cli(args.split(u' '));
            QVERIFY2(status > 0 && out == QStringList{QString()} && err.contains(words),
                     qPrintable(args + err));
        }
    }

    // A missing file is refused, not made (info only reads); a file named in Chinese is read.
    void info() {
        const QString path = m_db.folder() + u"/数据.mdb"_s;
        const QString where = u"数据库: "_s + path;
        QCOMPARE(cli({u"info"_s}, path),
                 std::make_tuple(3, QStringList{QString()},
                                 u"数据库文件“%1”不存在。"_s.arg(path)));
        QVERIFY(!QFileInfo::exists(path));
        Database db(path);
        QVERIFY(db.open(nullptr));
        QCOMPARE(cli({u"info"_s}, path),
                 std::make_tuple(0, QStringList{where, u"开奖记录: 0"_s, QString()}, QString()));
        QVERIFY(test::addDraws(db.connection(),
                               {{7001, {1, 2, 3, 4, 5, 7}, 2}, {7002, {1, 2, 3, 4, 5, 6}, 1}}));
        QCOMPARE(cli({u"info"_s}, path),
                 std::make_tuple(0,
                                 QStringList{where, u"开奖记录: 2"_s, u"最早期号: 7001"_s,
                                             u"最新期号: 7002"_s, QString()},
                                 QString()));
    }

    // The newest decade of the history beside ssq-cli; a second import finds nothing new.
    void importShippedHistory() {
        const QString path = m_db.folder() + u"/自带.mdb"_s;
        const auto [status, out, err] = cli({u"import"_s, u"--shipped"_s}, path);
        QVERIFY2(status == 0, qPrintable(err));
        QCOMPARE(std::get<0>(cli({u"import"_s, u"--shipped"_s}, path)), 0);
        QVERIFY(std::get<0>(cli({u"import"_s, u"--shipped"_s, u"x.csv"_s}, path)) > 0);
        Database db(path);
        QVERIFY(db.open(nullptr));
        const QList<QVariantList> rows = test::tableRows(db.connection(), u"kjhm"_s);
        QCOMPARE(rows.size(), 983);
        QCOMPARE(rows.front().value(0).toInt(), 1);   // 2020001
        QCOMPARE(rows.back().value(0).toInt(), 6096); // 2026096
    }

    // The result line, then every kept combination in order; a refusal on standard error.
    void selectListsWhatTheEngineKeeps() {
        PanelState panel; // sum 100..120 and 单
        panel.text1[8] = u"0096810"_s;
        panel.check1[0] = panel.check1[4] = panel.check2 = panel.check1[12] = 1;
        panel.text1[50] = u"120"_s;
        panel.text1[51] = u"100"_s;
        panel.option1 = true;
        const SelectionResult expected = SelectionEngine(panel, {}).run();
        QStringList lines{expected.resultLine()};
        for (int i = 0; i < expected.count(); ++i)
            lines.append(expected.text(i));
        QVERIFY(expected.count() > 1000);
        QCOMPARE(select(panel, u"--list"_s), std::make_tuple(0, lines << QString(), QString()));
        panel.check2 = 0;
        QCOMPARE(select(panel, u"--list"_s),
                 std::make_tuple(3, QStringList{QString()},
                                 u"您选用了二区的选项,但没有点击指标二区选择框,请点击"_s));
    }

    // The sum exactly 21 keeps only 1 2 3 4 5 6.
    void selectSaves() {
        PanelState panel;
        panel.text1[8] = u"0000001"_s;
        panel.check1[0] = panel.check1[4] = 1;
        panel.text1[50] = panel.text1[51] = u"21"_s;
        const auto [status, out, err] = select(panel, u"--save"_s);
        QVERIFY2(status == 0 && out.contains(u"所选号码保存完毕"_s), qPrintable(err));
        QCOMPARE(loadSavedResults(m_db.connection()).texts, QStringList{u"1 2 3 4 5 6"_s});
    }

    // The kept combinations times the blues into the file, then the export's line.
    void selectExports() {
        PanelState panel;
        panel.text1[8] = u"0000001"_s;
        panel.check1[0] = panel.check1[4] = 1;
        panel.text1[50] = u"22"_s;
        panel.text1[51] = u"21"_s;
        const QString file = m_db.folder() + u"/导出.txt"_s;
        const QString path = m_db.folder() + u"/条件.ssqpanel.json"_s;
        QVERIFY(saveConditionFile(path, panel, {}, nullptr));
        const auto [status, out, err] =
            cli({u"select"_s, u"--panel"_s, path, u"--export"_s, file, u"--blue"_s, u"8,12"_s});
        QVERIFY2(status == 0, qPrintable(err));
        QCOMPARE(out.mid(1), (QStringList{u"导出\t4\t8\t"_s + file, QString()}));
        QCOMPARE(test::bytesOf(file), QByteArray("01 02 03 04 05 06 + 08\n01 02 03 04 05 06 + 12\n"
                                               "01 02 03 04 05 07 + 08\n01 02 03 04 05 07 + 12\n"));
        const auto [badStatus, badOut, badErr] =
            cli({u"select"_s, u"--panel"_s, path, u"--export"_s, file, u"--blue"_s, u"17"_s});
        QVERIFY2(badStatus == 3 && badErr.contains(u"“17”"_s), qPrintable(badErr));
    }

    // Six level lines, the fixed prizes and the tickets with their cost; a bad line is refused.
    void prizeChecksATicketFile() {
        const QString db = m_db.folder() + u"/中奖.mdb"_s;
        Database database(db);
        QVERIFY(database.open(nullptr));
        QVERIFY(test::addDraws(database.connection(), {{6095, {2, 3, 5, 7, 8, 9}, 5},
                                                       {6096, {1, 4, 16, 22, 26, 31}, 4}}));
        const QString tickets = m_db.folder() + u"/号码.txt"_s;
        const QByteArray lines("01 04 16 22 26 31 + 04\n1 4 16 22 26 31\n01 04 16 22 26 30 + 4\n"
                               "# 复式\n1 4 16 2 3 5 8 + 4\n1 2 3 5 7 8 9 10 + 4 5\n");
        QVERIFY(test::writeBytes(tickets, lines));
        const QStringList newest{u"一等奖\t1"_s, u"二等奖\t1"_s, u"三等奖\t1"_s, u"四等奖\t0"_s,
                                 u"五等奖\t4"_s, u"六等奖\t31"_s, u"固定奖金\t3195"_s,
                                 u"投注\t66\t132"_s, QString()};
        QCOMPARE(cli({u"prize"_s, u"--tickets"_s, tickets}, db),
                 std::make_tuple(0, newest, QString()));
        const auto [status, out, err] =
            cli({u"prize"_s, u"--tickets"_s, tickets, u"--issue"_s, u"2026095"_s}, db);
        // 8 + 2 holding all six: 12 三等奖, 12 + 15 四等奖, 15 + 3 五等奖 (3 from the 7 reds).
        QCOMPARE(status, 0);
        QCOMPARE(out.mid(0, 7), (QStringList{u"一等奖\t1"_s, u"二等奖\t1"_s, u"三等奖\t12"_s,
                                             u"四等奖\t27"_s, u"五等奖\t18"_s, u"六等奖\t0"_s,
                                             u"固定奖金\t41580"_s}));

        QVERIFY(test::writeBytes(tickets, lines + "1 2 3 4 5 6 + 17\n"));
        const auto [badStatus, badOut, badErr] = cli({u"prize"_s, u"--tickets"_s, tickets}, db);
        QVERIFY2(badStatus == 3 && badOut == QStringList{QString()} && badErr.startsWith(u"第7行"_s),
                 qPrintable(badErr));
    }

    void checkPrintsMessageAndTicks() {
        const auto [status, out, err] = cli({u"check"_s}); // no draw yet
        QVERIFY2(status == 1 && err.contains(u"还没有开奖记录"_s), qPrintable(err));
        QVERIFY(test::addDraws(m_db.connection(), {{7001, {1, 5, 12, 20, 27, 33}, 8},
                                                   {7002, {3, 8, 15, 21, 27, 30}, 9}}));
        PanelState set;
        set.text1[16] = u"2"_s;   // 1: a banker number that was not drawn
        set.text1[144] = u"27"_s; // 36: a killed number that was drawn
        set.text1[136] = u"6"_s;  // 32: zone one holds 2 of the six, inside 1..6
        set.text1[137] = u"1"_s;
        QVERIFY(saveConditionSet(m_db.connection(), set).ok);
        QCOMPARE(cli({u"check"_s}),
                 std::make_tuple(0, QStringList{lastDrawCheckMessage(2), u"1 36"_s, QString()},
                                 QString()));
    }
};

QTEST_GUILESS_MAIN(TestCliCommands)
#include "test_cli_commands.moc"
