// The welcome window as a player meets it: the credit and clock, the way into the main window,
// the first-start offer of the shipped history, the pages and the animation.

#include "shell/caption_clock.h"
#include "shell/widgets/main_window.h"
#include "shell/widgets/movie_player_widget.h"
#include "shell/widgets/welcome_window.h"
#include "store/shipped_history.h"
#include "store/widgets/history_import_window.h"
#include "store/widgets/update_draws_window.h"
#include "support/draw_tables.h"
#include "support/recording_url_opener.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"
#include "ui/gif_writer.h"
#include "ui/url_opener.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestWelcomeWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ssq::test::TempDatabase> m_temp;
    std::unique_ptr<ssq::test::ScriptedPrompter> m_prompter;
    QPointer<ssq::WelcomeWindow> m_welcome;

    static QList<ssq::MainWindow*> mainWindows() { return ssq::test::topLevel<ssq::MainWindow>(); }
    static ssq::HistoryImportWindow* importWindow() {
        return ssq::test::topLevel<ssq::HistoryImportWindow>().value(0);
    }
    void click(const QString& name) { ssq::test::click(m_welcome, name); }

private Q_SLOTS:
    void init() {
        m_temp = std::make_unique<ssq::test::TempDatabase>();
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
        m_prompter = std::make_unique<ssq::test::ScriptedPrompter>();
        m_welcome = new ssq::WelcomeWindow(m_temp->database());
        m_welcome->show();
    }
    void cleanup() {
        delete m_welcome;
        delete importWindow();
        qDeleteAll(mainWindows());
        m_prompter.reset();
        m_temp.reset();
    }

    // The credit moves 50 twips a tick up to the first left edge at or beyond 10000, then starts
    // again at 1; the caption clock follows only the moving ticks.
    void creditMovesAndWrapsAround() {
        m_welcome->findChild<QTimer*>(u"Timer1"_s)->stop();
        QDateTime now(QDate(2025, 3, 7), QTime(8, 9, 5));
        for (const auto& [before, after, moved] : {std::tuple{9950, 10000, true},
                                                   {10000, 1, false},
                                                   {1, 51, true},
                                                   {9999, 10049, true}}) {
            m_welcome->setCreditLeft(before);
            const QString caption = m_welcome->windowTitle();
            now = now.addSecs(30);
            m_welcome->tick(now);
            QCOMPARE(m_welcome->creditLeft(), after);
            QCOMPARE(m_welcome->windowTitle(),
                     moved ? u"欢迎使用Ravelko2.2  "_s + ssq::captionDateTime(now) : caption);
        }
    }

    void enterOpensMainWindowOnce() {
        click(u"Command3"_s);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_welcome.isNull());
        const QList<ssq::MainWindow*> main = mainWindows();
        QCOMPARE(main.size(), 1);
        QVERIFY(main.front()->isVisible());
        m_welcome = new ssq::WelcomeWindow(m_temp->database());
        click(u"Command3"_s);
        QCOMPARE(mainWindows(), main);
    }

    // The update window opens; the home and download pages open in the browser.
    void buttonsOpenUpdateWindowAndPages() {
        ssq::test::RecordingUrlOpener browser;
        click(u"Command1"_s);
        const QList<ssq::UpdateDrawsWindow*> update = ssq::test::topLevel<ssq::UpdateDrawsWindow>();
        QVERIFY(update.size() == 1 && update.front()->isVisible());
        delete update.front();
        click(u"Command6"_s);
        ssq::HistoryImportWindow* import =
            ssq::HistoryImportWindow::open(m_temp->database(), nullptr);
        ssq::test::click(import, u"Command5"_s);
        QCOMPARE(browser.opened(), (QList<QUrl>{ssq::homePageUrl(), ssq::downloadPageUrl()}));
        QVERIFY(m_prompter->messageTexts().isEmpty());
        QVERIFY(m_welcome->isVisible());
        delete import;
    }

    // An empty database is offered the shipped history once per start: No leaves it empty, Yes
    // imports it, and a start with draws stored asks nothing.
    void firstStartOffersShippedHistory() {
        click(u"Command3"_s);
        QTRY_COMPARE(m_prompter->questions().size(), 1);
        QVERIFY(!importWindow());
        QCOMPARE(ssq::test::rowCount(m_temp->connection(), u"kjhm"_s), 0);
        qDeleteAll(mainWindows());

        m_prompter->answerQuestion(true);
        m_welcome = new ssq::WelcomeWindow(m_temp->database());
        click(u"Command3"_s);
        QTRY_COMPARE(m_prompter->questions().size(), 2);
        QVERIFY(m_prompter->questions().back().contains(u"2020001期至2026096期，共983期"_s));
        ssq::HistoryImportWindow* import = importWindow();
        QVERIFY(import);
        QTRY_VERIFY_WITH_TIMEOUT(!import->isRunning() && !m_prompter->messageTexts().isEmpty(),
                                 60000);
        QCOMPARE(ssq::test::rowCount(m_temp->connection(), u"kjhm"_s), 983);

        ssq::MainWindow* main = mainWindows().front();
        ssq::test::click(main, u"Command1"_s);
        QStringList row;
        for (int i = 1; i <= 7; ++i)
            row.append(ssq::test::textOf(main, u"Text1_%1"_s.arg(i)));
        QCOMPARE(row, u"1 4 16 22 26 31 4"_s.split(u' '));

        qDeleteAll(mainWindows());
        m_welcome = new ssq::WelcomeWindow(m_temp->database());
        click(u"Command3"_s);
        QTest::qWait(50);
        QCOMPARE(m_prompter->questions().size(), 2);
    }

    // The test folder holds no ssq.gif, so the welcome window's player starts empty.
    void playerPlaysGifAndStaysEmptyWithoutIt() {
        auto* player = m_welcome->findChild<ssq::MoviePlayerWidget*>(u"ShockwaveFlash1"_s);
        QVERIFY(player && !player->isPlaying() && !player->movie());
        const QString gif = m_temp->folder() + u"/ssq.gif"_s;
        QVERIFY(ssq::writeAnimatedGif(gif, {QImage(4, 4, QImage::Format_RGB32)}, 100));
        QVERIFY(player->play(gif) && player->isPlaying());
        QVERIFY(!player->play(m_temp->folder() + u"/missing.gif"_s) && !player->movie());
    }
};

QTEST_MAIN(TestWelcomeWindow)
#include "test_welcome_window.moc"
