// The screen-resolution window on a fake desktop: mode texts, switches confirmed or refused, the
// restore offered on closing, an active mode not listed, and a desktop that cannot switch.

#include "shell/screen_modes.h"
#include "shell/widgets/screen_mode_window.h"
#include "shell/widgets/welcome_window.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using ssq::DisplayMode;

namespace {

// A desktop whose modes are a list; apply() switches unless the mode is refused, and every
// switch is recorded.
class FakeDisplayModes : public ssq::DisplayModes {
public:
    std::vector<DisplayMode> list;
    std::optional<DisplayMode> active;
    std::vector<DisplayMode> applied;
    std::optional<DisplayMode> refused;
    bool switchable = true;

    bool canSwitch() const override { return switchable; }
    std::vector<DisplayMode> modes() override { return list; }
    std::optional<DisplayMode> activeMode() override { return active; }
    bool apply(const DisplayMode& mode) override {
        if (refused && *refused == mode)
            return false;
        applied.push_back(mode);
        active = mode;
        return true;
    }
};

const DisplayMode k800{800, 600, 32, 60};
const DisplayMode k1024{1024, 768, 32, 75};
const DisplayMode k1280{1280, 1024, 16, 1};

const QString kConfirm = u"您的屏幕分辩率更改完成，请确定"_s;
const QString kKeep = u"本次设置已生效，您想保存本次设置吗?（点“否”恢复上次设置）"_s;
const QString kAbout = u"即将更改您的屏幕分辩率"_s;

} // namespace

class TestScreenModes : public QObject {
    Q_OBJECT

    std::unique_ptr<ssq::test::ScriptedPrompter> m_prompter;
    FakeDisplayModes* m_desktop = nullptr;
    ssq::ScreenModeWindow* m_window = nullptr;

    void open(std::optional<DisplayMode> active = k800, bool switchable = true) {
        auto desktop = std::make_unique<FakeDisplayModes>();
        desktop->list = {k800, k1024, k1280};
        desktop->active = active;
        desktop->switchable = switchable;
        m_desktop = desktop.get();
        m_window = new ssq::ScreenModeWindow(std::move(desktop));
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->show();
    }
    QComboBox* list() const { return m_window->findChild<QComboBox*>(u"Combo1"_s); }
    void choose(int index) {
        list()->setCurrentIndex(index);
        ssq::test::click(m_window, u"Command1"_s);
    }

private Q_SLOTS:
    void init() { m_prompter = std::make_unique<ssq::test::ScriptedPrompter>(); }
    void cleanup() {
        delete m_window;
        m_window = nullptr;
        m_prompter.reset();
    }

    void modeTexts_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("hz");
        QTest::addColumn<QString>("text");
        QTest::newRow("16 bits, 2 Hz") << 16 << 2 << u"1024 x 768, 24bit color, 2 Hz"_s;
        QTest::newRow("8 bits, 0 Hz") << 8 << 0 << u"1024 x 768, 256 colors, (Hardware default)"_s;
        QTest::newRow("4 bits, 1 Hz") << 4 << 1 << u"1024 x 768, 16 colors, (Hardware default)"_s;
    }
    void modeTexts() {
        QFETCH(int, bits);
        QFETCH(int, hz);
        QFETCH(QString, text);
        QCOMPARE(ssq::modeText({1024, 768, bits, hz}), text);
    }

    // Opening selects the active mode; the screen size is told; closing without a change asks
    // nothing.
    void opensOnActiveModeAndClosesQuietly() {
        open(k1024);
        QCOMPARE(list()->count(), 3);
        QCOMPARE(list()->itemText(2), u"1280 x 1024, 24bit color, (Hardware default)"_s);
        QCOMPARE(list()->currentIndex(), 1);
        QVERIFY(!m_window->findChild<QLabel*>(u"switchUnavailable"_s));
        ssq::test::click(m_window, u"Command3"_s);
        ssq::test::click(m_window, u"Command2"_s);
        m_window = nullptr; // deleted on close
        QVERIFY(m_prompter->questions().isEmpty());
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"1024x768"_s});
    }

    // Modes are given as places in the list 800, 1024, 1280; the window opens on 800.
    void switches_data() {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<int>("refusedByDesktop"); // -1: none
        QTest::addColumn<int>("shown");            // the list's choice before closing
        QTest::addColumn<QList<int>>("applied");   // after closing
        QTest::addColumn<QStringList>("questions");
        QTest::newRow("No to the confirmation goes back")
            << QList<bool>{} << QList<int>{1} << -1 << 0 << QList<int>{1, 0}
            << QStringList{kConfirm};
        QTest::newRow("Yes, Yes, then No on closing restores the first mode")
            << QList<bool>{true, true} << QList<int>{1, 2} << -1 << 2 << QList<int>{1, 2, 0}
            << QStringList{kConfirm, kConfirm, kKeep};
        QTest::newRow("refused by the desktop: nothing changes")
            << QList<bool>{} << QList<int>{2} << 2 << 0 << QList<int>{} << QStringList{};
    }
    void switches() {
        QFETCH(QList<bool>, answers);
        QFETCH(QList<int>, chosen);
        QFETCH(int, refusedByDesktop);
        QFETCH(int, shown);
        QFETCH(QList<int>, applied);
        QFETCH(QStringList, questions);
        const std::vector<DisplayMode> modes{k800, k1024, k1280};
        open(k800);
        for (bool yes : answers)
            m_prompter->answerQuestion(yes);
        if (refusedByDesktop >= 0)
            m_desktop->refused = modes[std::size_t(refusedByDesktop)];
        for (int i : chosen)
            choose(i);
        QCOMPARE(list()->currentIndex(), shown);
        QCOMPARE(m_prompter->messageTexts(), QStringList(chosen.size(), kAbout));
        const FakeDisplayModes* desktop = m_desktop;
        m_window->close();
        m_window = nullptr;
        QCOMPARE(m_prompter->questions(), questions);
        std::vector<DisplayMode> expected;
        for (int i : applied)
            expected.push_back(modes[std::size_t(i)]);
        QCOMPARE(desktop->applied, expected);
    }

    // The active mode is not listed: an error, no selection, a refused switch goes back to the
    // mode read before it, and no restore is offered on closing.
    void activeModeNotListed() {
        const DisplayMode odd{1366, 768, 24, 60};
        open(odd);
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"错误：不能读取新设置！"_s});
        QCOMPARE(list()->currentIndex(), -1);
        ssq::test::click(m_window, u"Command1"_s); // nothing chosen: nothing happens
        QCOMPARE(m_prompter->messageTexts().size(), 1);
        choose(0);
        QCOMPARE(m_desktop->applied, (std::vector<DisplayMode>{k800, odd}));
        m_prompter->answerQuestion(true);
        choose(1);
        m_window->close();
        m_window = nullptr;
        QCOMPARE(m_prompter->questions(), (QStringList{kConfirm, kConfirm}));
    }

    // A desktop that cannot switch lists what it can read and says so; the switch is off.
    void desktopThatCannotSwitch() {
        open(k1024, false);
        auto* note = m_window->findChild<QLabel*>(u"switchUnavailable"_s);
        QVERIFY(note && note->isVisible() && note->text().contains(u"Wayland"_s));
        QVERIFY(!m_window->findChild<QPushButton*>(u"Command1"_s)->isEnabled());
        QCOMPARE(list()->currentIndex(), 1);
    }

    // The welcome window's button opens one window on the desktop the test runs on, which
    // outlives the welcome window.
    void welcomeButtonOpensTheWindow() {
        ssq::test::TempDatabase temp;
        auto* welcome = new ssq::WelcomeWindow(temp.database());
        welcome->show();
        ssq::test::click(welcome, u"Command7"_s);
        ssq::test::click(welcome, u"Command7"_s);
        const QList<ssq::ScreenModeWindow*> windows = ssq::test::topLevel<ssq::ScreenModeWindow>();
        QCOMPARE(windows.size(), 1);
        ssq::ScreenModeWindow* opened = windows.front();
        QVERIFY(opened->findChild<QComboBox*>(u"Combo1"_s)->count() >= 1);
        delete welcome;
        QVERIFY(opened->isVisible());
        delete opened;
    }
};

QTEST_MAIN(TestScreenModes)
#include "test_screen_modes.moc"
