#pragma once
// The desktop's display modes: what the screen-resolution window needs from the window system.
// The program uses Xrandr on X11 and a read-only view of the screen elsewhere; tests use a fake.

#include "shell/display_mode.h"

#include <optional>
#include <vector>

namespace ssq {

class DisplayModes {
public:
    virtual ~DisplayModes() = default;

    // False on desktops where the program cannot switch modes (Wayland, no Xrandr).
    virtual bool canSwitch() const = 0;
    // The modes the desktop offers, in its own order.
    virtual std::vector<DisplayMode> modes() = 0;
    // The active mode; nullopt when it cannot be read.
    virtual std::optional<DisplayMode> activeMode() = 0;
    // Switches to `mode` for this session only (nothing is saved); true when the desktop did.
    virtual bool apply(const DisplayMode& mode) = 0;
};

} // namespace ssq
