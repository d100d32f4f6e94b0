#include "window_measure.h"

#include <cmath>

namespace zobu {

int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

}  // namespace zobu
