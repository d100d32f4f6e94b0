// The Windows icon container, holding several sizes of one icon as PNG images (readable by
// Windows Vista and later, and by the resource compilers).
#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

namespace zobu::icongen {

// Returns an .ico file with one entry per image, in the given order, each stored as a 32-bit
// RGBA PNG. Throws std::invalid_argument when there are no images, more than 65535, or one is
// not square or is larger than 256 pixels (the largest size the container can describe).
QByteArray icoFromImages(const std::vector<QImage>& images);

}  // namespace zobu::icongen
