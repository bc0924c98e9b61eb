// The prize window beside ssq-cli prize: the same counts, the same refusal of an incomplete
// draw, an unreadable database told as such, and a large file checked in the background.

#include "support/cli_run.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"
#include "tickets/prize_check.h"
#include "tickets/widgets/prize_check_window.h"

#include <QComboBox>
#include <QProgressBar>
#include <QSqlQuery>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestPrizeWindow : public QObject {
    Q_OBJECT

    test::TempDatabase m_db;
    test::ScriptedPrompter m_prompter;

    QString ticketFile(const QByteArray& bytes) {
        const QString path = m_db.folder() + u"/号码.txt"_s;
        return test::writeBytes(path, bytes) ? path : QString();
    }
    // Chooses the file and clicks 查询中奖.
    void check(PrizeCheckWindow& window, const QString& path) {
        m_prompter.answerFileName(path);
        test::click(&window, u"Command1"_s);
        test::click(&window, u"Command2"_s);
    }
    test::CliRun prizeCli(const QString& path) {
        return test::runCli({u"--db"_s, m_db.path(), u"prize"_s, u"--tickets"_s, path});
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
        QVERIFY(test::addDraws(m_db.connection(),
                               {{6095, {2, 3, 5, 7, 8, 9}, 5}, {6096, {1, 4, 16, 22, 26, 31}, 4}}));
    }
    void init() { m_prompter.clear(); }

    // The window shows, level by level, what the command line prints for the same file.
    void windowAndCliAgree() {
        const QString path = ticketFile("01 04 16 22 26 31 + 04\n1 4 16 2 3 5 8 + 4\n"
                                        "1 2 3 5 7 8 9 10 + 4 5\n2 3 5 7 8 9\n");
        const test::CliRun cli = prizeCli(path);
        QCOMPARE(cli.status, 0);
        const QStringList lines = cli.out.split(u'\n');
        QCOMPARE(lines.size(), 9);

        PrizeCheckWindow window(m_db.database(), {});
        window.show();
        check(window, path);
        QTRY_VERIFY(!window.isChecking());
        QVERIFY(m_prompter.messageTexts().isEmpty());
        for (int level = 1; level <= kPrizeLevels; ++level) {
            const QString count = lines[level - 1].section(u'\t', 1, 1);
            const QString shown = test::textOf(&window, u"Label1_%1"_s.arg(level));
            QVERIFY2(shown.startsWith(prizeLevelName(level) + u"："_s + count + u"注"_s),
                     qPrintable(shown + u" / "_s + lines[level - 1]));
        }
        QVERIFY(test::textOf(&window, u"Label2"_s)
                    .startsWith(u"固定奖金合计：%1元"_s.arg(lines[6].section(u'\t', 1, 1))));
        QCOMPARE(test::textOf(&window, u"Label3"_s),
                 u"投注：%1注，%2元"_s.arg(lines[7].section(u'\t', 1, 1),
                                           lines[7].section(u'\t', 2, 2)));
    }

    // A newest draw with two reds and no blue is neither skipped by the window nor by the command
    // line: both refuse it in the same words.
    void incompleteNewestDrawRefusedByBoth() {
        QSqlQuery q(m_db.connection());
        QVERIFY(q.exec(u"INSERT INTO kjhm (期号, H1, H2) VALUES (6097, 1, 2)"_s));
        const QString path = ticketFile("01 04 16 22 26 31 + 04\n");
        const test::CliRun cli = prizeCli(path);

        PrizeCheckWindow window(m_db.database(), {});
        window.show();
        QCOMPARE(window.findChild<QComboBox*>(u"Combo1"_s)->itemText(0),
                 u"2026097期   号码不完整"_s);
        check(window, path);
        QTRY_VERIFY(!window.isChecking());
        QVERIFY(q.exec(u"DELETE FROM kjhm WHERE 期号 = 6097"_s));

        QCOMPARE(cli.status, 3);
        QCOMPARE(cli.err, u"第6097期的开奖号码不完整，无法查询中奖"_s);
        QCOMPARE(m_prompter.messageTexts(), QStringList{cli.err});
        QCOMPARE(test::textOf(&window, u"Label3"_s), u"投注：0注，0元"_s);
    }

    void unreadableDrawsAreNotNoDraws() {
        test::TempDatabase broken;
        QVERIFY(test::addDraws(broken.connection(), {{6096, {1, 4, 16, 22, 26, 31}, 4}}));
        QSqlQuery q(broken.connection());
        QVERIFY(q.exec(u"DROP TABLE kjhm"_s));
        QString error;
        QVERIFY(!prizeDraws(broken.connection(), &error));

        PrizeCheckWindow window(broken.database(), {});
        window.show();
        check(window, ticketFile("01 04 16 22 26 31 + 04\n"));
        QTRY_VERIFY(!window.isChecking());
        QCOMPARE(m_prompter.messageTexts(), QStringList{error});
        QVERIFY2(error.startsWith(u"读取开奖数据失败："_s) && error.size() > 9, qPrintable(error));
    }

    // Lines of 20 reds and 16 blues (620160 tickets each): the window stays usable, the bar moves,
    // and 取消 ends the check with nothing half-counted on show.
    void largeFileInTheBackgroundWithCancel() {
        QByteArray line = "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 +";
        for (int blue = 1; blue <= 16; ++blue)
            line += ' ' + QByteArray::number(blue);
        const QString path = ticketFile(line.append('\n').repeated(2000));

        PrizeCheckWindow window(m_db.database(), {});
        window.show();
        auto* bar = window.findChild<QProgressBar*>(u"ProgressBar1"_s);
        const auto enabled = [&](const QString& name) {
            return window.findChild<QWidget*>(name)->isEnabled();
        };
        check(window, path);
        QVERIFY(window.isChecking() && !enabled(u"Command2"_s) && !enabled(u"Combo1"_s));
        QTRY_VERIFY(bar->value() > 0);
        test::click(&window, u"Command5"_s);
        QTRY_VERIFY(!window.isChecking());
        QCOMPARE(test::textOf(&window, u"Label3"_s), u"查询已取消"_s);
        QCOMPARE(test::textOf(&window, u"Label1_6"_s), u"六等奖：0注（5元）"_s);
        QVERIFY(bar->value() == 0 && enabled(u"Command2"_s) && !enabled(u"Command5"_s));
    }
};

QTEST_MAIN(TestPrizeWindow)
#include "test_prize_window.moc"
