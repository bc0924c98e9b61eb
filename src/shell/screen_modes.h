#pragma once
// The desktop's display modes and the mode table behind the screen-resolution window: the
// desktop's modes in its order, the index of the active one, and temporary switches between
// them. The window system is behind the DisplayModes interface: Xrandr on X11, a read-only view
// of the screen elsewhere, a fake in the tests.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ssq {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int frequency = 0; // Hz; 0 or 1 is the hardware default

    bool operator==(const DisplayMode&) const = default;
};

// "16 colors", "256 colors", "32bit color" above 24 bits, "24bit color" for any other depth.
QString colorText(int bitsPerPixel);
// "1024 x 768, 32bit color, 75 Hz" or "…, (Hardware default)" for a frequency below 2.
QString modeText(const DisplayMode& mode);

// What the screen-resolution window needs from the window system.
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

// The modes the window lists and the index of the active one.
class ScreenModes {
public:
    explicit ScreenModes(DisplayModes& desktop) : m_desktop(desktop) {}

    // Reads the desktop's modes afresh, finds the active one and stores its index; returns the
    // texts to list, one a mode.
    QStringList loadModes();
    // The first listed mode equal to the active one in all four values; -1 when none is.
    int findCurrentMode();

    int currentModeIndex() const { return m_current; }
    void setCurrentModeIndex(int index) { m_current = index; }
    int count() const { return int(m_table.size()); }
    bool canSwitch() const { return m_desktop.canSwitch(); }

    // Switches to listed mode `index` temporarily; false when the index is not listed or the
    // desktop refused.
    bool applyMode(int index);
    // Goes back after the player refused a switch: to the mode at the current index, or, when
    // the active mode was never found in the list, to `before` (the mode read before the switch).
    bool revertChange(const std::optional<DisplayMode>& before);
    std::optional<DisplayMode> activeMode() { return m_desktop.activeMode(); }

private:
    DisplayModes& m_desktop;
    std::vector<DisplayMode> m_table;
    int m_current = -1;
};

} // namespace ssq
