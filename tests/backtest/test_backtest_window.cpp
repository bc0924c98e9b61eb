// The back-test window as a player uses it: a run, its rows copied and saved, a cancel, bad input.

#include "backtest/backtest_table_model.h"
#include "backtest/widgets/backtest_window.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestBacktestWindow : public QObject {
    Q_OBJECT

    // Sum 60..140 and at most two numbers of the last draw, one failure allowed.
    static PanelState panel() {
        PanelState p;
        p.check1[0] = p.check1[4] = p.check1[10] = 1;
        p.text1[50] = u"140"_s;
        p.text1[51] = u"60"_s;
        p.text1[62] = u"2"_s;
        p.text1[168] = u"1"_s;
        return p;
    }

    // Types N, clicks 开始回测 and waits for the end.
    bool run(BacktestWindow& window, const QString& last) {
        QSignalSpy finished(&window, &BacktestWindow::finished);
        test::retype(&window, u"Text1"_s, last);
        test::click(&window, u"Command1"_s);
        return finished.wait(60000);
    }

    test::TempDatabase m_db;
    test::ScriptedPrompter m_prompter;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
        QVERIFY(test::addRealDraws(m_db.connection(), u"2020001"_s, 40));
    }

    void rowsSummaryCopyAndCsv() {
        BacktestWindow window(m_db.database(), [] { return panel(); });
        window.show();
        QAbstractItemModelTester tester(window.model());
        QVERIFY(run(window, u"6"_s));

        const BacktestResult expected =
            Backtest(panel(), {}, loadDraws(m_db.connection()), {6, true}).run();
        QCOMPARE(window.model()->rowCount(), 6);
        const QAbstractItemModel* grid = window.findChild<QTableView*>(u"DataGrid1"_s)->model();
        QCOMPARE(grid->index(0, 0).data().toString(), u"0035"_s); // rows are checked elsewhere
        QCOMPARE(test::textOf(&window, u"Label2"_s), summaryText(expected.summary()));
        const auto* bar = window.findChild<QProgressBar*>(u"ProgressBar1"_s);
        QCOMPARE(bar->value(), bar->maximum()); // a finished run leaves the bar full

        // With no row selected every row is copied, below a header line.
        test::click(&window, u"Command3"_s);
        const QStringList copied = QApplication::clipboard()->text().split(u'\n');
        QCOMPARE(copied.size(), 8);
        QCOMPARE(copied[0], u"期号\t开奖号码\t未通过的条件\t保留或淘汰\t保留注数"_s);
        QVERIFY(copied[1].startsWith(u"0035\t"_s));

        const QString path = m_db.folder() + u"/回测"_s;
        m_prompter.answerFileName(path);
        test::click(&window, u"Command4"_s);
        QCOMPARE(test::bytesOf(path + u".csv"_s),
                 "\xEF\xBB\xBF" + backtestCsv(expected.rows).toUtf8());
        QVERIFY(m_prompter.messageTexts().last().contains(u"已保存"_s));
    }

    void cancelAndBadInput() {
        BacktestWindow window(m_db.database(), [] { return panel(); });
        window.show();
        m_prompter.clear();
        test::retype(&window, u"Text1"_s, u"abc"_s);
        test::click(&window, u"Command1"_s);
        QCOMPARE(m_prompter.messageTexts(), QStringList{u"回测期数必须是大于0的整数"_s});
        QVERIFY(!window.isRunning());

        QSignalSpy finished(&window, &BacktestWindow::finished);
        test::retype(&window, u"Text1"_s, u"39"_s);
        test::click(&window, u"Command1"_s);
        QVERIFY(window.isRunning());
        QVERIFY(!window.findChild<QWidget*>(u"Command1"_s)->isEnabled());
        test::click(&window, u"Command2"_s);
        QVERIFY(finished.wait(60000));
        QVERIFY(window.result().cancelled);
        QCOMPARE(window.model()->rowCount(), 0);
        QCOMPARE(test::textOf(&window, u"Label2"_s), u"回测已取消。"_s);
        QVERIFY(window.findChild<QWidget*>(u"Command1"_s)->isEnabled());
    }

    // The CSV goes through the atomic writer: a failed save names the file and leaves nothing.
    void failedCsvSaveLeavesNothing() {
        const QString path = m_db.folder() + u"/没有这个文件夹/回测.csv"_s;
        QString error;
        QVERIFY(!saveBacktestCsv(path, {}, &error));
        QVERIFY2(error.startsWith(u"无法保存文件“%1”："_s.arg(path)) &&
                     error.size() > path.size() + 9,
                 qPrintable(error));
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestBacktestWindow)
#include "test_backtest_window.moc"
