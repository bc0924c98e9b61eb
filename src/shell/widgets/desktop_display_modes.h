#pragma once
// The display modes of the desktop the program runs on: Xrandr on X11; elsewhere (Wayland, no
// Xrandr, the offscreen platform) a read-only view of the primary screen that cannot switch.

#include "shell/screen_modes.h"

#include <memory>

namespace ssq {

std::unique_ptr<DisplayModes> makeDesktopDisplayModes();

// Display modes of an X11 desktop through Xrandr: the modes of the primary output (or the first
// connected output that shows a picture), the active mode of its CRTC, and temporary switches
// with XRRSetCrtcConfig. Nothing is written to any saved configuration.
class XrandrDisplayModes : public DisplayModes {
public:
    // Connects to $DISPLAY; nullptr when there is no X display, no Xrandr 1.2 or no active
    // output (the program was built without Xrandr: always nullptr).
    static std::unique_ptr<XrandrDisplayModes> open();
    ~XrandrDisplayModes() override;

    bool canSwitch() const override { return true; }
    std::vector<DisplayMode> modes() override;
    std::optional<DisplayMode> activeMode() override;
    bool apply(const DisplayMode& mode) override;

private:
    struct Connection;
    explicit XrandrDisplayModes(std::unique_ptr<Connection> connection);

    std::unique_ptr<Connection> m_x;
};

} // namespace ssq
