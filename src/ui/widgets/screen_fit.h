#pragma once
// Windows that fit the screen they open on: a laptop at 1366 × 768 with a taskbar, or a
// 1920 × 1080 screen at 150 % (1280 × 720 to Qt) leaves less room than the windows' own sizes.

class QWidget;

namespace ssq {

// Room a window's frame takes around its contents (title bar, borders) before the window
// system tells, so a fitted window's frame stays on screen too.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;

// Shrinks the top-level `window` (never below its minimum size) to the available area of its
// screen less the frame, and moves it into that area.
void fitOnScreen(QWidget& window);

} // namespace ssq
