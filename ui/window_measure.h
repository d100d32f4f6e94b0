// Lengths on the window: the layout, the load step and folding work in twips (1/1440 inch);
// Qt works in device-independent pixels. Also the 16-bit arithmetic the fold heights use.
#pragma once

#include <cstdint>

namespace zobu {

// At 96 dots per inch a pixel is 15 twips; Qt's high-DPI scaling takes it from there.
inline constexpr double kTwipsPerPixel = 15.0;

// The window height the program reads and sets is its client height plus this fixed frame
// (435 twips of title bar and top edge, 45 of bottom edge). Whatever frame the window manager
// really draws, or none, the recorded fold heights then always mean the same client height.
inline constexpr double kFrameHeightTwips = 480.0;

// The nearest whole pixel to a length or an edge in twips.
int TwipsToPixels(double twips);

// Stores a real length as a 16-bit integer: nearest integer, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4). Throws CalcFailure(Overflow) outside -32768..32767, or for NaN.
std::int16_t ToInt16(double value);

// 16-bit signed addition; throws CalcFailure(Overflow) when the sum does not fit.
std::int16_t AddInt16(std::int16_t a, std::int16_t b);

// The height a fold toggle moves the window to from `current`: below the midpoint of the two
// recorded heights (their 16-bit sum halved, truncated toward zero) it unfolds to `full`,
// at or above it it folds to `fold`. Throws CalcFailure(Overflow) when the sum overflows.
double FoldToggleHeight(double current, std::int16_t full, std::int16_t fold);

}  // namespace zobu
