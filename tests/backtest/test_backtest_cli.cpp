// ssq-cli backtest as a script runs it: the lines of each target and the summary, against the
// back-test in-process, the hot/cold table of the file or of the history, and its refusals.

#include "backtest/backtest.h"
#include "red/condition_file.h"
#include "support/cli_run.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QTest>

#include <tuple>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestBacktestCli : public QObject {
    Q_OBJECT

    // Writes the panel and the hot/cold table to a condition file and runs backtest on it.
    std::tuple<int, QStringList, QString> backtest(const PanelState& panel, const HotColdValues& hv,
                                                   const QStringList& args) {
        const QString path = m_db.folder() + u"/条件.ssqpanel.json"_s;
        if (!saveConditionFile(path, panel, hv, nullptr))
            return {-1, {}, {}};
        const test::CliRun r = test::runCli(
            QStringList{u"--db"_s, m_db.path(), u"backtest"_s, u"--panel"_s, path} + args);
        return {r.status, r.status < 0 ? QStringList() : r.out.split(u'\n'), r.err};
    }

    // The lines the command must print for the back-test made in-process.
    QStringList expectedLines(const PanelState& panel, const HotColdValues& hv, int last,
                              bool fromHistory) {
        const BacktestResult result =
            Backtest(panel, hv, loadDraws(m_db.connection()), {last, fromHistory}).run();
        QStringList lines;
        for (const BacktestRow& row : result.rows)
            lines.append(issueText(row.issue) + u'\t' + verdictText(row.kept) + u'\t' +
                         QString::number(row.keptCount) + u'\t' + failedText(row.failed));
        const BacktestSummary s = result.summary();
        lines.append(u"SUMMARY\t%1\t%2\t%3"_s.arg(s.keptDraws)
                         .arg(s.targets)
                         .arg(QString::number(s.averageKept, 'f', 1)));
        lines.append(QString());
        return lines;
    }

    test::TempDatabase m_db;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
        QVERIFY(test::addRealDraws(m_db.connection(), u"2020001"_s, 30));
    }

    void linesPerTarget() {
        PanelState panel; // sum 80..130, cold numbers at most 1, one failure allowed
        panel.check1[0] = panel.check1[4] = panel.check1[10] = panel.check3 = panel.check1[38] = 1;
        panel.text1[50] = u"130"_s;
        panel.text1[51] = u"80"_s;
        panel.text1[62] = u"1"_s;
        panel.text1[150] = u"1"_s;
        panel.text1[168] = u"1"_s;
        HotColdValues hv{};
        for (int n = 1; n <= kRedMax; ++n)
            hv[n] = n % 3 == 0 ? -20 : 0;

        const auto [status, out, err] = backtest(panel, hv, {u"--last"_s, u"5"_s});
        QCOMPARE(err, QString());
        QCOMPARE(status, 0);
        QCOMPARE(out, expectedLines(panel, hv, 5, false));
        QCOMPARE(out.size(), 7);
        QCOMPARE(out[0].section(u'\t', 0, 0), u"0026"_s); // the fifth newest of 0001..0030
        QVERIFY(out[5].startsWith(u"SUMMARY\t"_s));

        const auto history =
            backtest(panel, hv, {u"--last"_s, u"5"_s, u"--hotcold-from-history"_s});
        QCOMPARE(std::get<1>(history), expectedLines(panel, hv, 5, true));
        QVERIFY(std::get<1>(history) != out);
    }

    void refusals() {
        PanelState zone;
        zone.check1[4] = 1;
        PanelState hot;
        hot.check3 = hot.check1[40] = 1;
        const struct {
            PanelState panel;
            QStringList args;
            int status;
            QString words;
        } cases[] = {
            {PanelState{}, {u"--last"_s, u"0"_s}, 3, u"大于0的整数"_s},
            {PanelState{}, {u"--last"_s, u"x"_s}, 3, u"大于0的整数"_s},
            {zone, {u"--last"_s, u"3"_s}, 3, u"指标一区选择框"_s},
            {hot, {u"--last"_s, u"3"_s}, 3, u"冷热值选项"_s},
            {PanelState{}, {u"--panel-missing"_s}, 2, u"用法"_s},
        };
        for (const auto& c : cases) {
            const auto [status, out, err] = backtest(c.panel, {}, c.args);
            QVERIFY2(status == c.status && out == QStringList{QString()} && err.contains(c.words),
                     qPrintable(c.args.join(u' ') + u": "_s + err));
        }
        // The table of the history serves where the file's is empty.
        QCOMPARE(std::get<0>(backtest(hot, {}, {u"--last"_s, u"3"_s, u"--hotcold-from-history"_s})),
                 0);
    }
};

QTEST_GUILESS_MAIN(TestBacktestCli)
#include "test_backtest_cli.moc"
