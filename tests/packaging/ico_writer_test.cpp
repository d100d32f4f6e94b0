// The Windows icon container: header, directory and PNG images as Windows reads them.
#include "ico_writer.h"
#include "icon_test_support.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace zobu::icongen {
namespace {

using testing::readIco;

QImage solid(int side, QRgb colour) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

TEST(IcoWriterTest, DirectoryDescribesEachPngImage) {
    const std::vector<QImage> images{solid(16, qRgb(245, 198, 0)), solid(48, qRgb(19, 21, 22)),
                                     solid(256, qRgba(63, 150, 208, 128))};
    const QByteArray ico = icoFromImages(images);
    const auto entries = readIco(ico);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), images.size());

    const std::vector<int> storedWidths{16, 48, 0};  // 256 is stored as 0
    qsizetype payload = 6 + 16 * 3;
    for (std::size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& entry = (*entries)[i];
        EXPECT_EQ(entry.width, storedWidths[i]);
        EXPECT_EQ(entry.height, storedWidths[i]);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitsPerPixel, 32);
        EXPECT_TRUE(entry.data.startsWith("\x89PNG\r\n\x1a\n"));
        const QImage decoded =
            QImage::fromData(entry.data, "PNG").convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(decoded, images[i]);
        payload += entry.data.size();
    }
    // Images follow the directory back to back, with nothing after the last.
    EXPECT_EQ(payload, ico.size());
}

TEST(IcoWriterTest, QtReadsEverySize) {
    // Qt's own ICO reader, as a second opinion on the container.
    const std::vector<QImage> images{solid(16, qRgb(1, 2, 3)), solid(32, qRgb(4, 5, 6)),
                                     solid(256, qRgb(7, 8, 9))};
    QByteArray ico = icoFromImages(images);
    QBuffer buffer(&ico);
    QImageReader reader(&buffer, "ico");
    if (!QImageReader::supportedImageFormats().contains("ico")) {
        GTEST_SKIP() << "Qt's ico image format plugin is not installed";
    }
    ASSERT_EQ(reader.imageCount(), 3);
    for (const QImage& expected : images) {
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), expected.size());
        EXPECT_EQ(image.pixel(0, 0), expected.pixel(0, 0));
        reader.jumpToNextImage();
    }
}

TEST(IcoWriterTest, RejectsImagesTheContainerCannotHold) {
    EXPECT_THROW(icoFromImages({}), std::invalid_argument);
    EXPECT_THROW(icoFromImages({QImage()}), std::invalid_argument);
    EXPECT_THROW(icoFromImages({QImage(32, 16, QImage::Format_ARGB32)}), std::invalid_argument);
    EXPECT_THROW(icoFromImages({solid(257, qRgb(0, 0, 0))}), std::invalid_argument);
}

}  // namespace
}  // namespace zobu::icongen
