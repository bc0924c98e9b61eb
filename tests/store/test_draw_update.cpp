// The network update against a server on 127.0.0.1, the command line's paste and update with
// their exact output, and the paste, update and entry windows clicked like a person.

#include "store/draw_answer.h"
#include "store/draw_fetcher.h"
#include "store/draw_prizes.h"
#include "store/draw_source_parser.h"
#include "store/update_settings.h"
#include "store/widgets/draw_entry_window.h"
#include "store/widgets/draw_preview.h"
#include "store/widgets/paste_draws_window.h"
#include "store/widgets/update_draws_window.h"
#include "support/cli_run.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/local_http_server.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ssq;
using namespace ssq::test;

namespace {

constexpr int kShortTimeoutMs = 400;

// The newest draws first, as the service lists them: two stored, two new.
const QByteArray kNormal = R"J({"state":0,"message":"查询成功","total":4,"result":[
 {"name":"双色球","code":"2026098","date":"2026-12-10(四)","red":"02,09,14,20,27,31","blue":"12",
  "prizegrades":[{"type":1,"typenum":"3","typemoney":"9126480"},{"type":2,"typenum":"98","typemoney":"221045"}]},
 {"name":"双色球","code":"2026097","date":"2026-12-07(日)","red":"33,05,29,11,23,17","blue":"07",
  "prizegrades":[{"type":1,"typenum":"6","typemoney":"7205925"},{"type":2,"typenum":"120","typemoney":"184382"}]},
 {"name":"双色球","code":"2026096","date":"2026-08-20(四)","red":"01,04,16,22,26,31","blue":"04","prizegrades":[]},
 {"name":"双色球","code":"2026095","date":"2026-08-18(二)","red":"04,06,14,21,22,33","blue":"16","prizegrades":[]}]})J";

QStringList lines(const QString& text) {
    return text.split(u'\n', Qt::SkipEmptyParts);
}

using Run = CliRun;

// Runs ssq-cli with the test's event loop running, so the local server can answer it.
Run runCliServed(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(QStringLiteral(SSQ_CLI_PATH), args);
    if (!input.isEmpty()) {
        p.write(input);
        p.closeWriteChannel();
    }
    Run run;
    if (!QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 60000))
        return run;
    run.status = p.exitCode();
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
    return run;
}

} // namespace

class TestDrawUpdate : public QObject {
    Q_OBJECT

private:
    LocalHttpServer m_server;
    std::unique_ptr<TempDatabase> m_temp;
    std::unique_ptr<ScriptedPrompter> m_prompter;

    void pointSettingsAt(const QString& path) {
        QVERIFY(writeBytes(updateSettingsPath(m_temp->path()),
                           u"{\"updateSource\": \"%1\", \"updateTimeoutMs\": %2}"_s
                               .arg(m_server.url(path).toString())
                               .arg(kShortTimeoutMs)
                               .toUtf8()));
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_server.listen());
        m_server.setAnswer(u"/normal"_s, {200, kNormal});
        m_server.setAnswer(u"/text"_s, {200, R"J(<html>)J"});
        m_server.setAnswer(u"/forbidden"_s, {403, "forbidden"});
        m_server.setAnswer(u"/moved"_s, {302, {}, "/normal"});
        m_server.setAnswer(u"/silent"_s, {200, {}, {}, true});
    }
    void init() {
        m_temp = std::make_unique<TempDatabase>();
        m_prompter = std::make_unique<ScriptedPrompter>();
        QVERIFY(addRealDraws(m_temp->connection(), u"2026087"_s, 10)); // up to 2026096
    }
    void cleanup() {
        m_prompter.reset();
        m_temp.reset();
    }

    // What the request brings back, in the player's words; every failure points to paste.
    void fetchOutcomes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message"); // empty: the body arrived
        QTest::newRow("redirect") << u"/moved"_s << QString();
        QTest::newRow("403") << u"/forbidden"_s << u"开奖数据服务拒绝了这次查询（HTTP 403）。"_s;
        QTest::newRow("never answers") << u"/silent"_s << u"开奖数据服务在1秒内没有回答。"_s;
    }
    void fetchOutcomes() {
        QFETCH(QString, path);
        QFETCH(QString, message);
        const qsizetype before = m_server.requests().size();
        DrawFetcher fetcher;
        QSignalSpy done(&fetcher, &DrawFetcher::finished);
        fetcher.start(m_server.url(path), kShortTimeoutMs);
        QVERIFY(done.wait(10000));
        const FetchOutcome outcome = done.front().front().value<FetchOutcome>();
        QCOMPARE(outcome.ok, message.isEmpty());
        if (outcome.ok)
            QCOMPARE(outcome.body, kNormal);
        else
            QCOMPARE(outcome.message, message + pasteAdvice());
        // Asked as a browser asks.
        const QByteArray head = m_server.requests().value(before);
        QVERIFY2(head.contains("User-Agent: Mozilla/5.0 (Windows NT 10.0") &&
                     head.contains("Accept: application/json"),
                 head.constData());
    }

    // (A cancel is the update window's test: it says so and shows no failure.)
    void fetchWithoutServer() {
        DrawFetcher fetcher;
        QSignalSpy done(&fetcher, &DrawFetcher::finished);
        fetcher.start(QUrl(u"http://127.0.0.1:1/"_s), kShortTimeoutMs);
        QVERIFY(done.wait(10000));
        const FetchOutcome outcome = done.front().front().value<FetchOutcome>();
        QVERIFY2(outcome.message.startsWith(u"无法连接开奖数据服务，请检查网络连接"_s),
                 qPrintable(outcome.message));
    }

    // ssq-cli paste prints one line per draw, oldest first, and the totals; with a problem it
    // stores nothing and exits 3. A device is refused unread, and a text past the limit whole.
    void cliPaste() {
        const auto paste = [this](const QByteArray& input, const QString& from = u"-"_s) {
            return runCliServed({u"--db"_s, m_temp->path(), u"paste"_s, from}, input);
        };
        const QByteArray text = "第2026097期 红球：05 11 17 23 29 33 蓝球：07\n"
                                "2026096\t2026-08-20(四)\t01\t04\t16\t22\t26\t31\t04\t389,123,456\n"
                                "说明文字\n26098 02,09,14,20,27,31+12\n";
        Run r = runCliServed({u"--db"_s, m_temp->path(), u"paste"_s, u"-"_s, u"--dry-run"_s}, text);
        QCOMPARE(r.status, 0);
        QCOMPARE(lines(r.out),
                 (QStringList{u"2026096\t01 04 16 22 26 31+04\t已有"_s,
                              u"2026097\t05 11 17 23 29 33+07\t新增"_s,
                              u"2026098\t02 09 14 20 27 31+12\t新增"_s, u"合计\t2\t0\t0"_s}));
        r = paste(text + "2026099 01 02 03 04 05 05 07\n");
        QCOMPARE(r.status, 3);
        QCOMPARE(lines(r.out).mid(3),
                 (QStringList{u"2026099\t01 02 03 04 05 05+07\t有误：红球号码5出现了两次"_s,
                              u"合计\t2\t0\t1"_s}));
        r = paste("说明文字\n");
        QCOMPARE(
            std::make_tuple(r.status, r.out, r.err),
            std::make_tuple(3, u"合计\t0\t0\t0\n"_s,
                            u"文字中没有找到开奖号码（每期一行：期号，然后6个红球和1个蓝球）。"_s));
        r = paste({}, u"/dev/zero"_s);
        QCOMPARE(std::make_pair(r.status, r.err),
                 std::make_pair(1, u"无法读取文件“/dev/zero”：它不是普通文件"_s));
        r = paste(QByteArray(kMaxDrawSourceBytes, '\n') + text);
        QCOMPARE(std::make_pair(r.status, r.err),
                 std::make_pair(1, u"“标准输入”超过4MB，不是复制的开奖文字，没有读取。"_s));
        QVERIFY(r.out.isEmpty());
        r = paste(text);
        QCOMPARE(lines(r.out).last(), u"合计\t2\t2\t0"_s);
        QCOMPARE(rowCount(m_temp->connection(), u"kjhm"_s), 12);
    }

    // ssq-cli update reads the source from the settings file or --source.
    void cliUpdate() {
        pointSettingsAt(u"/normal"_s);
        const QString db = m_temp->path();
        Run r = runCliServed({u"--db"_s, db, u"update"_s, u"--dry-run"_s});
        QCOMPARE(r.status, 0);
        QCOMPARE(lines(r.out),
                 (QStringList{u"2026095\t04 06 14 21 22 33+16\t已有"_s,
                              u"2026096\t01 04 16 22 26 31+04\t已有"_s,
                              u"2026097\t05 11 17 23 29 33+07\t新增"_s,
                              u"2026098\t02 09 14 20 27 31+12\t新增"_s, u"合计\t2\t0\t0"_s}));
        r = runCliServed(
            {u"--db"_s, db, u"update"_s, u"--source"_s, m_server.url(u"/forbidden"_s).toString()});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, u"开奖数据服务拒绝了这次查询（HTTP 403）。"_s + pasteAdvice());
        r = runCliServed({u"--db"_s, db, u"update"_s});
        QCOMPARE(lines(r.out).last(), u"合计\t2\t2\t0"_s);
        // The amounts came with the draws.
        QCOMPARE(prizeAmount(m_temp->connection(), 6097, 1), std::optional<qint64>(7205925));
        QCOMPARE(prizeAmount(m_temp->connection(), 6098, 2), std::optional<qint64>(221045));
    }

    // The update window: the preview, the store after a confirmation, a refusal, cancel.
    void updateWindow() {
        pointSettingsAt(u"/normal"_s);
        UpdateDrawsWindow window(m_temp->database());
        window.show();
        QCOMPARE(textOf(&window, u"Text1"_s), m_server.url(u"/normal"_s).toString());
        QSignalSpy fetched(&window, &UpdateDrawsWindow::fetched);
        click(&window, u"Command1"_s);
        QVERIFY(!window.findChild<QPushButton*>(u"Command1"_s)->isEnabled());
        QVERIFY(fetched.wait(10000));
        auto* table = window.findChild<QTableWidget*>(u"Grid1"_s);
        QCOMPARE(table->item(2, 3)->text(), u"新增"_s);

        // No at the question stores nothing; yes stores both.
        const auto before = drawTables(m_temp->connection());
        click(&window, u"Command3"_s);
        QCOMPARE(m_prompter->questions().last(),
                 u"将把第2026097期至第2026098期共2期新的开奖数据保存到数据库中，确定吗？"_s);
        QCOMPARE(drawTables(m_temp->connection()), before);
        m_prompter->answerQuestion(true);
        click(&window, u"Command3"_s);
        QCOMPARE(rowCount(m_temp->connection(), u"kjhm"_s), 12);
        QCOMPARE(table->item(2, 3)->text(), u"已有"_s);

        retype(&window, u"Text1"_s, m_server.url(u"/text"_s).toString());
        click(&window, u"Command1"_s);
        QVERIFY(fetched.wait(10000));
        QVERIFY2(m_prompter->messageTexts().last().contains(u"回答中找不到开奖号码"_s),
                 qPrintable(m_prompter->messageTexts().last()));
        // The address typed is kept for the next time.
        QCOMPARE(loadUpdateSettings(m_temp->path()).source, m_server.url(u"/text"_s).toString());

        const qsizetype messages = m_prompter->messageTexts().size();
        retype(&window, u"Text1"_s, m_server.url(u"/silent"_s).toString());
        fetched.clear();
        click(&window, u"Command1"_s);
        click(&window, u"Command2"_s);
        QTRY_COMPARE(fetched.size(), 1);
        QCOMPARE(textOf(&window, u"Label2"_s), u"已取消联网更新，数据库没有改动。"_s);
        QCOMPARE(m_prompter->messageTexts().size(), messages);
        QVERIFY(window.findChild<QPushButton*>(u"Command1"_s)->isEnabled());
    }

    // The paste window reads as the player types; nothing can be stored while a line is wrong.
    void pasteWindow() {
        PasteDrawsWindow window(m_temp->database());
        window.show();
        auto* text = window.findChild<QPlainTextEdit*>(u"Text1"_s);
        auto* store = window.findChild<QPushButton*>(u"Command3"_s);
        text->setPlainText(u"2026097期 05,11,17,23,29,33+07\n2026098期 05,11,17,23,29,33+77"_s);
        QVERIFY(!store->isEnabled());
        QVERIFY(textOf(&window, u"Label3"_s).contains(u"有1期有误或与数据库中的不同"_s));
        text->setPlainText(u"2026097期 05,11,17,23,29,33+07\n2026098期 05,11,17,23,29,33+07"_s);
        QVERIFY(store->isEnabled());
        m_prompter->answerQuestion(true);
        click(&window, u"Command3"_s);
        QCOMPARE(rowCount(m_temp->connection(), u"kjhm"_s), 12);
        click(&window, u"Command2"_s);
        QCOMPARE(window.findChild<QTableWidget*>(u"Grid1"_s)->rowCount(), 0);
    }

    // Form9 takes seven digits, refuses another decade, asks in the digits typed before an issue
    // far ahead, and deletes by seven digits too.
    void entryWithSevenDigits() {
        DrawEntryWindow form9(m_temp->database());
        form9.show();
        const auto enter = [&](const QString& issue) {
            click(&form9, u"Command2"_s);
            retype(&form9, u"Text1"_s, issue);
            for (int k : {5, 11, 17, 23, 29, 33, 33 + 7})
                click(&form9, u"Check1_%1"_s.arg(k));
            click(&form9, u"Command1"_s);
        };
        enter(u"2016097"_s);
        QVERIFY2(m_prompter->messageTexts().last().startsWith(
                     u"期号2016097不是本数据库的年代。本数据库保存2020—2029年的开奖数据"_s),
                 qPrintable(m_prompter->messageTexts().last()));
        enter(u"2026907"_s);
        QCOMPARE(m_prompter->questions().last(),
                 u"第2026907期比最新的第2026096期大了811期，确定吗？"_s);
        QCOMPARE(rowCount(m_temp->connection(), u"kjhm"_s), 10);
        enter(u"2026097"_s);
        QCOMPARE(tableRows(m_temp->connection(), u"kjhm"_s).last().front().toInt(), 6097);

        m_prompter->answerInput(u"2026097"_s);
        click(&form9, u"Command4"_s);
        QCOMPARE(m_prompter->messageTexts().last(), u"第6097期的所有数据删除完毕"_s);
        QCOMPARE(rowCount(m_temp->connection(), u"kjhm"_s), 10);
    }
};

QTEST_MAIN(TestDrawUpdate)
#include "test_draw_update.moc"
