// The welcome window as a player meets it: the scrolling credit and caption clock, the way into
// the main window, the update instructions, the home page and the animation.

#include "shell/caption_clock.h"
#include "shell/main_window.h"
#include "shell/movie_player_widget.h"
#include "shell/welcome_window.h"
#include "support/recording_url_opener.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"
#include "ui/qt_gif_writer.h"
#include "ui/web_addresses.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestWelcomeWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ssq::test::TempDatabase> m_temp;
    std::unique_ptr<ssq::test::ScriptedPrompter> m_prompter;
    QPointer<ssq::WelcomeWindow> m_welcome;

    static QList<ssq::MainWindow*> mainWindows() {
        QList<ssq::MainWindow*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* main = qobject_cast<ssq::MainWindow*>(w))
                found.append(main);
        return found;
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
        qDeleteAll(mainWindows());
        m_prompter.reset();
        m_temp.reset();
    }

    // The credit moves 50 twips a tick up to the first left edge at or beyond 10000, then starts
    // again at 1; the caption clock follows only the moving ticks.
    void creditMovesAndWrapsAround() {
        auto* timer = m_welcome->findChild<QTimer*>(u"Timer1"_s);
        QVERIFY(timer->isActive() && timer->interval() == 150);
        timer->stop();
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
        QCOMPARE(m_welcome->findChild<QLabel*>(u"Label5"_s)->x(), 670); // 10049 twips
    }

    void enterOpensMainWindowOnce() {
        click(u"Command3"_s);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_welcome.isNull());
        const QList<ssq::MainWindow*> main = mainWindows();
        QCOMPARE(main.size(), 1);
        QVERIFY(main.front()->objectName() == u"Form1"_s && main.front()->isVisible());
        QCOMPARE(&main.front()->database(), &m_temp->database());

        // A main window already open is the one shown.
        m_welcome = new ssq::WelcomeWindow(m_temp->database());
        click(u"Command3"_s);
        QCOMPARE(mainWindows(), main);
    }

    void buttonsOpenPagesAndExplain() {
        ssq::test::RecordingUrlOpener browser;
        click(u"Command1"_s);
        click(u"Command6"_s);
        const QStringList told = m_prompter->messageTexts();
        QVERIFY(told.size() == 1 && told[0].startsWith(u"更新方法：打开您安装本软件时的文件夹"_s));
        // The download page ships beside the program.
        QCOMPARE(browser.opened(), (QList<QUrl>{ssq::downloadPageUrl(), ssq::homePageUrl()}));
        QVERIFY(browser.opened().front().toLocalFile().startsWith(
            QCoreApplication::applicationDirPath()));
        QVERIFY(ssq::homePageUrl() != ssq::downloadPageUrl());
        QVERIFY(m_welcome->isVisible());
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
