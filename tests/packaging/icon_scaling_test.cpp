// Resizing of the pixel-art icon: enlargement repeats pixels, reduction keeps every band of
// the drawing and invents no colours.
#include "icon_scaling.h"
#include "icon_test_support.h"

#include <gtest/gtest.h>

#include <numeric>
#include <ostream>
#include <string>
#include <vector>

namespace zobu::icongen {
namespace {

using testing::coloursOf;

struct ShareCase {
    std::string name;
    std::vector<int> widths;
    int target;
    std::vector<int> expected;
};

// Names the row in test output instead of dumping its bytes.
void PrintTo(const ShareCase& c, std::ostream* out) {
    *out << c.name;
}

class ShareOutBandsTest : public ::testing::TestWithParam<ShareCase> {};

TEST_P(ShareOutBandsTest, GivesEachBandItsShare) {
    const ShareCase& c = GetParam();
    const std::vector<int> shares = shareOutBands(c.widths, c.target);
    EXPECT_EQ(shares, c.expected);
    if (!shares.empty()) {
        EXPECT_EQ(std::accumulate(shares.begin(), shares.end(), 0), c.target);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bands, ShareOutBandsTest,
    ::testing::Values(ShareCase{"ExactHalves", {2, 4, 2}, 4, {1, 2, 1}},
                      ShareCase{"ThinLineKeepsOnePixel", {7, 1, 7, 1}, 8, {3, 1, 3, 1}},
                      // Where one pixel is left over, the wider of equally short bands gets it.
                      ShareCase{"LeftoverToWiderBand", {3, 5}, 4, {1, 3}},
                      ShareCase{"EqualKeysStayEqual", {6, 3, 6, 3, 6}, 12, {3, 2, 3, 1, 3}},
                      // Lines of one pixel each cost more than their share; the widest band pays.
                      ShareCase{"MinimumsTakenFromWidest", {1, 1, 6, 1, 1}, 5, {1, 1, 1, 1, 1}},
                      ShareCase{"TooManyBands", {1, 1, 1}, 2, {}}, ShareCase{"NoBands", {}, 4, {}}),
    [](const ::testing::TestParamInfo<ShareCase>& row) { return row.param.name; });

QImage imageFromRows(const std::vector<std::string>& rows) {
    const auto side = static_cast<int>(rows.size());
    QImage image(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            image.setPixel(x, y,
                           c == 'k'   ? qRgb(0, 0, 0)
                           : c == 'b' ? qRgb(0, 0, 255)
                                      : qRgb(255, 255, 255));
        }
    }
    return image;
}

TEST(ScaleIconTest, EnlargementRepeatsEachPixelAsABlock) {
    const QImage source = imageFromRows({"kb", "bw"});
    const QImage large = scaleIcon(source, 6);
    ASSERT_EQ(large.size(), QSize(6, 6));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            EXPECT_EQ(large.pixel(x, y), source.pixel(x / 3, y / 3));
        }
    }
}

TEST(ScaleIconTest, ReductionKeepsOnePixelLinesAndPalette) {
    // A one-pixel black frame around a white display over a blue key row: halving must keep
    // the frame on all four sides, the display and the keys.
    const QImage source = imageFromRows({"kkkkkkkk", "kwwwwwwk", "kwwwwwwk", "kwwwwwwk", "kbbbbbbk",
                                         "kbbbbbbk", "kbbbbbbk", "kkkkkkkk"});
    const QImage small = scaleIcon(source, 4);
    ASSERT_EQ(small.size(), QSize(4, 4));
    EXPECT_EQ(coloursOf(small), coloursOf(source));
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(small.pixel(i, 0), qRgb(0, 0, 0));
        EXPECT_EQ(small.pixel(i, 3), qRgb(0, 0, 0));
        EXPECT_EQ(small.pixel(0, i), qRgb(0, 0, 0));
        EXPECT_EQ(small.pixel(3, i), qRgb(0, 0, 0));
    }
}

TEST(ScaleIconTest, BusyImageIsAveraged) {
    // A checkerboard has more bands than target pixels: each 2 x 2 block becomes its mean.
    const QImage source = imageFromRows({"kwkw", "wkwk", "kwkw", "wkwk"});
    const QImage small = scaleIcon(source, 2);
    for (const QRgb pixel : coloursOf(small)) {
        EXPECT_EQ(pixel, qRgb(128, 128, 128));
    }
}

TEST(ScaleIconTest, RejectsUnusableInput) {
    EXPECT_THROW(scaleIcon(QImage(), 16), std::invalid_argument);
    EXPECT_THROW(scaleIcon(QImage(4, 2, QImage::Format_ARGB32), 16), std::invalid_argument);
    EXPECT_THROW(scaleIcon(imageFromRows({"kb", "bw"}), 0), std::invalid_argument);
}

}  // namespace
}  // namespace zobu::icongen
