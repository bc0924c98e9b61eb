#include "shell/display_mode.h"

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

} // namespace ssq
