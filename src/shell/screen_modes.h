#pragma once
// The mode table behind the screen-resolution window: the desktop's modes in its order, the
// index of the active one, and temporary switches between them.

#include "shell/display_modes.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace ssq {

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
