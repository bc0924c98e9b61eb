#include "ui/twips.h"

#include <cmath>

namespace ssq {

int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

double pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

} // namespace ssq
