// The screen-resolution window on an X server with three modes (Xorg's dummy driver: 1280x1024,
// 1024x768, 800x600): switches really happen, refusing one brings the previous mode and screen
// size back, a larger mode refused leaves the screen no larger than the mode, and closing with
// 否 returns to the mode the window opened with. Run by run_on_xorg_dummy.sh.

#include "shell/widgets/desktop_display_modes.h"
#include "shell/widgets/screen_mode_window.h"
#include "support/scripted_prompter.h"
#include "support/widget_actions.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QTest>

#include <X11/Xlib.h>

using namespace Qt::StringLiterals;

namespace {

// The root window's size asked from the server on a connection of the test's own.
QSize serverScreenSize() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return {};
    ::Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(display, DefaultRootWindow(display), &root, &x, &y, &width, &height, &border,
                 &depth);
    XCloseDisplay(display);
    return QSize(int(width), int(height));
}

QSize activeSize() {
    const std::unique_ptr<ssq::XrandrDisplayModes> x = ssq::XrandrDisplayModes::open();
    if (!x)
        return {};
    const std::optional<ssq::DisplayMode> active = x->activeMode();
    return active ? QSize(active->width, active->height) : QSize();
}

} // namespace

class TestXorgDisplayModes : public QObject {
    Q_OBJECT

    ssq::ScreenModeWindow* m_window = nullptr;

    QComboBox* list() const { return m_window->findChild<QComboBox*>(u"Combo1"_s); }
    int indexOf(QSize size) const {
        for (int i = 0; i < list()->count(); ++i)
            if (list()->itemText(i).startsWith(u"%1 x %2, "_s.arg(size.width()).arg(size.height())))
                return i;
        return -1;
    }
    // Chooses `size` in the list and clicks 更改屏幕分辩率.
    void change(QSize size) {
        const int index = indexOf(size);
        QVERIFY2(index >= 0,
                 qPrintable(u"%1x%2 not listed"_s.arg(size.width()).arg(size.height())));
        list()->setCurrentIndex(index);
        ssq::test::click(m_window, u"Command1"_s);
    }
    void expectMode(QSize size) {
        QCOMPARE(activeSize(), size);
        QCOMPARE(serverScreenSize(), size);
        QVERIFY2(
            list()->currentText().startsWith(u"%1 x %2, "_s.arg(size.width()).arg(size.height())),
            qPrintable(list()->currentText()));
    }

private Q_SLOTS:
    void init() {
        QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
        std::unique_ptr<ssq::XrandrDisplayModes> x = ssq::XrandrDisplayModes::open();
        QVERIFY(x);
        // Every case starts at the largest mode.
        for (const ssq::DisplayMode& mode : x->modes())
            if (mode.width == 1280 && mode.height == 1024) {
                QVERIFY(x->apply(mode));
                break;
            }
        QCOMPARE(serverScreenSize(), QSize(1280, 1024));
        m_window = new ssq::ScreenModeWindow(std::move(x));
        m_window->show();
    }
    void cleanup() {
        delete m_window;
        m_window = nullptr;
    }

    void refusingASmallerModeGoesBack() {
        ssq::test::ScriptedPrompter prompter;
        expectMode({1280, 1024});
        change({1024, 768}); // 否 to the confirmation
        expectMode({1280, 1024});
        prompter.answerQuestion(true);
        change({1024, 768}); // the next change still happens
        expectMode({1024, 768});
    }

    void refusingALargerModeLeavesTheScreenAsItWas() {
        ssq::test::ScriptedPrompter prompter;
        prompter.answerQuestion(true);
        change({800, 600});
        expectMode({800, 600});
        change({1280, 1024}); // 否
        expectMode({800, 600});
        prompter.answerQuestion(true);
        change({1024, 768});
        expectMode({1024, 768});
    }

    void closingWithNoReturnsToTheOpeningMode() {
        ssq::test::ScriptedPrompter prompter;
        prompter.answerQuestion(true);
        prompter.answerQuestion(true);
        change({800, 600});
        change({1024, 768});
        expectMode({1024, 768});
        m_window->close(); // 否 to keeping the change
        QCOMPARE(prompter.questions().size(), 3);
        QCOMPARE(activeSize(), QSize(1280, 1024));
        QCOMPARE(serverScreenSize(), QSize(1280, 1024));
    }
};

QTEST_MAIN(TestXorgDisplayModes)
#include "xorg_display_modes.moc"
