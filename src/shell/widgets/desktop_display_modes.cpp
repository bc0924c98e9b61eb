#include "shell/widgets/desktop_display_modes.h"

#include "shell/widgets/xrandr_display_modes.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// What Qt can tell about the primary screen: its one active mode, and no way to switch.
class ScreenOnlyDisplayModes : public DisplayModes {
public:
    bool canSwitch() const override { return false; }
    std::vector<DisplayMode> modes() override {
        std::vector<DisplayMode> all;
        if (const std::optional<DisplayMode> active = activeMode())
            all.push_back(*active);
        return all;
    }
    std::optional<DisplayMode> activeMode() override {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return std::nullopt;
        const QSize pixels = screen->size() * screen->devicePixelRatio();
        return DisplayMode{pixels.width(), pixels.height(), screen->depth(),
                           int(std::lround(screen->refreshRate()))};
    }
    bool apply(const DisplayMode&) override { return false; }
};

} // namespace

std::unique_ptr<DisplayModes> makeDesktopDisplayModes() {
    if (QGuiApplication::platformName() == u"xcb"_s)
        if (std::unique_ptr<XrandrDisplayModes> x = XrandrDisplayModes::open())
            return x;
    return std::make_unique<ScreenOnlyDisplayModes>();
}

} // namespace ssq
