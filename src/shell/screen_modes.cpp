#include "shell/screen_modes.h"

using namespace Qt::StringLiterals;

namespace ssq {

QString colorText(int bitsPerPixel) {
    if (bitsPerPixel == 4)
        return u"16 colors"_s;
    if (bitsPerPixel == 8)
        return u"256 colors"_s;
    if (bitsPerPixel > 24)
        return u"32bit color"_s;
    return u"24bit color"_s;
}

QString modeText(const DisplayMode& mode) {
    const QString text = QString::number(mode.width) + u" x "_s + QString::number(mode.height) +
                         u", "_s + colorText(mode.bitsPerPixel);
    if (mode.frequency < 2)
        return text + u", (Hardware default)"_s;
    return text + u", "_s + QString::number(mode.frequency) + u" Hz"_s;
}

QStringList ScreenModes::loadModes() {
    m_table = m_desktop.modes();
    QStringList texts;
    for (const DisplayMode& mode : m_table)
        texts.append(modeText(mode));
    m_current = findCurrentMode();
    return texts;
}

int ScreenModes::findCurrentMode() {
    const std::optional<DisplayMode> active = m_desktop.activeMode();
    if (!active)
        return -1;
    for (int i = 0; i < count(); ++i)
        if (m_table[i] == *active)
            return i;
    return -1;
}

bool ScreenModes::applyMode(int index) {
    if (index < 0 || index >= count() || !m_desktop.canSwitch())
        return false;
    return m_desktop.apply(m_table[index]);
}

bool ScreenModes::revertChange(const std::optional<DisplayMode>& before) {
    if (m_current >= 0)
        return applyMode(m_current);
    return before && m_desktop.apply(*before);
}

} // namespace ssq
