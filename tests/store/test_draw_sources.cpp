// Seven-digit issues and the database's decade; draws found in pasted text and in a draw
// service's answer, checked and stored: the same rows as typing or importing the draw.

#include "store/database_decade.h"
#include "store/draw_answer.h"
#include "store/draw_batch.h"
#include "store/draw_entry.h"
#include "store/draw_prizes.h"
#include "store/history_import.h"
#include "store/issue_number.h"
#include "store/whole_history_query.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/temp_database.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ssq;
using namespace ssq::test;

namespace {

const QDate kToday(2026, 12, 7);

// One draw per source line, as the preview and the command line write it.
QStringList shown(const DrawBatch& batch) {
    QStringList lines;
    for (const BatchLine& line : batch.lines)
        lines.append(line.issueText + u' ' + batchNumbersText(line) + u' ' + statusText(line));
    return lines;
}

QString shippedPath() {
    return QStringLiteral(SSQ_DATA_DIR) + u"/ssq-history.csv"_s;
}

} // namespace

class TestDrawSources : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void typedIssues_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decade");
        QTest::addColumn<int>("stored"); // -1: not an issue
        QTest::addColumn<bool>("decadeRefusal");
        QTest::newRow("seven digits") << u"2026097"_s << 2020 << 6097 << false;
        QTest::newRow("four characters") << u"6097"_s << 2020 << 6097 << false;
        QTest::newRow("other decade") << u"2016097"_s << 2020 << -1 << true;
        QTest::newRow("the decade's own") << u"2016097"_s << 2010 << 6097 << false;
        QTest::newRow("five digits") << u"26097"_s << 2020 << -1 << false;
    }
    void typedIssues() {
        QFETCH(QString, text);
        QFETCH(int, decade);
        QFETCH(int, stored);
        QFETCH(bool, decadeRefusal);
        QString error;
        const std::optional<int> issue = typedIssue(text, decade, &error);
        QCOMPARE(issue.value_or(-1), stored);
        QCOMPARE(error.startsWith(u"期号%1不是本数据库的年代。本数据库保存%2—%3年的开奖数据"_s
                                      .arg(text.trimmed())
                                      .arg(decade)
                                      .arg(decade + 9)),
                 decadeRefusal);
    }

    // The newest draw cannot lie in the future; an empty database is of today's decade.
    void inferredDecade_data() {
        QTest::addColumn<int>("newest"); // -1: none stored
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("decade");
        QTest::newRow("this year") << 6096 << kToday << 2020;
        QTest::newRow("last decade's year") << 7154 << kToday << 2010;
        QTest::newRow("new decade, old database") << 9150 << QDate(2030, 1, 2) << 2020;
        QTest::newRow("new decade, first draw") << 1 << QDate(2030, 1, 3) << 2030;
        QTest::newRow("empty") << -1 << kToday << 2020;
    }
    void inferredDecade() {
        QFETCH(int, newest);
        QFETCH(QDate, today);
        QFETCH(int, decade);
        QCOMPARE(inferDecade(newest < 0 ? std::nullopt : std::optional<int>(newest), today),
                 decade);
    }

    void plausibility_data() {
        QTest::addColumn<int>("issue");
        QTest::addColumn<int>("newest"); // -1: none stored
        QTest::addColumn<QString>("question");
        QTest::newRow("next") << 6097 << 6096 << QString();
        QTest::newRow("typo") << 6907 << 6096 << u"第6907期比最新的第6096期大了811期，确定吗？"_s;
        QTest::newRow("new year") << 7001 << 6152 << QString();
        QTest::newRow("no year has it")
            << 6907 << -1
            << u"第6907期的后三位是907，一年的开奖没有这么多期（每年不超过160期），确定吗？"_s;
        QTest::newRow("sequence 000")
            << 6000 << 5150
            << u"第6000期的后三位是000，一年的开奖没有这么多期（每年不超过160期），确定吗？"_s;
    }
    void plausibility() {
        QFETCH(int, issue);
        QFETCH(int, newest);
        QFETCH(QString, question);
        const auto four = [](int i) { return u"%1"_s.arg(i, 4, 10, QChar(u'0')); };
        QCOMPARE(implausibleIssueQuestion(
                     issue, newest < 0 ? std::nullopt : std::optional<int>(newest), four),
                 question);
    }

    // Every form a player copies reads the same draw; what is not a ball is skipped.
    void parsedLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("fullIssue"); // 0: the four-character form; -1: no issue
        QTest::addColumn<int>("storedIssue");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("draws"); // each after the first is the next issue, same balls
        const QString ok;
        QTest::newRow("plain") << u"2026097 05 11 17 23 29 33 07"_s << 2026097 << 6097 << ok << 1;
        QTest::newRow("drawing order")
            << u"2026097 33 05 29 11 23 17 07"_s << 2026097 << 6097 << ok << 1;
        QTest::newRow("Chinese date")
            << u"2026年12月07日 第2026097期 05 11 17 23 29 33 | 07 21:15"_s << 2026097 << 6097 << ok
            << 1;
        QTest::newRow("four characters") << u"6097 5 11 17 23 29 33 7"_s << 0 << 6097 << ok << 1;
        QTest::newRow("short date")
            << u"2026097 12-07 05 11 17 23 29 33 07"_s << 2026097 << 6097 << ok << 1;
        QTest::newRow("hyphenated issue")
            << u"2026-097 05 11 17 23 29 33 07"_s << 2026097 << 6097 << ok << 1;
        QTest::newRow("hyphenated month-like issue")
            << u"2026-09 05 11 17 23 29 33 07"_s << 2026009 << 6009
            << u"无法确定期号“2026-09”是哪一期，请写成七位数字的期号"_s << 1;
        QTest::newRow("two draws") << u"2026097 05 11 17 23 29 33 07 2026098 33 29 23 17 11 05 07"_s
                                   << 2026097 << 6097 << ok << 2;
        QTest::newRow("figures after the blue")
            << u"2026097 05 11 17 23 29 33 07 2026123 6 7 120 3 5,000,000"_s << 2026097 << 6097
            << ok << 1;
        QTest::newRow("no issue") << u"05 11 17 23 29 33 07"_s << -1 << 0 << ok << 1;
        QTest::newRow("five balls")
            << u"2026097 05 11 17 23 29 07"_s << 2026097 << 6097
            << u"只找到6个号码，期号后面应有6个红球号码和1个蓝球号码"_s << 1;
        QTest::newRow("red out of range") << u"2026097 05 11 17 23 29 34 07"_s << 2026097 << 6097
                                          << u"红球号码34不在1到33之间"_s << 1;
    }
    void parsedLines() {
        QFETCH(QString, line);
        QFETCH(int, fullIssue);
        QFETCH(int, storedIssue);
        QFETCH(QString, problem);
        QFETCH(int, draws);
        const std::vector<SourceDraw> found = parseDrawLine(line, 1);
        QCOMPARE(int(found.size()), fullIssue >= 0 ? draws : 0);
        for (int k = 0; k < int(found.size()); ++k) {
            const SourceDraw& d = found[k];
            QCOMPARE(d.fullIssue, fullIssue > 0 ? fullIssue + k : 0);
            QCOMPARE(d.storedIssue, storedIssue + k);
            QCOMPARE(d.problem, problem);
            if (problem.isEmpty()) {
                QCOMPARE(d.red, (RedCombo{5, 11, 17, 23, 29, 33}));
                QCOMPARE(d.blue, 7);
            }
        }
    }

    // Each status against a database of the 2020s holding 6094..6096.
    void statuses() {
        TempDatabase temp;
        QVERIFY(addRealDraws(temp.connection(), u"2026094"_s, 3));
        const QString text = u"2026098 01 02 03 04 05 06 07\n" // new, after 2026097
                             u"2026096 01 04 16 22 26 31 04\n" // stored, same
                             u"2026095 01 02 03 04 05 06 07\n" // stored, different
                             u"2016097 01 02 03 04 05 06 07\n" // another decade
                             u"2026097 05 11 17 23 29 33 07\n" // new
                             u"2026097 05 11 17 23 29 33 07\n" // the same line again
                             u"2026101 05 11 17 23 29 33 40\n" // wrong blue
                             u"页面说明：本页显示最近开奖\n"_s;
        DrawBatch batch = checkDraws(parseDrawSource(text), loadDraws(temp.connection()), 2020);
        QCOMPARE(shown(batch),
                 (QStringList{u"2016097 01 02 03 04 05 06+07 不是本数据库的年代"_s,
                              u"2026095 01 02 03 04 05 06+07 与数据库不同"_s,
                              u"2026096 01 04 16 22 26 31+04 已有"_s,
                              u"2026097 05 11 17 23 29 33+07 新增"_s,
                              u"2026098 01 02 03 04 05 06+07 新增"_s,
                              u"2026101 05 11 17 23 29 33+40 有误：蓝球号码40不在1到16之间"_s}));
        QCOMPARE(batch.newCount, 2);
        QCOMPARE(batch.problems, 2);
        const QList<QList<QVariantList>> before = drawTables(temp.connection());
        QVERIFY(!storeNewDraws(temp.connection(), batch).ok);
        QCOMPARE(drawTables(temp.connection()), before);

        // Gaps, an old issue the database lacks and one issue with two draws: all wrong.
        batch = checkDraws(parseDrawSource(u"2026099 01 02 03 04 05 06 07\n"
                                           u"2026090 01 02 03 04 05 06 07\n"
                                           u"2026097 01 02 03 04 05 06 07\n"
                                           u"第2026097期 01 02 03 04 05 08 07\n"_s),
                           loadDraws(temp.connection()), 2020);
        QCOMPARE(
            shown(batch),
            (QStringList{
                u"2026090 01 02 03 04 05 06+07 有误：比数据库中最新的第2026096期早，却不在数据库中"_s,
                u"2026097 01 02 03 04 05 06+07 有误：第3行和第4行都是这一期，号码却不同"_s,
                u"2026099 01 02 03 04 05 06+07 有误：和前一期第2026097期之间缺少开奖数据"_s}));
        QCOMPARE(batch.problems, 3);
    }

    // The same draw pasted, fetched, typed or imported stores the same rows, first or later.
    void pasteUpdateEntryAndImportAgree() {
        QTemporaryDir files;
        const QString line = u"2026097,33,5,29,11,23,17,7"_s;
        const QString file = files.filePath(u"one.csv"_s);
        QVERIFY(writeBytes(file, line.toUtf8()));
        const QByteArray json = R"J({"state":0,"result":[{"code":"2026097","date":"2026-12-07(日)",
            "red":"05,11,17,23,29,33","blue":"07","prizegrades":[{"type":1,"typenum":"6","typemoney":"7205925"},
            {"type":2,"typenum":"120","typemoney":"184,382"},{"type":3,"typenum":"","typemoney":""}]}]})J";

        for (const int history : {0, 30}) {
            TempDatabase pasted, fetched, typed, imported;
            for (TempDatabase* t : {&pasted, &fetched, &typed, &imported})
                QVERIFY(history == 0 || addRealDraws(t->connection(), u"2026067"_s, history));

            BatchStoreReport r = storeNewDraws(
                pasted.connection(),
                checkDraws(parseDrawSource(u"第2026097期 红球：33 05 29 11 23 17 蓝球：07"_s),
                           loadDraws(pasted.connection()), 2020));
            QVERIFY2(r.ok && r.stored == 1, qPrintable(r.message));
            QCOMPARE(r.message, u"已保存1期新的开奖数据（第2026097期至第2026097期）。"_s);

            const DrawAnswer answer = readDrawAnswer(json);
            QVERIFY(answer.ok);
            DrawBatch batch = checkDraws(answer.draws, loadDraws(fetched.connection()), 2020);
            batch.prizes = answer.prizes;
            QVERIFY(storeNewDraws(fetched.connection(), batch).ok);

            QVERIFY(addDraw(typed.connection(), {6097, {5, 11, 17, 23, 29, 33}, 7}).written);
            QVERIFY(importHistoryFile(imported.connection(), file, {}).ok);

            const QList<QList<QVariantList>> rows = drawTables(typed.connection());
            QCOMPARE(rows[0].size(), history + 1);
            QCOMPARE(drawTables(pasted.connection()), rows);
            QCOMPARE(drawTables(fetched.connection()), rows);
            QCOMPARE(drawTables(imported.connection()), rows);

            // The fetch kept the announced amounts; the decade is recorded by the seven digits.
            QCOMPARE(prizeAmount(fetched.connection(), 6097, 2), std::optional<qint64>(184382));
            QCOMPARE(prizeAmount(fetched.connection(), 6097, 3), std::nullopt);
            for (TempDatabase* t : {&pasted, &fetched, &imported})
                QCOMPARE(recordedDecade(t->connection()), std::optional<int>(2020));
            QCOMPARE(recordedDecade(typed.connection()), std::nullopt);
        }
    }

    // A recorded decade wins over the inferred one, and an import names the decade it takes.
    void recordedDecadeAndImportAdvice() {
        TempDatabase temp;
        QCOMPARE(databaseDecade(temp.connection(), QDate(2031, 5, 1)), 2030);
        QVERIFY(addRealDraws(temp.connection(), u"2020001"_s, 2));
        QCOMPARE(databaseDecade(temp.connection(), kToday), 2020);
        QString error;
        QVERIFY(recordDecade(temp.connection(), 2010, &error));
        QVERIFY(recordDecade(temp.connection(), 2020, &error)); // the first record stays
        QCOMPARE(databaseDecade(temp.connection(), kToday), 2010);

        // An empty database names the decade it takes (the import test has the inferred one);
        // once it has its decade, a start in another decade is refused by its own issue.
        TempDatabase empty;
        QVERIFY(recordDecade(empty.connection(), 2020, &error));
        ImportReport r = importHistoryFile(empty.connection(), shippedPath(), u"2010001"_s);
        QCOMPARE(r.message, u"期号2010001不是本数据库的年代。本数据库保存2020—2029年的开奖数据，"
                            u"请从2020001期开始导入。没有导入任何数据。"_s);
        r = importHistoryFile(empty.connection(), shippedPath(), u"2020001"_s);
        QVERIFY2(r.ok && r.imported == 983, qPrintable(r.message));
    }

    // The answers of a draw service that are not what was expected, each pointing to paste.
    void serviceAnswers_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message"); // empty: ok
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("newest first")
            << QByteArray(
                   R"J({"state":0,"result":[{"code":"2026098","red":"01,02,03,04,05,06","blue":"07"},{"code":2026097,"red":"05,11,17,23,29,33","blue":"07"}]})J")
            << QString() << QStringList{QString(), QString()};
        QTest::newRow("empty") << QByteArray(R"J({"state":0,"result":[]})J")
                               << u"回答中没有任何开奖数据"_s << QStringList{};
        QTest::newRow("failed state")
            << QByteArray(R"J({"state":1,"message":"系统繁忙","result":[]})J")
            << u"服务回答查询失败，状态1"_s << QStringList{};
        QTest::newRow("bad code")
            << QByteArray(
                   R"J({"state":0,"result":[{"code":"abc","red":"01,02,03,04,05,06","blue":"07"}]})J")
            << u"第1条开奖数据的期号“abc”无法识别"_s << QStringList{};
        QTest::newRow("wrong counts")
            << QByteArray(
                   R"J({"state":0,"result":[{"code":"2026097","red":"01,02,03,04,05","blue":"07"},{"code":"2026098","red":"01,02,03,04,05,06","blue":"07,08"}]})J")
            << QString() << QStringList{u"红球号码有5个，应为6个"_s, u"蓝球号码有2个，应为1个"_s};
        QTest::newRow("HTML page") << QByteArray("<html><body>请稍后再试</body></html>")
                                   << u"回答中找不到开奖号码"_s << QStringList{};
    }
    void serviceAnswers() {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        QFETCH(QStringList, problems);
        const DrawAnswer answer = readDrawAnswer(body);
        QCOMPARE(answer.ok, message.isEmpty());
        if (!answer.ok) {
            QVERIFY2(
                answer.message.startsWith(u"开奖数据服务的回答不是预期的开奖数据（"_s + message),
                qPrintable(answer.message));
            QVERIFY(answer.message.endsWith(pasteAdvice()));
            return;
        }
        QStringList found;
        for (const SourceDraw& d : answer.draws)
            found.append(d.problem);
        QCOMPARE(found, problems);
    }

    // The query reaches back into the shipped history and says which draws it searched.
    void wholeHistoryQuery() {
        TempDatabase temp;
        QVERIFY(addRealDraws(temp.connection(), u"2026094"_s, 3));
        QString error;
        WholeHistoryAnswer a =
            queryWholeHistory(temp.connection(), {10, 11, 12, 13, 26, 28}, shippedPath(), &error);
        QCOMPARE(a.resultText, u"您要查询的号已经在第2003001期开出过了"_s);
        QCOMPARE(a.issueText, u"2003001"_s);
        QCOMPARE(shippedDrawText(temp.connection(), a.issueText, shippedPath()),
                 u"第2003001期不在本数据库中（本数据库保存2020—2029年的开奖数据），软件自带的历史"
                 u"开奖数据中这一期的开奖号码是10 11 12 13 26 28+11。"_s);
        a = queryWholeHistory(temp.connection(), {1, 2, 3, 4, 5, 6}, shippedPath(), &error);
        QCOMPARE(a.resultText, u"您要查询的数据在2003001至2026096期中未曾开出"_s);
        // Without the shipped history only the database is searched, and said so.
        a = queryWholeHistory(temp.connection(), {10, 11, 12, 13, 26, 28}, u"/nonexistent"_s,
                              &error);
        QCOMPARE(a.resultText, u"您要查询的数据在2026094至2026096期中未曾开出"_s);
    }
};

QTEST_GUILESS_MAIN(TestDrawSources)
#include "test_draw_sources.moc"
