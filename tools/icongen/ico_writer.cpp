// ICONDIR, one ICONDIRENTRY per image, then the PNG data; all numbers little-endian.
#include "ico_writer.h"

#include <QBuffer>

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace zobu::icongen {
namespace {

constexpr int kDirectorySize = 6;
constexpr int kEntrySize = 16;
constexpr int kLargestSize = 256;

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

}  // namespace

QByteArray icoFromImages(const std::vector<QImage>& images) {
    if (images.empty() || images.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw std::invalid_argument("an icon file holds 1 to 65535 images");
    }
    std::vector<QByteArray> pngs;
    pngs.reserve(images.size());
    for (const QImage& image : images) {
        if (image.isNull() || image.width() != image.height() || image.width() > kLargestSize) {
            throw std::invalid_argument("icon images must be square and at most 256 pixels");
        }
        pngs.push_back(pngData(image));
    }

    QByteArray ico;
    appendU16(ico, 0);  // reserved
    appendU16(ico, 1);  // resource type: icon
    appendU16(ico, static_cast<unsigned>(images.size()));
    auto offset = static_cast<std::uint64_t>(kDirectorySize) +
                  static_cast<std::uint64_t>(kEntrySize) * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        // Width and height are one byte each; 0 stands for 256.
        const auto side = static_cast<unsigned>(images[i].width()) % 256u;
        appendU8(ico, side);
        appendU8(ico, side);
        appendU8(ico, 0);    // palette size: none
        appendU8(ico, 0);    // reserved
        appendU16(ico, 1);   // colour planes
        appendU16(ico, 32);  // bits per pixel
        const auto length = static_cast<std::uint64_t>(pngs[i].size());
        if (offset + length > std::numeric_limits<std::uint32_t>::max()) {
            throw std::invalid_argument("icon images too large for the container");
        }
        appendU32(ico, static_cast<std::uint32_t>(length));
        appendU32(ico, static_cast<std::uint32_t>(offset));
        offset += length;
    }
    for (const QByteArray& png : pngs) {
        ico += png;
    }
    return ico;
}

}  // namespace zobu::icongen
