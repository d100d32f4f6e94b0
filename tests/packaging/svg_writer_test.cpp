// The scalable icon: one rectangle per run of equal pixels, crisp at every size.
#include "svg_writer.h"
#include "icon_test_support.h"

#include <gtest/gtest.h>

namespace zobu::icongen {
namespace {

using testing::rasteriseRects;

TEST(SvgWriterTest, OneRectPerHorizontalRun) {
    // Top row: two amber pixels and a black one; bottom row: white throughout.
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(qRgb(255, 255, 255));
    image.setPixel(0, 0, qRgb(245, 198, 0));
    image.setPixel(1, 0, qRgb(245, 198, 0));
    image.setPixel(2, 0, qRgb(19, 21, 22));

    const QByteArray svg = svgFromImage(image);
    EXPECT_EQ(svg.count("<rect "), 3);
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 3 2\""));
    EXPECT_TRUE(svg.contains("shape-rendering=\"crispEdges\""));
    EXPECT_EQ(rasteriseRects(svg), image);
}

TEST(SvgWriterTest, TransparencyIsKept) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(63, 150, 208, 51));  // 20 % opaque

    const QByteArray svg = svgFromImage(image);
    EXPECT_EQ(svg.count("<rect "), 1);
    const QImage back = rasteriseRects(svg);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
    EXPECT_EQ(back.pixel(1, 0), image.pixel(1, 0));
}

}  // namespace
}  // namespace zobu::icongen
