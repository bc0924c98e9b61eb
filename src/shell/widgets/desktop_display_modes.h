#pragma once
// The display modes of the desktop the program runs on: Xrandr on X11; elsewhere (Wayland, no
// Xrandr, the offscreen platform) a read-only view of the primary screen that cannot switch.

#include "shell/display_modes.h"

#include <memory>

namespace ssq {

std::unique_ptr<DisplayModes> makeDesktopDisplayModes();

} // namespace ssq
