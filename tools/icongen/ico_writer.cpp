// ICONDIR, one ICONDIRENTRY per image, then the images' data: a 16-colour bitmap (header,
// palette, colour pixels bottom-up, transparency mask) or a PNG. All numbers little-endian.
#include "ico_writer.h"

#include <QBuffer>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace zobu::icongen {
namespace {

constexpr int kDirectorySize = 6;
constexpr int kEntrySize = 16;
constexpr int kLargestSize = 256;
constexpr int kLargestBitmap = 48;
constexpr int kPaletteSize = 16;
constexpr unsigned kBitmapHeaderSize = 40;

void appendU8(QByteArray& out, unsigned value) {
    out.append(static_cast<char>(value & 0xFFu));
}

void appendU16(QByteArray& out, unsigned value) {
    appendU8(out, value);
    appendU8(out, value >> 8);
}

void appendU32(QByteArray& out, std::uint32_t value) {
    appendU16(out, value & 0xFFFFu);
    appendU16(out, value >> 16);
}

QByteArray pngData(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    // An image format with an alpha channel makes Qt write colour type 6 (RGBA), which is
    // what Windows expects of a PNG inside an icon.
    if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) {
        throw std::runtime_error("could not encode an icon image as PNG");
    }
    return png;
}

// The colours of an opaque image, in order of first appearance; empty when it has more than
// 16 or any that is not fully opaque.
std::vector<QRgb> paletteOf(const QImage& image) {
    std::vector<QRgb> palette;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) != 255) {
                return {};
            }
            if (std::find(palette.begin(), palette.end(), pixel) == palette.end()) {
                if (palette.size() == kPaletteSize) {
                    return {};
                }
                palette.push_back(pixel);
            }
        }
    }
    return palette;
}

// A 4-bit bitmap, every pixel an index into the 16-entry palette, all of it opaque.
QByteArray bitmapData(const QImage& image, const std::vector<QRgb>& palette) {
    const auto side = static_cast<unsigned>(image.width());
    const unsigned colourRow = (side / 2 + 3) / 4 * 4;  // rows fill whole 32-bit words
    const unsigned maskRow = (side / 8 + 3) / 4 * 4;
    QByteArray out;
    appendU32(out, kBitmapHeaderSize);
    appendU32(out, side);
    appendU32(out, 2 * side);  // the colour pixels and the mask, one above the other
    appendU16(out, 1);         // planes
    appendU16(out, 4);         // bits per pixel
    appendU32(out, 0);         // no compression
    appendU32(out, (colourRow + maskRow) * side);
    for (int i = 0; i < 4; ++i) {
        appendU32(out, 0);  // resolution, colours used (all 16), important colours (all)
    }
    for (std::size_t i = 0; i < kPaletteSize; ++i) {
        const QRgb colour = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        appendU8(out, static_cast<unsigned>(qBlue(colour)));
        appendU8(out, static_cast<unsigned>(qGreen(colour)));
        appendU8(out, static_cast<unsigned>(qRed(colour)));
        appendU8(out, 0);
    }
    const auto index = [&palette](QRgb pixel) {
        return static_cast<unsigned>(std::find(palette.begin(), palette.end(), pixel) -
                                     palette.begin());
    };
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(static_cast<qsizetype>(colourRow), '\0');
        for (int x = 0; x < image.width(); x += 2) {
            const unsigned high = index(image.pixel(x, y));
            const unsigned low = x + 1 < image.width() ? index(image.pixel(x + 1, y)) : 0u;
            row[x / 2] = static_cast<char>((high << 4) | low);
        }
        out += row;
    }
    out += QByteArray(static_cast<qsizetype>(maskRow * side), '\0');
    return out;
}

struct Entry {
    unsigned side;
    unsigned colours;  // palette entries, 0 for true colour
    unsigned bits;
    QByteArray data;
};

Entry entryFor(const QImage& image) {
    const auto side = static_cast<unsigned>(image.width());
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (image.width() <= kLargestBitmap) {
        if (const std::vector<QRgb> palette = paletteOf(argb); !palette.empty()) {
            return {side, kPaletteSize, 4, bitmapData(argb, palette)};
        }
    }
    return {side, 0, 32, pngData(image)};
}

}  // namespace

QByteArray icoFromImages(const std::vector<QImage>& images) {
    if (images.empty() || images.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw std::invalid_argument("an icon file holds 1 to 65535 images");
    }
    std::vector<Entry> entries;
    entries.reserve(images.size());
    for (const QImage& image : images) {
        if (image.isNull() || image.width() != image.height() || image.width() > kLargestSize) {
            throw std::invalid_argument("icon images must be square and at most 256 pixels");
        }
        entries.push_back(entryFor(image));
    }

    QByteArray ico;
    appendU16(ico, 0);  // reserved
    appendU16(ico, 1);  // resource type: icon
    appendU16(ico, static_cast<unsigned>(entries.size()));
    auto offset = static_cast<std::uint64_t>(kDirectorySize) +
                  static_cast<std::uint64_t>(kEntrySize) * entries.size();
    for (const Entry& entry : entries) {
        // Width and height are one byte each; 0 stands for 256.
        appendU8(ico, entry.side % 256u);
        appendU8(ico, entry.side % 256u);
        appendU8(ico, entry.colours % 256u);
        appendU8(ico, 0);   // reserved
        appendU16(ico, 1);  // colour planes
        appendU16(ico, entry.bits);
        const auto length = static_cast<std::uint64_t>(entry.data.size());
        if (offset + length > std::numeric_limits<std::uint32_t>::max()) {
            throw std::invalid_argument("icon images too large for the container");
        }
        appendU32(ico, static_cast<std::uint32_t>(length));
        appendU32(ico, static_cast<std::uint32_t>(offset));
        offset += length;
    }
    for (const Entry& entry : entries) {
        ico += entry.data;
    }
    return ico;
}

}  // namespace zobu::icongen
