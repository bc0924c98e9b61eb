// Import of a draw history file into a real database: stored rows equal one add per draw, bad
// lines, decade crossing, re-import, --from, refusals, cancel and a history beyond 5000 draws.

#include "model/hot_cold.h"
#include "store/draw_entry.h"
#include "store/history_import.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;
using namespace ssq;
using ssq::test::rowCount;
using ssq::test::tableRows;
using ssq::test::TempDatabase;

namespace {

const QStringList kTables{u"kjhm"_s, u"kjdm"_s, u"kjzb"_s};

QList<QList<QVariantList>> allTables(QSqlDatabase db) {
    QList<QList<QVariantList>> out;
    for (const QString& t : kTables)
        out.append(tableRows(db, t));
    return out;
}

} // namespace

class TestHistoryImport : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_files;
    QStringList m_real;

    // Writes `lines` under a header, like the real file, and returns its path.
    QString writeFile(const QString& name, const QStringList& lines, bool header = true) {
        const QString path = m_files.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        QString text = header ? u"issue,r1,r2,r3,r4,r5,r6,blue,date\n"_s : QString();
        text += lines.join(u'\n') + u'\n';
        f.write(text.toUtf8());
        return path;
    }

    // The real lines from `fromIssue` on, at most `count`.
    QStringList realSlice(const QString& fromIssue, int count) {
        const auto it = std::find_if(m_real.begin(), m_real.end(), [&](const QString& l) {
            return l.startsWith(fromIssue + u',');
        });
        return it == m_real.end() ? QStringList() : m_real.mid(int(it - m_real.begin()), count);
    }

    void addEach(QSqlDatabase db, const QStringList& lines) {
        for (const QString& line : lines) {
            const test::HistoryDraw d = test::parseRealLine(line);
            QVERIFY(addDraw(db, {d.issue, d.red, d.blue}).written);
        }
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_files.isValid());
        m_real = test::realHistoryLines();
        QVERIFY2(m_real.size() == 3493, "the real draw history (SSQ_SHARED_DATA) is needed");
    }

    // One add per draw and one import store the same cells in all three tables, both into an
    // empty history and on top of draws entered by hand.
    void importEqualsAdds() {
        const QStringList slice = realSlice(u"2020001"_s, 60);
        const QString file = writeFile(u"slice.csv"_s, slice);

        TempDatabase byHand;
        addEach(byHand.connection(), slice);

        TempDatabase imported;
        ImportReport report = importHistoryFile(imported.connection(), file, {});
        QVERIFY2(report.ok, qPrintable(report.message));
        QCOMPARE(report.imported, 60);
        QCOMPARE(report.message, u"导入完毕：新增60期开奖数据（2020001期至2020060期）。"_s);
        QCOMPARE(allTables(imported.connection()), allTables(byHand.connection()));

        TempDatabase continued;
        addEach(continued.connection(), slice.mid(0, 30));
        report = importHistoryFile(continued.connection(), file, {});
        QVERIFY2(report.ok, qPrintable(report.message));
        QCOMPARE(report.imported, 30);
        QCOMPARE(report.skipped, 30);
        QCOMPARE(allTables(continued.connection()), allTables(byHand.connection()));
    }

    void reimportChangesNothing() {
        TempDatabase temp;
        const QString file = writeFile(u"again.csv"_s, realSlice(u"2021010"_s, 30));
        QVERIFY(importHistoryFile(temp.connection(), file, {}).ok);
        const auto before = allTables(temp.connection());
        const ImportReport again = importHistoryFile(temp.connection(), file, {});
        QVERIFY(again.ok);
        QCOMPARE(again.imported, 0);
        QCOMPARE(again.skipped, 30);
        QCOMPARE(again.message, u"文件中的30期开奖数据都已在数据库中，没有新增数据。"_s);
        QCOMPARE(allTables(temp.connection()), before);
    }

    void badLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reason");
        QTest::newRow("too few numbers")
            << u"2020004,1,2,3,4,5,6"_s << u"号码个数不对，期号后面应有6个红球号码和1个蓝球号码"_s;
        QTest::newRow("red out of range")
            << u"2020004,1,2,3,4,5,34,7"_s << u"红球号码“34”不是1到33之间的整数"_s;
        QTest::newRow("red not a number")
            << u"2020004,1,2,x,4,5,6,7"_s << u"红球号码“x”不是1到33之间的整数"_s;
        QTest::newRow("red repeated") << u"2020004,1,2,9,4,9,6,7"_s << u"红球号码9重复"_s;
        QTest::newRow("blue out of range")
            << u"2020004,1,2,3,4,5,6,17"_s << u"蓝球号码“17”不是1到16之间的整数"_s;
        QTest::newRow("unreadable issue")
            << u"20204,1,2,3,4,5,6,7"_s
            << u"期号“20204”无法识别，期号应为四位（如7018）或七位（如2007018）数字"_s;
    }
    void badLine() {
        QFETCH(QString, line);
        QFETCH(QString, reason);
        QStringList lines = realSlice(u"2020001"_s, 3);
        lines.append(line);
        lines.append(realSlice(u"2020005"_s, 2));
        TempDatabase temp;
        const ImportReport r =
            importHistoryFile(temp.connection(), writeFile(u"bad.csv"_s, lines), {});
        QVERIFY(!r.ok);
        // Header on line 1, three good draws, the bad one on line 5.
        QCOMPARE(r.message, u"第5行有误："_s + reason + u"。没有导入任何数据。"_s);
        QCOMPARE(rowCount(temp.connection(), u"kjhm"_s), 0);
    }

    void decadeCrossingIsRefused() {
        TempDatabase temp;
        QStringList lines = realSlice(u"2009150"_s, 8); // 2009150..2009154, 2010001..2010003
        ImportReport r = importHistoryFile(temp.connection(), writeFile(u"cross.csv"_s, lines), {});
        QVERIFY(!r.ok);
        QVERIFY2(r.message.startsWith(u"第7行的期号2010001进入了新的年代"_s),
                 qPrintable(r.message));
        QVERIFY(r.message.contains(u"上一行（第6行，期号2009154）"_s));
        QVERIFY(r.message.contains(u"--from 2010001"_s));
        QCOMPARE(rowCount(temp.connection(), u"kjhm"_s), 0);

        // The whole real file breaks where 2010 begins; starting there it breaks at 2020.
        const QString whole = writeFile(u"whole.csv"_s, m_real);
        r = importHistoryFile(temp.connection(), whole, {});
        QVERIFY(r.message.startsWith(u"第981行的期号2010001"_s));
        r = importHistoryFile(temp.connection(), whole, u"2010001"_s);
        QVERIFY(r.message.startsWith(u"第2512行的期号2020001"_s));
        QCOMPARE(rowCount(temp.connection(), u"kjhm"_s), 0);

        // The four-character form cannot tell a crossing from disorder: both are refused.
        r = importHistoryFile(
            temp.connection(),
            writeFile(u"four.txt"_s, {u"9153 1 2 3 4 5 6 7"_s, u"0001 1 2 3 4 5 6 7"_s}, false),
            {});
        QVERIFY(r.message.startsWith(u"第2行的期号0001不大于上一行（第1行）的期号9153"_s));
        QVERIFY(r.message.contains(u"从新年代的第一期开始导入"_s));
    }

    void fromIssueSkipsEarlierDraws() {
        TempDatabase temp;
        const QString file = writeFile(u"from.csv"_s, realSlice(u"2019140"_s, 22));
        ImportReport r = importHistoryFile(temp.connection(), file, u"2020001"_s);
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.imported, 10);
        QCOMPARE(r.firstIssue, u"2020001"_s);
        QCOMPARE(tableRows(temp.connection(), u"kjhm"_s).value(0).value(0).toInt(), 1);

        r = importHistoryFile(temp.connection(), file, u"20201"_s);
        QVERIFY(!r.ok);
        QVERIFY(r.message.contains(u"“从期号”20201无法识别"_s));
        r = importHistoryFile(temp.connection(), file, u"2021001"_s);
        QVERIFY(!r.ok);
        QCOMPARE(rowCount(temp.connection(), u"kjhm"_s), 10);
    }

    // Comments, blank lines, tabs and blanks, extra fields, the four-character form.
    void fileForms() {
        TempDatabase temp;
        const QString file = writeFile(
            u"forms.txt"_s,
            {u"# my own notes"_s, u""_s, u"7001\t33\t5\t12\t20\t27\t1\t8\t2007-01-02"_s,
             u"7002  3 9 12 20 27 33   16  extra  fields"_s, u"7003, 1, 2, 3, 4, 5, 6, 1"_s},
            false);
        const ImportReport r = importHistoryFile(temp.connection(), file, {});
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.imported, 3);
        const QList<QVariantList> zb = tableRows(temp.connection(), u"kjzb"_s);
        QCOMPARE(zb[0][1].toString(), u"1 5 12 20 27 33 +8"_s);
        QCOMPARE(zb[1][1].toString(), u"3 9 12 20 27 33+16"_s);
        QCOMPARE(zb[2][0].toInt(), 7003);
    }

    void conflictsWithStoredDrawsAreRefused() {
        TempDatabase temp;
        QVERIFY(addDraw(temp.connection(), {1, {1, 2, 3, 4, 5, 6}, 1}).written);
        QVERIFY(addDraw(temp.connection(), {5, {2, 3, 4, 5, 6, 7}, 2}).written);
        const auto before = allTables(temp.connection());

        // Issue 0001 of another decade, with other numbers.
        ImportReport r = importHistoryFile(
            temp.connection(), writeFile(u"other.csv"_s, realSlice(u"2020001"_s, 3)), {});
        QVERIFY(!r.ok);
        QVERIFY2(r.message.contains(u"已在数据库中，但号码不同"_s), qPrintable(r.message));

        // A draw that is not stored but would go before the newest stored one.
        r = importHistoryFile(temp.connection(),
                              writeFile(u"lower.txt"_s, {u"0003 1 2 3 4 5 6 7"_s}, false), {});
        QVERIFY(!r.ok);
        QVERIFY(r.message.contains(u"比数据库中最新的期号0005小"_s));
        QCOMPARE(allTables(temp.connection()), before);
    }

    void cancelLeavesDatabaseAsItWas() {
        TempDatabase temp;
        const QStringList slice = realSlice(u"2022001"_s, 40);
        QVERIFY(
            importHistoryFile(temp.connection(), writeFile(u"a.csv"_s, slice.mid(0, 5)), {}).ok);
        const auto before = allTables(temp.connection());
        int calls = 0;
        const ImportReport r = importHistoryFile(temp.connection(), writeFile(u"b.csv"_s, slice),
                                                 {}, [&](int done, int total) {
                                                     ++calls;
                                                     return !(done == 20 && total == 35);
                                                 });
        QVERIFY(r.cancelled);
        QVERIFY(!r.ok);
        QCOMPARE(calls, 20);
        QCOMPARE(allTables(temp.connection()), before);
    }

    // A plan is computed against one history; if a draw was entered meanwhile, it is not
    // written over that change.
    void staleWorkIsRefused() {
        TempDatabase temp;
        const QStringList slice = realSlice(u"2023001"_s, 10);
        const ImportPlan plan = planImportFile(loadDraws(temp.connection()),
                                               writeFile(u"stale.csv"_s, slice.mid(1)), {});
        QVERIFY(plan.ok);
        addEach(temp.connection(), slice.mid(0, 1));
        const auto before = allTables(temp.connection());
        const ImportReport r = writeImport(temp.connection(), plan);
        QVERIFY(!r.ok);
        QVERIFY(r.message.contains(u"请重新导入"_s));
        QCOMPARE(allTables(temp.connection()), before);
    }

    // No fixed table: a history beyond 5000 draws imports, and the next add is measured against
    // all of it.
    void historyBeyond5000Draws() {
        QRandomGenerator random(20240601);
        QStringList lines;
        std::vector<RedCombo> reds;
        for (int issue = 1; issue <= 5100; ++issue) {
            RedCombo red{};
            int n = 0;
            while (n < 6) {
                const int r = random.bounded(1, 34);
                if (std::find(red.begin(), red.begin() + n, r) == red.begin() + n)
                    red[n++] = r;
            }
            std::sort(red.begin(), red.end());
            reds.push_back(red);
            lines.append(u"%1 %2 %3"_s.arg(issue, 4, 10, QChar(u'0'))
                             .arg(QString::fromStdString(comboText(red)))
                             .arg(random.bounded(1, 17)));
        }
        TempDatabase temp;
        const ImportReport r =
            importHistoryFile(temp.connection(), writeFile(u"long.txt"_s, lines, false), {});
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.imported, 5100);

        const RedCombo red{4, 8, 15, 16, 23, 33};
        QVERIFY(addDraw(temp.connection(), {5101, red, 9}).written);
        const QVariantList zb = tableRows(temp.connection(), u"kjzb"_s).value(5100);
        const HotColdValues hv = hotColdValues(reds);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(zb[29 + i].toInt(), hv[red[i]]);
    }
};

QTEST_GUILESS_MAIN(TestHistoryImport)
#include "test_history_import.moc"
