// Readers for the icon formats that the tests check: the .ico container and the run-length
// SVG, each turned back into images that can be compared pixel by pixel.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSet>

#include <optional>
#include <vector>

namespace zobu::icongen::testing {

struct IcoEntry {
    int width = 0;  // as stored: 0 means 256
    int height = 0;
    int planes = 0;
    int bitsPerPixel = 0;
    QByteArray data;  // the image as stored (PNG here)
};

// Reads the ICONDIR and its entries; nullopt when the header or an entry is malformed or
// points outside the file.
std::optional<std::vector<IcoEntry>> readIco(const QByteArray& file);

// Paints every <rect> of an SVG made of whole-pixel rects into a transparent image of the
// viewBox's size; a null image when the SVG is not well-formed or uses anything else.
QImage rasteriseRects(const QByteArray& svg);

QByteArray readFile(const QString& path);

QSet<QRgb> coloursOf(const QImage& image);

}  // namespace zobu::icongen::testing
