// Lengths on the Qt window: the layout, the load step and folding work in twips (1/1440
// inch); Qt works in device-independent pixels.
#pragma once

#include "outer_height.h"

namespace zobu {

// Qt lays the window out at 96 dots per inch, where a pixel is 15 twips; Qt's high-DPI
// scaling takes it from there.
inline constexpr unsigned kQtDpi = 96;
inline constexpr double kTwipsPerPixel = 1440.0 / kQtDpi;

// The window height the program reads and sets is its client height plus this fixed frame
// (435 twips of title bar and top edge, 45 of bottom edge). Whatever frame the window manager
// really draws, or none, the recorded fold heights then always mean the same client height.
inline constexpr double kFrameHeightTwips = 480.0;

// A single-line border is a flat 1-pixel box; text keeps this distance from it on the side
// it is aligned to.
inline constexpr int kBorderPixels = 1;
inline constexpr int kTextIndentPixels = 3;

// The nearest whole pixel to a length or an edge in twips.
inline int TwipsToPixels(double twips) {
    return TwipsToPixels(twips, kQtDpi);
}

}  // namespace zobu
