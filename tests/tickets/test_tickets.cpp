// From kept combinations to tickets: the export, the random pick, ticket lines with their 复式
// and 胆拖 expansion and refusals, and the prize check.

#include "model/red_code.h"
#include "red/saved_results.h"
#include "store/database_decade.h"
#include "store/issue_number.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/stored_draws.h"
#include "support/temp_database.h"
#include "tickets/blue_list.h"
#include "tickets/prize_check.h"
#include "tickets/random_pick.h"
#include "tickets/ticket_export.h"
#include "tickets/ticket_line.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <set>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

SelectionResult keptCodes(int count, int step = 1) {
    SelectionResult r;
    for (int i = 0; i < count; ++i)
        r.codes.push_back(1 + i * step);
    return r;
}

// The draw 1 4 16 22 26 31 + 4 unless told.
StoredDraw draw(const RedCombo& red = {1, 4, 16, 22, 26, 31}, int blue = 4) {
    return test::storedDraw(6096, red, blue);
}

QList<int> upTo(int last) {
    QList<int> numbers;
    for (int n = 1; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

std::vector<TicketLine> lines(const QString& text) {
    QString error;
    auto parsed = parseTicketText(text, &error);
    return parsed ? *parsed : std::vector<TicketLine>{};
}

} // namespace

class TestTickets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each line names the kept combination of its place, in code order, two digits a number.
    void exportOf37000IsTheKeptList() {
        const SelectionResult kept = keptCodes(37000, 29);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"选号.txt"_s);
        QString error;
        QList<qint64> told;
        QVERIFY2(writeTicketExport(
                     path, kept, {}, ExportFormat::Text,
                     [&](qint64 done, qint64 total) {
                         told.append(done);
                         return total == 37000;
                     },
                     &error),
                 qPrintable(error));
        const QStringList written = test::fileLines(path);
        QCOMPARE(written.size(), 37000);
        static const QRegularExpression form(u"^\\d\\d( \\d\\d){5}$"_s);
        for (int i = 0; i < written.size(); ++i) {
            RedCombo red{};
            const QStringList numbers = written[i].split(u' ');
            for (int k = 0; k < 6; ++k)
                red[k] = numbers.value(k).toInt();
            QVERIFY2(form.match(written[i]).hasMatch() && redCode(red) == kept.codes[i],
                     qPrintable(u"line %1: "_s.arg(i + 1) + written[i]));
        }
        QCOMPARE(told.last(), 37000);
        QCOMPARE(exportSummary(exportTicketCount(kept, {})), u"共37000注，金额74000元"_s);
    }

    void bluesMultiplyAndCsv() {
        const SelectionResult kept = keptCodes(2);
        QTemporaryDir dir;
        QString error;
        const BlueList blues{8, 12};
        QVERIFY(writeTicketExport(dir.filePath(u"a.csv"_s), kept, blues, exportFormatOf(u"a.CSV"_s),
                                  {}, &error));
        QCOMPARE(test::fileLines(dir.filePath(u"a.csv"_s)),
                 (QStringList{u"r1,r2,r3,r4,r5,r6,blue"_s, u"01,02,03,04,05,06,08"_s,
                              u"01,02,03,04,05,06,12"_s, u"01,02,03,04,05,07,08"_s,
                              u"01,02,03,04,05,07,12"_s}));
        QCOMPARE(exportTicketCount(kept, blues), 4);
        // Tickets that carry their own blue are written as they are.
        SelectionResult picked = kept;
        picked.blues = {3, 16};
        QCOMPARE(exportLines(picked, blues),
                 (QStringList{u"01 02 03 04 05 06 + 03"_s, u"01 02 03 04 05 07 + 16"_s}));
        // The clipboard takes 5000 lines at most.
        QCOMPARE(exportLines(keptCodes(2501), blues).size(), 0);
        QCOMPARE(exportLines(keptCodes(2500), blues).size(), 5000);
    }

    // A write given up part way, one that cannot happen, or one of no tickets leaves the file as
    // it was.
    void failedWriteLeavesNoPartialFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"old.txt"_s);
        QVERIFY(test::writeBytes(path, "before\n"));
        QString error;
        QVERIFY(!writeTicketExport(
            path, keptCodes(300000, 3), {1, 2}, ExportFormat::Text,
            [](qint64 done, qint64) { return done < 100000; }, &error));
        QVERIFY2(error.contains(u"取消"_s), qPrintable(error));
        QCOMPARE(test::fileLines(path), QStringList{u"before"_s});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"old.txt"_s});
        QVERIFY(!writeTicketExport(path, keptCodes(0), {1}, ExportFormat::Text, {}, &error));
        QCOMPARE(error, u"没有可以导出的号码，文件“%1”没有改动。"_s.arg(path));
        QCOMPARE(test::fileLines(path), QStringList{u"before"_s});
        const QString nowhere = dir.filePath(u"没有/a.txt"_s);
        QVERIFY(!writeTicketExport(nowhere, keptCodes(3), {}, ExportFormat::Text, {}, &error));
        QVERIFY(error.contains(nowhere) && !QFile::exists(nowhere));
    }

    void blueLists() {
        QString error;
        QCOMPARE(blueListText(parseBlueList(u"8, 12、03 16"_s, &error).value()), u"08 12 03 16"_s);
        QVERIFY(parseBlueList(u"  "_s, &error).value().empty());
        QVERIFY(!parseBlueList(u"8 17"_s, &error) && error.contains(u"“17”"_s));
        QVERIFY(!parseBlueList(u"8 08"_s, &error) && error.contains(u"重复"_s));
        // The blue-ball window's boxes read by their leading number; empty boxes and repeats
        // skipped.
        QCOMPARE(blueListOfTexts({u"08"_s, {}, u"12号"_s, u"8"_s, u"17"_s, u"2.5"_s}),
                 (BlueList{8, 12}));
    }

    // Uniform over every subset: picking 2 of 5, each of the 10 pairs comes about as often
    // (chi-square with 9 degrees of freedom, far below the 0.1% bound 27.9).
    void randomPickIsUniform() {
        const SelectionResult kept = keptCodes(5, 1000);
        std::mt19937_64 random(20261206);
        std::map<std::pair<int, int>, int> seen;
        constexpr int kRounds = 20000;
        QString error;
        for (int round = 0; round < kRounds; ++round) {
            const std::optional<SelectionResult> picked = pickTickets(kept, 2, {}, random, &error);
            QVERIFY(picked && picked->count() == 2 && picked->codes[0] < picked->codes[1]);
            ++seen[{picked->codes[0], picked->codes[1]}];
        }
        QCOMPARE(seen.size(), std::size_t(10));
        double chiSquare = 0;
        for (const auto& [pair, n] : seen)
            chiSquare += (n - kRounds / 10.0) * (n - kRounds / 10.0) / (kRounds / 10.0);
        QVERIFY2(chiSquare < 27.9, qPrintable(QString::number(chiSquare)));
    }

    void randomPickKeepsNoRepeatsAndDealsBlues() {
        std::mt19937_64 random(7);
        QString error;
        const SelectionResult kept = keptCodes(1000, 7);
        const std::optional<SelectionResult> picked =
            pickTickets(kept, 999, {8, 12, 3}, random, &error);
        QVERIFY(picked);
        const std::set<int> distinct(picked->codes.begin(), picked->codes.end());
        QCOMPARE(distinct.size(), std::size_t(999));
        QVERIFY(
            std::includes(kept.codes.begin(), kept.codes.end(), distinct.begin(), distinct.end()));
        // Each blue gets an equal share.
        for (int blue : {8, 12, 3})
            QCOMPARE(std::count(picked->blues.begin(), picked->blues.end(), blue), 333);
        // Refused: more than kept, none, a fraction, nothing kept.
        for (double n : {1001.0, 0.0, 2.5})
            QVERIFY(!pickTickets(kept, n, {}, random, &error) && error.contains(u"1到1000"_s));
        QVERIFY(!pickTickets({}, 1, {}, random, &error) && error.contains(u"红球选号"_s));
    }

    // Single, 复式 and 胆拖 lines: what they are read as, and the single tickets they stand for,
    // each one distinct and holding the bankers.
    void ticketLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QList<int>>("bankers");
        QTest::addColumn<QList<int>>("reds"); // the drags of a 胆拖 line
        QTest::addColumn<QList<int>>("blues");
        QTest::addColumn<qint64>("singles");
        const auto row = [](const char* name, const QString& line, const QList<int>& bankers,
                            const QList<int>& reds, const QList<int>& blues, qint64 singles) {
            QTest::newRow(name) << line << bankers << reds << blues << singles;
        };
        row("single", u"01 04 16 22 26 31 + 04"_s, {}, {1, 4, 16, 22, 26, 31}, {4}, 1);
        row("no blue, commas", u"1,4,16,22,26,31"_s, {}, {1, 4, 16, 22, 26, 31}, {}, 1);
        row("8+2", u"1 2 3 4 5 6 7 8 + 1 2"_s, {}, upTo(8), {1, 2}, 56);
        row("20 reds", u"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 + 1"_s, {}, upTo(20),
            {1}, 38760);
        row("#", u"01 05 # 12 20 27 30 33 + 08"_s, {1, 5}, {12, 20, 27, 30, 33}, {8}, 5);
        row("ascii colons, two blues", u"胆:5 1 拖:33,12,20,27,30 蓝:8 12"_s, {1, 5},
            {12, 20, 27, 30, 33}, {8, 12}, 5 * 2);
        row("five bankers", u"1 2 3 4 5 # 6 7"_s, upTo(5), {6, 7}, {}, 2);
    }
    void ticketLines() {
        QFETCH(QString, line);
        QFETCH(QList<int>, bankers);
        QFETCH(QList<int>, reds);
        QFETCH(QList<int>, blues);
        QFETCH(qint64, singles);
        QString reason;
        const std::optional<TicketLine> parsed = parseTicketLine(line, &reason);
        QVERIFY2(parsed, qPrintable(reason));
        QCOMPARE(QList<int>(parsed->bankers.begin(), parsed->bankers.end()), bankers);
        QCOMPARE(QList<int>(parsed->reds.begin(), parsed->reds.end()), reds);
        QCOMPARE(QList<int>(parsed->blues.begin(), parsed->blues.end()), blues);
        QCOMPARE(singleTicketCount(*parsed), singles);
        std::set<std::pair<RedCombo, int>> expanded;
        forEachSingleTicket(*parsed, {}, [&](const RedCombo& red, int blue) {
            QVERIFY(isValidCombo(red));
            for (int b : bankers)
                QVERIFY(std::find(red.begin(), red.end(), b) != red.end());
            for (int r : red)
                QVERIFY(bankers.contains(r) || reds.contains(r));
            QVERIFY(blues.isEmpty() ? blue == 0 : blues.contains(blue));
            expanded.insert({red, blue});
        });
        QCOMPARE(qint64(expanded.size()), singles);
    }

    void refusedLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reason");
        QTest::newRow("5 reds") << u"1 2 3 4 5 + 1"_s << u"红球有5个，应为6到20个"_s;
        QTest::newRow("red 34") << u"1 2 3 4 5 34 + 1"_s
                                << u"红球号码“34”有误，应为1到33之间的整数"_s;
        QTest::newRow("blue 17") << u"1 2 3 4 5 6 + 17"_s
                                 << u"蓝球号码“17”有误，应为1到16之间的整数"_s;
        QTest::newRow("repeat") << u"1 2 3 4 5 5 + 1"_s << u"红球号码“5”重复了"_s;
        QTest::newRow("six bankers") << u"1 2 3 4 5 6 # 7 8"_s << u"胆码有6个，应为1到5个"_s;
        QTest::newRow("six in all")
            << u"01 05 # 12 20 27 33 + 08"_s << u"胆码和拖码共有6个，至少应有7个"_s;
        QTest::newRow("banker is drag") << u"1 2 # 2 3 4 5 6 7"_s << u"号码02既是胆码又是拖码"_s;
        QTest::newRow("胆 without 拖")
            << u"胆：1 2 3 4 5 6 7"_s
            << u"胆拖号码应写作“胆码 # 拖码 + 蓝球”或“胆：… 拖：… 蓝：…”"_s;
        QTest::newRow("bad drag") << u"1 # 2 3 4 5 6 34"_s
                                  << u"拖码号码“34”有误，应为1到33之间的整数"_s;
        QTest::newRow("empty blue") << u"胆：1 拖：2 3 4 5 6 7 蓝："_s << u"“+”后面没有蓝球号码"_s;
    }
    void refusedLines() {
        QFETCH(QString, line);
        QFETCH(QString, reason);
        QString got;
        QVERIFY(!parseTicketLine(line, &got));
        QCOMPARE(got, reason);
    }

    void ticketFileNamesTheBadLine() {
        QString error;
        QVERIFY(!parseTicketText(u"# 周二\n1 2 3 4 5 6 + 1\n\n1 2 3 4 5\n"_s, &error));
        QVERIFY2(error.startsWith(u"第4行有误"_s), qPrintable(error));
        QCOMPARE(lines(u"# 周二\n1 2 3 4 5 6 + 1\n\n1 2 3 4 5 7\r\n"_s).size(), std::size_t(2));
    }

    // Every level from hand-made tickets against 1 4 16 22 26 31 + 4.
    void prizeLevels_data() {
        QTest::addColumn<QString>("ticket");
        QTest::addColumn<int>("level");
        QTest::newRow("6+1") << u"1 4 16 22 26 31 + 4"_s << 1;
        QTest::newRow("6") << u"1 4 16 22 26 31 + 5"_s << 2;
        QTest::newRow("5+1") << u"1 4 16 22 26 30 + 4"_s << 3;
        QTest::newRow("4+1") << u"1 4 16 22 27 30 + 4"_s << 4;
        QTest::newRow("3+1") << u"1 4 16 23 27 30 + 4"_s << 5;
        QTest::newRow("3") << u"1 4 16 23 27 30 + 5"_s << 0;
        QTest::newRow("0+1") << u"2 3 5 7 8 9 + 4"_s << 6;
        QTest::newRow("2") << u"1 4 17 23 27 30 + 5"_s << 0;
    }
    void prizeLevels() {
        QFETCH(QString, ticket);
        QFETCH(int, level);
        const PrizeReport report = checkTickets(lines(ticket), {}, draw());
        QCOMPARE(report.tickets, 1);
        QCOMPARE(report.counts[level], 1);
        QCOMPARE(report.fixedTotal, qint64(fixedPrize(level)));
        QCOMPARE(report.winners.size(), level == 0 ? 0 : 1);
    }

    // 复式 lines count as all their singles: 7 reds holding three drawn ones (+ the blue) give
    // four 五等奖 and three 六等奖; 8 + 2 with one drawn red gives 28 六等奖 of 56 tickets.
    void compoundTicketsAndTotals() {
        const QString text = u"1 4 16 2 3 5 8 + 4\n1 2 3 5 7 8 9 10 + 4 5\n1 4 16 22 26 31 + 4\n"_s;
        const PrizeReport report = checkTickets(lines(text), {}, draw());
        QCOMPARE(report.tickets, 7 + 56 + 1);
        QCOMPARE(report.cost(), 128);
        const std::array<qint64, 7> counts{56 + 7 - 4 - 3 - 28, 1, 0, 0, 0, 4, 3 + 28};
        QCOMPARE(report.counts, counts);
        QCOMPARE(report.fixedTotal, 4 * 10 + 31 * 5);
        QCOMPARE(report.winners.size(), 4 + 3 + 28 + 1);
        QCOMPARE(report.winners.first().ticket, u"01 02 03 04 05 08 + 04"_s);
        QCOMPARE(report.winners.last().lineNumber, 3);

        // Told after each line, of the 64 in all; told to stop, it says the counts are partial.
        QList<qint64> told;
        const auto tell = [&](qint64 done, qint64 total) {
            told.append(done * 1000 + total);
            return done < 7;
        };
        const PrizeReport stopped = checkTickets(lines(text), {}, draw(), tell);
        QCOMPARE(told, (QList<qint64>{64, 7064}));
        QVERIFY(stopped.cancelled && stopped.tickets == 7);
    }

    // The saved results are checked with a blue list; a line's own blue wins over the list.
    void savedResultsWithBlues() {
        test::TempDatabase temp;
        QString error;
        QVERIFY(!savedResultLines(temp.connection(), &error) && error.contains(u"保存所选号码"_s));
        const QStringList texts{u"1 4 16 22 26 31"_s, u"1 4 16 22 27 30"_s, u"2 3 5 7 8 9 + 1"_s};
        QVERIFY(saveResults(temp.connection(), 3, [&](int i) { return texts[i]; }).ok);
        const std::optional<std::vector<TicketLine>> saved =
            savedResultLines(temp.connection(), &error);
        QVERIFY2(saved, qPrintable(error));
        const PrizeReport report = checkTickets(*saved, {4, 9}, draw());
        QCOMPARE(report.tickets, 2 + 2 + 1);
        QCOMPARE(report.counts[1] + report.counts[2] + report.counts[4] + report.counts[5], 4);
        QCOMPARE(report.fixedTotal, 200 + 10);
    }

    void drawOfAnIssue() {
        test::TempDatabase temp;
        QString error;
        QVERIFY(!prizeDraw(temp.connection(), {}, &error) && error.contains(u"还没有开奖数据"_s));
        QVERIFY(test::addDraws(temp.connection(), {{7001, {2, 4, 13, 20, 27, 33}, 9},
                                                   {7002, {1, 5, 12, 20, 27, 33}, 8}}));
        QCOMPARE(prizeDraw(temp.connection(), {}, &error)->issue, 7002);
        // Seven digits count only in the database's decade, inferred from its newest issue.
        const int decade = databaseDecade(temp.connection());
        QCOMPARE(
            prizeDraw(temp.connection(), QString::number(fullIssueOf(7001, decade)), &error)->blue,
            9);
        QVERIFY(
            !prizeDraw(temp.connection(), QString::number(fullIssueOf(7001, decade - 10)), &error));
        QVERIFY2(error.contains(u"本数据库保存%1年的开奖数据"_s.arg(decadeRangeText(decade))),
                 qPrintable(error));
        QVERIFY(!prizeDraw(temp.connection(), u"7003"_s, &error) && error.contains(u"7003"_s));
        QVERIFY(!prizeDraw(temp.connection(), u"70x"_s, &error) && error.contains(u"无法识别"_s));

        // An incomplete draw is listed and refused when chosen, the newest included.
        QSqlQuery q(temp.connection());
        QVERIFY(q.exec(u"INSERT INTO kjhm (期号, H1) VALUES (7003, 1)"_s));
        const std::optional<std::vector<StoredDraw>> draws = prizeDraws(temp.connection(), &error);
        QVERIFY(draws && draws->size() == 3 && draws->front().issue == 7003);
        QVERIFY(!choosePrizeDraw(*draws, std::nullopt, &error) && error.contains(u"7003期"_s));
        QCOMPARE(choosePrizeDraw(*draws, 7001, &error)->blue, 9);
        QVERIFY(q.exec(u"DROP TABLE kjhm"_s));
        QVERIFY(!prizeDraw(temp.connection(), {}, &error) &&
                error.startsWith(u"读取开奖数据失败"_s));
    }
};

QTEST_MAIN(TestTickets)
#include "test_tickets.moc"
