// Import of a draw history file: the rows of one add per draw, re-import, bad lines, decade
// crossing, the start issue, conflicts and stale plans.

#include "store/draw_entry.h"
#include "store/history_import.h"
#include "store/issue_number.h"
#include "store/shipped_history.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/temp_database.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ssq;
using namespace ssq::test;

class TestHistoryImport : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_files;
    QStringList m_real;

    // Writes `lines` (under the real file's header unless told) and returns the path.
    QString writeFile(const QString& name, const QStringList& lines, bool withHeader = true) {
        const QString path = m_files.filePath(name);
        const QString header = withHeader ? u"issue,r1,r2,r3,r4,r5,r6,blue,date\n"_s : QString();
        return writeBytes(path, (header + lines.join(u'\n')).toUtf8()) ? path : QString();
    }
    QStringList realSlice(const QString& fromIssue, int count) {
        const qsizetype at = m_real.indexOf(QRegularExpression(fromIssue + u",.*"_s));
        return at < 0 ? QStringList() : m_real.mid(at, count);
    }

private Q_SLOTS:
    void initTestCase() {
        m_real = test::realHistoryLines();
        QVERIFY2(m_real.size() == 3493, "the real draw history data/ssq-history.csv is needed");
    }

    // Into an empty history and on top of draws entered by hand; a second import adds nothing.
    void importEqualsAddsAndReimportChangesNothing() {
        const QStringList slice = realSlice(u"2020001"_s, 60);
        const QString file = writeFile(u"slice.csv"_s, slice);
        TempDatabase byHand;
        QVERIFY(test::addRealDraws(byHand.connection(), u"2020001"_s, 60));

        TempDatabase imported;
        ImportReport r = importHistoryFile(imported.connection(), file, {});
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.message, u"导入完毕：新增60期开奖数据（2020001期至2020060期）。"_s);
        QCOMPARE(drawTables(imported.connection()), drawTables(byHand.connection()));
        r = importHistoryFile(imported.connection(), file, {});
        QVERIFY(r.ok && r.imported == 0);
        QCOMPARE(r.message, u"文件中的60期开奖数据都已在数据库中，没有新增数据。"_s);
        QCOMPARE(drawTables(imported.connection()), drawTables(byHand.connection()));

        TempDatabase continued;
        QVERIFY(test::addRealDraws(continued.connection(), u"2020001"_s, 30));
        r = importHistoryFile(continued.connection(), file, {});
        QVERIFY(r.ok && r.imported == 30 && r.skipped == 30);
        QCOMPARE(drawTables(continued.connection()), drawTables(byHand.connection()));
    }

    void badLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reason");
        QTest::newRow("red 34") << u"2020004,1,2,3,4,5,34,7"_s
                                << u"红球号码“34”不是1到33之间的整数"_s;
        QTest::newRow("red repeated") << u"2020004,1,2,9,4,9,6,7"_s << u"红球号码9重复"_s;
        QTest::newRow("issue")
            << u"20204,1,2,3,4,5,6,7"_s
            << u"期号“20204”无法识别，期号应为四位（如7018）或七位（如2007018）数字"_s;
        QTest::newRow("sequence 000") << u"2020000,1,2,3,4,5,6,7"_s
                                      << u"期号“2020000”的期序000不在001到160之间，不是一期开奖"_s;
    }
    void badLine() {
        QFETCH(QString, line);
        QFETCH(QString, reason);
        const QStringList lines =
            realSlice(u"2020001"_s, 3) + QStringList{line} + realSlice(u"2020005"_s, 2);
        TempDatabase temp;
        const ImportReport r =
            importHistoryFile(temp.connection(), writeFile(u"bad.csv"_s, lines), {});
        // The header is line 1: the bad draw is on line 5.
        QCOMPARE(r.message, u"第5行有误："_s + reason + u"。没有导入任何数据。"_s);
        QVERIFY(!r.ok && rowCount(temp.connection(), u"kjhm"_s) == 0);
    }

    // Four characters of issue cannot tell 2010001 from 2000001: a new decade is refused, and
    // importing from where the message says takes the new decade's draws.
    void decadeCrossingAndFromIssue() {
        TempDatabase temp;
        const QString cross = writeFile(u"cross.csv"_s, realSlice(u"2009150"_s, 8));
        // Read without a database, the file's order names the crossing; a database names the
        // one decade it takes instead, never a start that would be refused in turn.
        const ImportPlan plan = planImportFile({}, cross, {});
        QVERIFY2(plan.message.startsWith(u"第7行的期号2010001进入了新的年代"_s),
                 qPrintable(plan.message));
        QVERIFY(plan.message.contains(u"上一行（第6行，期号2009154）"_s) &&
                plan.message.contains(u"从2010001期开始"_s) && !plan.message.contains(u"--from"_s));
        ImportReport r = importHistoryFile(temp.connection(), cross, {});
        const int decade = inferDecade(std::nullopt, QDate::currentDate());
        QCOMPARE(
            r.message,
            u"第2行：期号2009150不是本数据库的年代。本数据库保存%1年的开奖数据，请从%2期开始导入。没有导入任何数据。"_s
                .arg(decadeRangeText(decade))
                .arg(decade * 1000 + 1));
        r = importHistoryFile(
            temp.connection(),
            writeFile(u"four.txt"_s, {u"9153 1 2 3 4 5 6 7"_s, u"0001 1 2 3 4 5 6 7"_s}, false),
            {});
        QVERIFY(r.message.startsWith(u"第2行的期号0001不大于上一行（第1行）的期号9153"_s));
        QCOMPARE(rowCount(temp.connection(), u"kjhm"_s), 0);

        r = importHistoryFile(temp.connection(), cross, u"2010001"_s);
        QVERIFY2(r.ok && r.imported == 3, qPrintable(r.message));
        QCOMPARE(tableRows(temp.connection(), u"kjhm"_s)[0][0].toInt(), 1);
    }

    // The newest decade is found from the last line (the shipped file's is the command line
    // test's); a file whose last issue has no year cannot tell its decade.
    void shippedHistoryNewestDecade() {
        const std::optional<ShippedHistory> early =
            readShippedHistory(writeFile(u"early.csv"_s, realSlice(u"2009150"_s, 5)), nullptr);
        QVERIFY(early && early->fromIssue == u"2000001"_s && early->drawCount == 5);

        QString error;
        QVERIFY(!readShippedHistory(writeFile(u"four.txt"_s, {u"9153 1 2 3 4 5 6 7"_s}, false),
                                    &error));
        QVERIFY2(error.contains(u"无法确定最新的年代"_s), qPrintable(error));
    }

    // Draws contradicting or before the stored ones, and a plan gone stale, write nothing.
    void refusalsChangeNothing() {
        TempDatabase temp;
        QVERIFY(
            addDraws(temp.connection(), {{1, {1, 2, 3, 4, 5, 6}, 1}, {5, {2, 3, 4, 5, 6, 7}, 2}}));
        const auto before = drawTables(temp.connection());
        ImportReport r = importHistoryFile(
            temp.connection(), writeFile(u"other.csv"_s, realSlice(u"2020001"_s, 3)), {});
        QVERIFY2(!r.ok && r.message.contains(u"已在数据库中，但号码不同"_s), qPrintable(r.message));
        r = importHistoryFile(temp.connection(),
                              writeFile(u"lower.txt"_s, {u"0003 1 2 3 4 5 6 7"_s}, false), {});
        QVERIFY(!r.ok && r.message.contains(u"比数据库中最新的期号0005小"_s));

        const QString later = writeFile(u"later.csv"_s, realSlice(u"2022006"_s, 40));
        const ImportPlan plan = planImportFile(loadDraws(temp.connection()), later, {});
        QVERIFY(plan.ok);
        QCOMPARE(drawTables(temp.connection()), before);
        QVERIFY(addDraw(temp.connection(), {7, {1, 2, 3, 4, 5, 6}, 1}).written);
        const auto added = drawTables(temp.connection());
        r = writeImport(temp.connection(), plan);
        QVERIFY(!r.ok && r.message.contains(u"请重新导入"_s));
        QCOMPARE(drawTables(temp.connection()), added);
    }
};

QTEST_GUILESS_MAIN(TestHistoryImport)
#include "test_history_import.moc"
