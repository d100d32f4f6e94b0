// The Windows icon container, holding several sizes of one icon: images of at most 16 opaque
// colours up to 48 pixels as 16-colour bitmaps, which every Windows reads, larger or richer
// ones as PNG images (Windows Vista and later).
#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

namespace zobu::icongen {

// Returns an .ico file with one entry per image, in the given order: a 4-bit bitmap for an
// opaque image of at most 16 colours and 48 pixels, otherwise a 32-bit RGBA PNG. Throws
// std::invalid_argument when there are no images, more than 65535, or one is not square or is
// larger than 256 pixels (the largest size the container can describe).
QByteArray icoFromImages(const std::vector<QImage>& images);

}  // namespace zobu::icongen
