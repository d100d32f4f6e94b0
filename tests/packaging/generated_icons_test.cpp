// The icons the build generates from zobu.xpm, as installed into the hicolor theme and built
// into the Windows program: right sizes, the source's pixels, no stray colours.
#include "icon_test_support.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

namespace zobu::icongen {
namespace {

using testing::coloursOf;
using testing::rasteriseRects;
using testing::readFile;
using testing::readIco;

constexpr std::array kThemeSizes{16, 32, 48, 64, 128, 256};

QString themeIcon(int size) {
    return QStringLiteral(ZOBU_ICON_DIR "/hicolor/%1x%1/apps/" ZOBU_APP_ID ".png").arg(size);
}

class GeneratedIconsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_source.load(QStringLiteral(ZOBU_ICON_SOURCE), "XPM"));
        m_source = m_source.convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(m_source.size(), QSize(32, 32));
    }

    QImage m_source;
};

TEST_F(GeneratedIconsTest, ThemeIconsHaveTheirSizesAndOnlySourceColours) {
    const QSet<QRgb> palette = coloursOf(m_source);
    ASSERT_EQ(palette.size(), 4);
    for (const int size : kThemeSizes) {
        SCOPED_TRACE(size);
        QImage icon;
        ASSERT_TRUE(icon.load(themeIcon(size), "PNG"));
        EXPECT_EQ(icon.size(), QSize(size, size));
        // Every size keeps body, edge, display and keys, and blends none of them.
        EXPECT_EQ(coloursOf(icon), palette);
    }
}

TEST_F(GeneratedIconsTest, WholeMultiplesRepeatTheSourcePixels) {
    for (const int size : {32, 64, 128, 256}) {
        SCOPED_TRACE(size);
        QImage icon;
        ASSERT_TRUE(icon.load(themeIcon(size), "PNG"));
        icon = icon.convertToFormat(QImage::Format_ARGB32);
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

TEST_F(GeneratedIconsTest, SmallestIconKeepsTheDisplayFrameAndBottomEdge) {
    QImage icon;
    ASSERT_TRUE(icon.load(themeIcon(16), "PNG"));
    icon = icon.convertToFormat(QImage::Format_ARGB32);
    const QRgb black = qRgb(19, 21, 22);
    const QRgb white = qRgb(255, 255, 255);
    // Down the middle column: amber body, the frame, white display, the frame again.
    std::string column;
    for (int y = 0; y < 16; ++y) {
        const QRgb p = icon.pixel(8, y);
        column += p == black ? 'k' : p == white ? 'w' : p == qRgb(245, 198, 0) ? 'a' : 'b';
    }
    EXPECT_EQ(column.substr(0, 5), "akwwk");
    EXPECT_EQ(column.back(), 'k');
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(icon.pixel(x, 15), black) << "bottom edge at " << x;
    }
}

TEST_F(GeneratedIconsTest, ScalableIconDrawsTheSourceExactly) {
    const QByteArray svg =
        readFile(QStringLiteral(ZOBU_ICON_DIR "/hicolor/scalable/apps/" ZOBU_APP_ID ".svg"));
    ASSERT_FALSE(svg.isEmpty());
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 32 32\""));
    EXPECT_TRUE(svg.contains("shape-rendering=\"crispEdges\""));
    EXPECT_EQ(rasteriseRects(svg), m_source);
}

TEST_F(GeneratedIconsTest, WindowsIconHoldsTheThemeImages) {
    const auto entries = readIco(readFile(QStringLiteral(ZOBU_ICON_DIR "/" ZOBU_APP_ID ".ico")));
    ASSERT_TRUE(entries.has_value());
    std::map<int, QImage> bySize;
    for (const auto& entry : *entries) {
        const QImage image = QImage::fromData(entry.data, "PNG");
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(entry.width == 0 ? 256 : entry.width, image.width());
        bySize[image.width()] = image.convertToFormat(QImage::Format_ARGB32);
    }
    ASSERT_EQ(bySize.size(), 4U);
    for (const int size : {16, 32, 48, 256}) {
        SCOPED_TRACE(size);
        ASSERT_EQ(bySize.count(size), 1U);
        QImage theme;
        ASSERT_TRUE(theme.load(themeIcon(size), "PNG"));
        EXPECT_EQ(bySize[size], theme.convertToFormat(QImage::Format_ARGB32));
    }
}

}  // namespace
}  // namespace zobu::icongen
