#pragma once
// Positions and widths of the program's forms and grids are given in twips: 1440 to the inch,
// so 15 twips make one device-independent pixel at 96 dpi.

namespace ssq {

constexpr double kTwipsPerPixel = 15.0;

// Rounded to the nearest pixel.
int twipsToPixels(double twips);
double pixelsToTwips(int pixels);

} // namespace ssq
