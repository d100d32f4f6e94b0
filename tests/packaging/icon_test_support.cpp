// Independent readers of the generated icon formats, written from the format descriptions
// rather than from the writers.
#include "icon_test_support.h"

#include <QColor>
#include <QFile>
#include <QXmlStreamReader>

namespace zobu::icongen::testing {
namespace {

unsigned byteAt(const QByteArray& bytes, qsizetype at) {
    return static_cast<unsigned char>(bytes[at]);
}

unsigned u16At(const QByteArray& bytes, qsizetype at) {
    return byteAt(bytes, at) | byteAt(bytes, at + 1) << 8;
}

qint64 u32At(const QByteArray& bytes, qsizetype at) {
    return static_cast<qint64>(u16At(bytes, at)) | static_cast<qint64>(u16At(bytes, at + 2)) << 16;
}

}  // namespace

std::optional<std::vector<IcoEntry>> readIco(const QByteArray& file) {
    if (file.size() < 6 || u16At(file, 0) != 0 || u16At(file, 2) != 1) {
        return std::nullopt;
    }
    const auto count = static_cast<qsizetype>(u16At(file, 4));
    if (file.size() < 6 + 16 * count) {
        return std::nullopt;
    }
    std::vector<IcoEntry> entries;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype at = 6 + 16 * i;
        const qint64 length = u32At(file, at + 8);
        const qint64 offset = u32At(file, at + 12);
        if (offset < 6 + 16 * count || offset + length > file.size()) {
            return std::nullopt;
        }
        entries.push_back({static_cast<int>(byteAt(file, at)),
                           static_cast<int>(byteAt(file, at + 1)),
                           static_cast<int>(u16At(file, at + 4)),
                           static_cast<int>(u16At(file, at + 6)), file.mid(offset, length)});
    }
    return entries;
}

QImage rasteriseRects(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    QImage image;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"svg") {
            const QStringList box = a.value(QLatin1String("viewBox")).toString().split(u' ');
            if (box.size() != 4) {
                return {};
            }
            image = QImage(box[2].toInt(), box[3].toInt(), QImage::Format_ARGB32);
            image.fill(Qt::transparent);
        } else if (xml.name() == u"rect" && !image.isNull()) {
            const int x = a.value(QLatin1String("x")).toInt();
            const int y = a.value(QLatin1String("y")).toInt();
            const int w = a.value(QLatin1String("width")).toInt();
            const int h = a.value(QLatin1String("height")).toInt();
            QColor colour(a.value(QLatin1String("fill")).toString());
            if (a.hasAttribute(QLatin1String("fill-opacity"))) {
                colour.setAlphaF(a.value(QLatin1String("fill-opacity")).toFloat());
            }
            for (int row = y; row < y + h; ++row) {
                for (int column = x; column < x + w; ++column) {
                    if (!image.valid(column, row)) {
                        return {};
                    }
                    image.setPixel(column, row, colour.rgba());
                }
            }
        } else {
            return {};
        }
    }
    return xml.hasError() ? QImage() : image;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSet<QRgb> coloursOf(const QImage& image) {
    QSet<QRgb> colours;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            colours.insert(argb.pixel(x, y));
        }
    }
    return colours;
}

}  // namespace zobu::icongen::testing
