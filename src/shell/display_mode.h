#pragma once
// One display mode of the desktop and the text the screen-resolution window lists it by.

#include <QString>

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

} // namespace ssq
