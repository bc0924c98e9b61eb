// ssq-cli select as a script runs it: a condition file in, the result line and the kept
// combinations out, refusals on standard error with status 3.

#include "analysis/hot_cold_table.h"
#include "red/condition_file.h"
#include "red/selection_engine.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int status = -1;
    QStringList lines;
    QString err;
};

Run cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(SSQ_CLI_PATH), args);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Sum 100..120 and 单, with the last draw of the documented example.
ssq::PanelState samplePanel() {
    ssq::PanelState panel;
    const char* row[] = {"1", "5", "12", "20", "27", "33", "8", "0096810",
                         "0", "0", "9",  "6",  "8",  "1",  "0"};
    for (int i = 0; i < 15; ++i)
        panel.text1[i + 1] = QString::fromLatin1(row[i]);
    panel.check1[0] = panel.check1[4] = 1;
    panel.text1[50] = u"120"_s;
    panel.text1[51] = u"100"_s;
    panel.check2 = panel.check1[12] = 1;
    panel.option1 = true;
    return panel;
}

QStringList textsOf(const ssq::SelectionResult& result) {
    QStringList texts;
    for (int i = 0; i < result.count(); ++i)
        texts.append(result.text(i));
    return texts;
}

} // namespace

class TestCliSelect : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void printsTheResultLineAndTheListInOrder();
    void refusalsGoToStandardErrorWithStatus3();
    void hotColdFromTheDatabase();
    void missingPanelIsAUsageError();

private:
    QTemporaryDir m_dir;
};

void TestCliSelect::printsTheResultLineAndTheListInOrder() {
    const QString path = m_dir.filePath(u"单.ssqpanel.json"_s);
    QVERIFY(ssq::saveConditionFile(path, samplePanel(), {}, nullptr));
    const ssq::SelectionResult expected = ssq::SelectionEngine(samplePanel(), {}).run();
    QVERIFY(expected.count() > 1000);

    Run r = cli({u"select"_s, u"--panel"_s, path});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.lines, QStringList{expected.resultLine()});

    r = cli({u"select"_s, u"--list"_s, u"--panel"_s, path});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.lines.size(), expected.count() + 1);
    QCOMPARE(r.lines.front(), expected.resultLine());
    QCOMPARE(r.lines.mid(1), textsOf(expected));
    QVERIFY(r.err.isEmpty());
}

void TestCliSelect::refusalsGoToStandardErrorWithStatus3() {
    ssq::PanelState panel = samplePanel();
    panel.check2 = 0;
    const QString refused = m_dir.filePath(u"refused.ssqpanel.json"_s);
    QVERIFY(ssq::saveConditionFile(refused, panel, {}, nullptr));
    Run r = cli({u"select"_s, u"--panel"_s, refused, u"--list"_s});
    QCOMPARE(r.status, 3);
    QVERIFY(r.lines.isEmpty());
    QCOMPARE(r.err.trimmed(), u"您选用了二区的选项,但没有点击指标二区选择框,请点击"_s);

    const QString bad = m_dir.filePath(u"bad.ssqpanel.json"_s);
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"check2": 3})");
    file.close();
    r = cli({u"select"_s, u"--panel"_s, bad});
    QCOMPARE(r.status, 3);
    QVERIFY(r.lines.isEmpty());
    QVERIFY2(r.err.contains(u"“check2”"_s), qPrintable(r.err));
}

// The file's own table is replaced by the database's, as the hot/cold button does.
void TestCliSelect::hotColdFromTheDatabase() {
    ssq::test::TempDatabase temp;
    QVERIFY(temp.isValid());
    ssq::PanelState panel = samplePanel();
    panel.check3 = panel.check1[40] = 1;
    panel.text1[154] = u"2"_s;
    panel.text1[155] = u"1"_s;
    const QString path = m_dir.filePath(u"hot.ssqpanel.json"_s);
    ssq::HotColdValues fileTable{};
    fileTable.fill(50); // every number hot: condition 40 would keep nothing
    QVERIFY(ssq::saveConditionFile(path, panel, fileTable, nullptr));

    const auto draws = ssq::test::realDraws(u"2020001"_s, 30);
    QCOMPARE(draws.size(), 30);
    for (int i = 0; i < 30; ++i) {
        QSqlQuery q(temp.connection());
        const auto& d = draws[i];
        QVERIFY(q.exec(
            u"insert into kjhm (期号, H%1, H%2, H%3, H%4, H%5, H%6, L%7) values (%8, %1, %2, %3, %4, %5, %6, %7)"_s
                .arg(d.red[0])
                .arg(d.red[1])
                .arg(d.red[2])
                .arg(d.red[3])
                .arg(d.red[4])
                .arg(d.red[5])
                .arg(d.blue)
                .arg(d.issue)));
        if (i == 20) {
            const Run tooFew = cli(
                {u"--db"_s, temp.path(), u"select"_s, u"--panel"_s, path, u"--hotcold-from-db"_s});
            QCOMPARE(tooFew.status, 3);
            QCOMPARE(tooFew.err.trimmed(),
                     u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s);
        }
    }
    const ssq::HotColdTableResult table = ssq::hotColdTable(temp.connection());
    QVERIFY(table.ok);
    const ssq::SelectionResult expected = ssq::SelectionEngine(panel, table.values).run();
    QVERIFY(expected.count() > 0);

    const Run r = cli({u"--db"_s, temp.path(), u"select"_s, u"--panel"_s, path,
                       u"--hotcold-from-db"_s, u"--list"_s});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.lines.front(), expected.resultLine());
    QCOMPARE(r.lines.mid(1), textsOf(expected));
    QCOMPARE(cli({u"select"_s, u"--panel"_s, path}).lines.front(), ssq::selectionResultLine(0));
}

void TestCliSelect::missingPanelIsAUsageError() {
    const Run r = cli({u"select"_s, u"--list"_s});
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.contains(u"--panel"_s));
}

QTEST_GUILESS_MAIN(TestCliSelect)
#include "test_cli_select.moc"
