// Resizing of the pixel-art icon without blurring it: every target pixel takes the colour of
// one source pixel, so no colour outside the source palette appears.
#pragma once

#include <QImage>

#include <vector>

namespace zobu::icongen {

// Returns `source` as a size x size image in ARGB32. `source` must be square and not null;
// `size` must be positive.
// - Enlargement repeats source pixels (nearest neighbour).
// - Reduction treats each band of identical adjacent columns (and of rows) as one feature and
//   gives every band at least one target pixel, sharing out the rest in proportion to width:
//   thin frame lines survive and the keys keep equal sizes. Only when there are more bands
//   than target pixels does it average instead (blocks of pixels when the size divides the
//   source, Qt's smooth scaling otherwise).
QImage scaleIcon(const QImage& source, int size);

// The target widths of bands `widths` squeezed into `target` pixels: each at least 1, the
// rest by largest remainder of the proportional share (ties to the wider, then the earlier
// band). Empty when there are more bands than target pixels.
std::vector<int> shareOutBands(const std::vector<int>& widths, int target);

}  // namespace zobu::icongen
