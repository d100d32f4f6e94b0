// A scalable form of the pixel-art icon that stays pixel-exact at any size.
#pragma once

#include <QByteArray>
#include <QImage>

namespace zobu::icongen {

// Returns an SVG document with viewBox 0 0 width height and crisp edges, holding one <rect>
// per horizontal run of equal pixels. Fully transparent pixels get no rect; partly
// transparent runs carry a fill-opacity.
QByteArray svgFromImage(const QImage& image);

}  // namespace zobu::icongen
