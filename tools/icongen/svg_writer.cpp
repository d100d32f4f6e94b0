// Run-length conversion of an image into SVG rectangles.
#include "svg_writer.h"

namespace zobu::icongen {
namespace {

QByteArray colourText(QRgb pixel) {
    // "#rrggbb", lower case, always six digits.
    return QByteArray("#") + QByteArray::number((pixel & 0xFFFFFFu) | 0x1000000u, 16).mid(1);
}

QByteArray rectElement(int x, int y, int width, QRgb pixel) {
    QByteArray rect = "<rect x=\"" + QByteArray::number(x) + "\" y=\"" + QByteArray::number(y) +
                      "\" width=\"" + QByteArray::number(width) + "\" height=\"1\" fill=\"" +
                      colourText(pixel) + "\"";
    if (qAlpha(pixel) != 255) {
        rect += " fill-opacity=\"" + QByteArray::number(qAlpha(pixel) / 255.0, 'g', 4) + "\"";
    }
    return rect + "/>\n";
}

}  // namespace

QByteArray svgFromImage(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QByteArray width = QByteArray::number(argb.width());
    const QByteArray height = QByteArray::number(argb.height());
    QByteArray svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
        "\" shape-rendering=\"crispEdges\">\n";
    for (int y = 0; y < argb.height(); ++y) {
        int start = 0;
        while (start < argb.width()) {
            const QRgb pixel = argb.pixel(start, y);
            int end = start + 1;
            while (end < argb.width() && argb.pixel(end, y) == pixel) {
                ++end;
            }
            if (qAlpha(pixel) != 0) {
                svg += rectElement(start, y, end - start, pixel);
            }
            start = end;
        }
    }
    return svg + "</svg>\n";
}

}  // namespace zobu::icongen
