// The 16-bit arithmetic of the window's lengths: the load step stores its twips measures as
// 16-bit integers, and folding decides between the two recorded heights with them.
#pragma once

#include <cstdint>

namespace zobu {

// Stores a real length as a 16-bit integer: nearest integer, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4). Throws CalcFailure(Overflow) outside -32768..32767, or for NaN.
std::int16_t ToInt16(double value);

// The height a fold toggle moves the window to from `current`: below the midpoint of the two
// recorded heights (their 16-bit sum halved, truncated toward zero) it unfolds to `full`,
// at or above it it folds to `fold`. Throws CalcFailure(Overflow) when the sum overflows.
double FoldToggleHeight(double current, std::int16_t full, std::int16_t fold);

}  // namespace zobu
