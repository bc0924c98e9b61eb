// The welcome window as a player meets it: the scrolling credit and caption clock, the way into
// the main window, the update instructions, the home page and the animation.

#include "shell/caption_clock.h"
#include "shell/main_window.h"
#include "shell/movie_player_widget.h"
#include "shell/web_addresses.h"
#include "shell/welcome_window.h"
#include "support/recording_url_opener.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"欢迎使用Ravelko2.2  "_s;

QList<ssq::MainWindow*> mainWindows() {
    QList<ssq::MainWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<ssq::MainWindow*>(w))
            found.append(main);
    return found;
}

void click(QWidget& window, const QString& name) {
    auto* button = window.findChild<QPushButton*>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

// The smallest GIF: one transparent pixel.
const QByteArray kOnePixelGif = QByteArray::fromHex(
    "4749463839610100010080000000000000000021f90401000000002c00000000010001000002024401003b");

} // namespace

class TestWelcomeWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void showsGreetingAndStartsClock();
    void creditMovesAndWrapsAround();
    void enterOpensMainWindowAndClosesWelcome();
    void enterReusesOpenMainWindow();
    void updateButtonExplainsThenOpensDownloadPage();
    void homeButtonOpensHomePage();
    void resolutionButtonSaysNotAvailable();
    void playerPlaysGifAndStaysEmptyWithoutIt();

private:
    std::unique_ptr<ssq::test::TempDatabase> m_temp;
    QPointer<ssq::WelcomeWindow> m_welcome;
};

void TestWelcomeWindow::init() {
    m_temp = std::make_unique<ssq::test::TempDatabase>();
    QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
    m_welcome = new ssq::WelcomeWindow(m_temp->database());
    m_welcome->show();
}

void TestWelcomeWindow::cleanup() {
    delete m_welcome;
    qDeleteAll(mainWindows());
    m_temp.reset();
}

void TestWelcomeWindow::showsGreetingAndStartsClock() {
    QCOMPARE(m_welcome->objectName(), u"Form7"_s);
    QCOMPARE(m_welcome->findChild<QLabel*>(u"Label2"_s)->text(), u"欢迎使用Ravelko2.2"_s);
    QCOMPARE(m_welcome->findChild<QLabel*>(u"Label1"_s)->text(),
             u"请在1024*768分辩率下使用本软件"_s);
    QCOMPARE(m_welcome->findChild<QLabel*>(u"Label6"_s)->text(),
             u"如果无法显示软件整个界面，请点击:"_s);
    QCOMPARE(m_welcome->findChild<QPushButton*>(u"Command7"_s)->text(),
             u"点击此处更改屏幕分辩率"_s);
    QVERIFY(m_welcome->findChild<QPushButton*>(u"Command3"_s)->isVisible());
    auto* timer = m_welcome->findChild<QTimer*>(u"Timer1"_s);
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 150);
}

void TestWelcomeWindow::creditMovesAndWrapsAround() {
    m_welcome->findChild<QTimer*>(u"Timer1"_s)->stop();
    auto* credit = m_welcome->findChild<QLabel*>(u"Label5"_s);
    const int start = m_welcome->creditLeft();
    const QDateTime first(QDate(2025, 3, 7), QTime(8, 9, 5));

    m_welcome->tick(first);
    QCOMPARE(m_welcome->creditLeft(), start + 50);
    QCOMPARE(credit->x(), qRound((start + 50) / 15.0));
    QCOMPARE(m_welcome->windowTitle(), kCaption + ssq::captionDateTime(first));

    // Moving ticks up to the first left edge at or beyond 10000, then back to 1.
    int ticks = 1;
    while (m_welcome->creditLeft() < 10000) {
        m_welcome->tick(first);
        ++ticks;
    }
    QCOMPARE(ticks, (10000 - start + 49) / 50);
    const QDateTime later = first.addSecs(30);
    m_welcome->tick(later);
    QCOMPARE(m_welcome->creditLeft(), 1);
    QCOMPARE(credit->x(), 0);
    QCOMPARE(m_welcome->windowTitle(), kCaption + ssq::captionDateTime(first));

    m_welcome->tick(later);
    QCOMPARE(m_welcome->creditLeft(), 51);
    QCOMPARE(m_welcome->windowTitle(), kCaption + ssq::captionDateTime(later));

    m_welcome->setCreditLeft(9999);
    m_welcome->tick(later);
    QCOMPARE(m_welcome->creditLeft(), 10049);
}

void TestWelcomeWindow::enterOpensMainWindowAndClosesWelcome() {
    QVERIFY(mainWindows().isEmpty());
    click(*m_welcome, u"Command3"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_welcome.isNull());

    const QList<ssq::MainWindow*> main = mainWindows();
    QCOMPARE(main.size(), 1);
    QCOMPARE(main.front()->objectName(), u"Form1"_s);
    QVERIFY(main.front()->isVisible());
    QCOMPARE(&main.front()->database(), &m_temp->database());
}

void TestWelcomeWindow::enterReusesOpenMainWindow() {
    auto* existing = new ssq::MainWindow(m_temp->database());
    click(*m_welcome, u"Command3"_s);
    QCOMPARE(mainWindows(), QList<ssq::MainWindow*>{existing});
    QVERIFY(existing->isVisible());
}

void TestWelcomeWindow::updateButtonExplainsThenOpensDownloadPage() {
    ssq::test::ScriptedPrompter prompter;
    ssq::test::RecordingUrlOpener browser;
    click(*m_welcome, u"Command1"_s);
    QCOMPARE(prompter.messageTexts(),
             QStringList{u"更新方法：打开您安装本软件时的文件夹，将内面的“ssq.mdb”这个文件删除，"
                         u"然后将您即将要下载的这个新的ssq.mdb数据库文件保存在这个文件内即可。"
                         u"或者您在下载时，直接将本数据库文件保存在这个安装了本软件的文件夹内，"
                         u"点击替换即可！"_s});
    QCOMPARE(prompter.messages().front().icon, ssq::Prompter::Icon::None);
    QCOMPARE(browser.opened(), QList<QUrl>{ssq::downloadPageUrl()});
    // The page ships beside the program.
    QVERIFY(browser.opened().front().isLocalFile());
    QVERIFY(
        browser.opened().front().toLocalFile().startsWith(QCoreApplication::applicationDirPath()));
    QVERIFY(m_welcome->isVisible());
}

void TestWelcomeWindow::homeButtonOpensHomePage() {
    ssq::test::ScriptedPrompter prompter;
    ssq::test::RecordingUrlOpener browser;
    click(*m_welcome, u"Command6"_s);
    QCOMPARE(browser.opened(), QList<QUrl>{ssq::homePageUrl()});
    QVERIFY(ssq::homePageUrl() != ssq::downloadPageUrl());
    QVERIFY(prompter.messages().isEmpty());
}

void TestWelcomeWindow::resolutionButtonSaysNotAvailable() {
    ssq::test::ScriptedPrompter prompter;
    click(*m_welcome, u"Command7"_s);
    QCOMPARE(prompter.messageTexts(),
             QStringList{u"更改屏幕分辨率的功能还没有完成，暂时不能使用。"
                         u"请在系统的显示设置中把屏幕分辨率调整为1024×768或更高。"_s});
    QVERIFY(m_welcome->isVisible());
}

void TestWelcomeWindow::playerPlaysGifAndStaysEmptyWithoutIt() {
    // The test folder holds no ssq.gif: the welcome window's player is empty.
    auto* player = m_welcome->findChild<ssq::MoviePlayerWidget*>(u"ShockwaveFlash1"_s);
    QVERIFY(player);
    QVERIFY(!player->isPlaying());
    QVERIFY(!player->movie());

    QFile gif(m_temp->folder() + u"/ssq.gif"_s);
    QVERIFY(gif.open(QIODevice::WriteOnly));
    gif.write(kOnePixelGif);
    gif.close();
    QVERIFY(player->play(gif.fileName()));
    QVERIFY(player->isPlaying());
    QVERIFY(player->movie());

    QVERIFY(!player->play(m_temp->folder() + u"/missing.gif"_s));
    QVERIFY(!player->isPlaying());
    QVERIFY(!player->movie());
}

QTEST_MAIN(TestWelcomeWindow)
#include "test_welcome_window.moc"
