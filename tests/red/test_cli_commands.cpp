// ssq-cli select and check as a script runs them: output compared with the engine in-process,
// refusals on standard error with status 3, --save into hmbc, the check's ticks.

#include "red/condition_file.h"
#include "red/condition_set.h"
#include "red/last_draw_check.h"
#include "red/saved_results.h"
#include "red/selection_engine.h"
#include "store/draw_entry.h"
#include "support/temp_database.h"

#include <QProcess>
#include <QTest>

#include <tuple>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestCliCommands : public QObject {
    Q_OBJECT

    // Runs ssq-cli on the test's database: its status, its output lines, its error output.
    std::tuple<int, QStringList, QString> cli(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(SSQ_CLI_PATH), QStringList{u"--db"_s, m_db.path()} + args);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
            return {-1, {}, {}};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'),
                QString::fromUtf8(p.readAllStandardError()).trimmed()};
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

    // The sum exactly 21 keeps only 1 2 3 4 5 6, which replaces what hmbc held.
    void selectSaves() {
        QVERIFY(saveResults(m_db.connection(), 7, [](int i) {
                    return u"1 2 3 4 5 %1"_s.arg(6 + i);
                }).saved);
        PanelState panel;
        panel.text1[8] = u"0000001"_s;
        panel.check1[0] = panel.check1[4] = 1;
        panel.text1[50] = panel.text1[51] = u"21"_s;
        const auto [status, out, err] = select(panel, u"--save"_s);
        QVERIFY2(status == 0 && out.contains(u"所选号码保存完毕"_s), qPrintable(err));
        QCOMPARE(loadSavedResults(m_db.connection()).texts, QStringList{u"1 2 3 4 5 6"_s});
    }

    void checkPrintsMessageAndTicks() {
        const auto [status, out, err] = cli({u"check"_s}); // no draw yet
        QVERIFY2(status == 1 && err.contains(u"还没有开奖记录"_s), qPrintable(err));
        QVERIFY(addDraw(m_db.connection(), {7001, {1, 5, 12, 20, 27, 33}, 8}).written);
        QVERIFY(addDraw(m_db.connection(), {7002, {3, 8, 15, 21, 27, 30}, 9}).written);
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
