// The Xrandr back end on a real X server (run under xvfb-run): it lists at least one mode, finds
// the active one among them, and switching to the active mode succeeds.

#include "shell/screen_modes.h"
#include "shell/widgets/desktop_display_modes.h"

#include <QGuiApplication>
#include <QTest>

using namespace Qt::StringLiterals;

class TestXrandrDisplayModes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listsAndFindsTheActiveMode() {
        QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
        std::unique_ptr<ssq::XrandrDisplayModes> x = ssq::XrandrDisplayModes::open();
        QVERIFY(x);
        const std::vector<ssq::DisplayMode> modes = x->modes();
        QVERIFY(!modes.empty());
        const std::optional<ssq::DisplayMode> active = x->activeMode();
        QVERIFY(active && active->width > 0 && active->height > 0 && active->bitsPerPixel > 0);

        ssq::ScreenModes table(*x);
        const QStringList texts = table.loadModes();
        QCOMPARE(texts.size(), qsizetype(modes.size()));
        QVERIFY(table.currentModeIndex() >= 0);
        QVERIFY(texts[table.currentModeIndex()].startsWith(
            u"%1 x %2, "_s.arg(active->width).arg(active->height)));
        QVERIFY(table.applyMode(table.currentModeIndex()));
        QCOMPARE(x->activeMode(), active);
    }

    void desktopOfTheProgramIsXrandr() {
        const std::unique_ptr<ssq::DisplayModes> desktop = ssq::makeDesktopDisplayModes();
        QVERIFY(desktop->canSwitch());
    }
};

QTEST_MAIN(TestXrandrDisplayModes)
#include "xvfb_display_modes.moc"
