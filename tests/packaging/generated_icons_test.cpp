// The icons the build generates from zobu.xpm, as installed into the hicolor theme and built
// into the Windows program: right sizes, the source's pixels and drawing, no stray colours.
// The .ico is read by Qt's own reader and the SVG by a small one written from the format,
// not from the writers.
#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace {

QString themeIcon(int size) {
    return QStringLiteral(ZOBU_ICON_DIR "/hicolor/%1x%1/apps/" ZOBU_APP_ID ".png").arg(size);
}

QImage loadArgb(const QString& path, const char* format) {
    return QImage(path, format).convertToFormat(QImage::Format_ARGB32);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSet<QRgb> coloursOf(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return colours;
}

// The drawing with every run of identical adjacent rows and columns kept once: what must
// survive any resizing that keeps each frame line, display and key.
QImage bands(const QImage& image) {
    const auto keep = [](int count, auto same) {
        std::vector<int> kept{0};
        for (int i = 1; i < count; ++i) {
            if (!same(kept.back(), i)) {
                kept.push_back(i);
            }
        }
        return kept;
    };
    const std::vector<int> rows = keep(image.height(), [&](int a, int b) {
        return image.copy(0, a, image.width(), 1) == image.copy(0, b, image.width(), 1);
    });
    const std::vector<int> columns = keep(image.width(), [&](int a, int b) {
        return image.copy(a, 0, 1, image.height()) == image.copy(b, 0, 1, image.height());
    });
    QImage out(static_cast<int>(columns.size()), static_cast<int>(rows.size()),
               QImage::Format_ARGB32);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < columns.size(); ++x) {
            out.setPixel(static_cast<int>(x), static_cast<int>(y),
                         image.pixel(columns[x], rows[y]));
        }
    }
    return out;
}

// Paints every <rect> of an SVG made of whole-pixel rects into a transparent image of the
// viewBox's size; a null image when the SVG uses anything else.
QImage rasteriseRects(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    QImage image;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        const auto number = [&a](const char* name) { return a.value(QLatin1String(name)).toInt(); };
        if (xml.name() == u"svg") {
            const QStringList box = a.value(QLatin1String("viewBox")).toString().split(u' ');
            image = QImage(box.value(2).toInt(), box.value(3).toInt(), QImage::Format_ARGB32);
            image.fill(Qt::transparent);
        } else if (xml.name() == u"rect" && !image.isNull()) {
            QColor colour(a.value(QLatin1String("fill")).toString());
            if (a.hasAttribute(QLatin1String("fill-opacity"))) {
                colour.setAlphaF(a.value(QLatin1String("fill-opacity")).toFloat());
            }
            const QRect rect(number("x"), number("y"), number("width"), number("height"));
            if (!image.rect().contains(rect)) {
                return {};
            }
            for (int row = rect.top(); row <= rect.bottom(); ++row) {
                for (int column = rect.left(); column <= rect.right(); ++column) {
                    image.setPixel(column, row, colour.rgba());
                }
            }
        } else {
            return {};
        }
    }
    return xml.hasError() ? QImage() : image;
}

class GeneratedIconsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_source = loadArgb(QStringLiteral(ZOBU_ICON_SOURCE), "XPM");
        ASSERT_EQ(m_source.size(), QSize(32, 32));
    }

    QImage m_source;
};

// Every size keeps body, edge, display and keys, blends none of them, and loses no line.
TEST_F(GeneratedIconsTest, ThemeIconsHaveTheirSizesAndOnlySourceColours) {
    const QSet<QRgb> palette = coloursOf(m_source);
    ASSERT_EQ(palette.size(), 4);
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage icon = loadArgb(themeIcon(size), "PNG");
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(coloursOf(icon), palette);
        EXPECT_EQ(bands(icon), bands(m_source));
    }
}

TEST_F(GeneratedIconsTest, WholeMultiplesRepeatTheSourcePixels) {
    for (const int size : {32, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage icon = loadArgb(themeIcon(size), "PNG");
        const int block = size / 32;
        int mismatches = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                mismatches += icon.pixel(x, y) != m_source.pixel(x / block, y / block) ? 1 : 0;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST_F(GeneratedIconsTest, ScalableIconDrawsTheSourceExactly) {
    const QByteArray svg =
        readFile(QStringLiteral(ZOBU_ICON_DIR "/hicolor/scalable/apps/" ZOBU_APP_ID ".svg"));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 32 32\""));
    EXPECT_TRUE(svg.contains("shape-rendering=\"crispEdges\""));
    EXPECT_EQ(rasteriseRects(svg), m_source);
}

// The 32 x 32 16-colour drawing comes first, exactly; the other sizes are the theme's. The
// Windows build takes the committed copy, which must be what the drawing gives today
// (after editing zobu.xpm, copy the generated .ico over data/icons/zobu.ico).
TEST_F(GeneratedIconsTest, WindowsIconStartsWithTheSixteenColourDrawing) {
    QByteArray ico = readFile(QStringLiteral(ZOBU_ICON_DIR "/" ZOBU_APP_ID ".ico"));
    EXPECT_EQ(ico, readFile(QStringLiteral(ZOBU_COMMITTED_ICON)));
    // The first directory entry: 32 x 32, 16 palette colours, 4 bits per pixel.
    ASSERT_GT(ico.size(), 22);
    EXPECT_EQ(ico.mid(6, 8), QByteArray::fromHex("20201000"
                                                 "01000400"));

    QBuffer buffer(&ico);
    QImageReader reader(&buffer, "ico");
    ASSERT_EQ(reader.imageCount(), 4) << reader.errorString().toStdString();
    std::map<int, QImage> bySize;
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        bySize.emplace(image.width(), image);
        if (i == 0) {
            EXPECT_EQ(image, m_source);
        }
    }
    for (const int size : {16, 48, 256}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(bySize[size], loadArgb(themeIcon(size), "PNG"));
    }
}

}  // namespace
