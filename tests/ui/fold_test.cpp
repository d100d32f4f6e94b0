// The load step's measures, folding by double-click on the display, and the 16-bit
// arithmetic behind both.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "calc_failure.h"
#include "window_fixture.h"
#include "window_measure.h"

namespace zobu::testing {
namespace {

using N = LabelName;

struct RoundCase {
    double value;
    std::optional<std::int16_t> stored;  // nullopt: overflow
};

TEST(WindowMeasure, ToInt16RoundsHalvesToEvenAndRefusesOverflow) {
    const std::vector<RoundCase> cases = {
        {2.5, 2},           {3.5, 4},
        {-2.5, -2},         {-3.5, -4},
        {0.4999, 0},        {1515.5, 1516},
        {3899.6, 3900},     {-0.5, 0},
        {32767.4, 32767},   {32767.5, {}},
        {-32768.5, -32768}, {-32768.6, {}},
        {1e9, {}},          {std::numeric_limits<double>::quiet_NaN(), {}},
    };
    for (const RoundCase& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.stored) {
            EXPECT_EQ(ToInt16(c.value), *c.stored);
        } else {
            EXPECT_THROW(ToInt16(c.value), CalcFailure);
        }
    }
}

struct ToggleCase {
    const char* what;
    double current;
    std::int16_t full;
    std::int16_t fold;
    double expected;
};

TEST(WindowMeasure, FoldToggleDecidesAtTheTruncatedMidpoint) {
    const std::vector<ToggleCase> cases = {
        {"midpoint 2000 folds", 2000, 3001, 1000, 1000},
        {"below midpoint unfolds", 1999, 3001, 1000, 3001},
        {"just below midpoint unfolds", 1999.9, 3001, 1000, 3001},
        {"full height folds", 3900, 3900, 1515, 1515},
        {"folded height unfolds", 1515, 3900, 1515, 3900},
        {"exact midpoint 2707 folds", 2707, 3900, 1515, 1515},
        {"beyond full folds", 9000, 3900, 1515, 1515},
        {"negative sum truncates toward zero: -1 folds", -1, -2, -1, -1},
        {"below -1 unfolds", -1.5, -2, -1, -2},
    };
    for (const ToggleCase& c : cases) {
        EXPECT_EQ(FoldToggleHeight(c.current, c.full, c.fold), c.expected) << c.what;
    }
}

TEST(WindowMeasure, FoldToggleRefusesASumBeyond16Bits) {
    EXPECT_THROW(FoldToggleHeight(0, 16384, 16384), CalcFailure);
    EXPECT_EQ(FoldToggleHeight(0, 16384, 16383), 16384);
    EXPECT_THROW(FoldToggleHeight(0, -16384, -16385), CalcFailure);
}

using Folding = WindowTest;

TEST_F(Folding, LoadRecordsTheHeightsAndTheMarksPlaces) {
    EXPECT_EQ(window.state().intFullHeight, 3900);
    EXPECT_EQ(window.state().intFoldHeight, 1515);
    EXPECT_EQ(window.state().intTieLeft, 50);
    EXPECT_EQ(window.state().intTieRight, 4790);
    EXPECT_EQ(label(N::lblTie).twipLeft(), 4790);
    EXPECT_EQ(label(N::lblTie).twipLeft(),
              label(N::lblSay).twipLeft() + label(N::lblSay).twipWidth());
    EXPECT_EQ(window.windowHeight(), 3900);
}

TEST_F(Folding, DoubleClickOnTheDisplayFoldsAndUnfolds) {
    doubleClick(N::lblSay);
    EXPECT_EQ(clientHeight(), 69);
    EXPECT_EQ(window.windowHeight(), 1515);
    EXPECT_EQ(window.width(), 347);
    doubleClick(N::lblSay);
    EXPECT_EQ(clientHeight(), 228);
    EXPECT_EQ(window.windowHeight(), 3900);
}

TEST_F(Folding, FoldedKeypadIsOutOfReachAndTheBandStays) {
    doubleClick(N::lblSay);
    ASSERT_EQ(clientHeight(), 69);
    EXPECT_LE(label(N::lblNext).geometry().bottom(), clientHeight() - 1);
    EXPECT_GE(label(N::lblDel).geometry().top(), clientHeight());
}

TEST_F(Folding, SingleClickOnTheDisplayDoesNothing) {
    click(N::lblSay);
    EXPECT_EQ(clientHeight(), 228);
    EXPECT_EQ(say(), "0");
}

TEST_F(Folding, HeightBetweenTheRecordedOnesGoesToTheNearerSide) {
    window.setWindowHeight(2400);  // below the midpoint 2707: unfolds
    window.lblSay_DblClick();
    EXPECT_EQ(window.windowHeight(), 3900);
    window.setWindowHeight(3000);  // above it: folds
    window.lblSay_DblClick();
    EXPECT_EQ(window.windowHeight(), 1515);
}

TEST_F(Folding, SumOverflowLeavesTheHeight) {
    window.engine().state().intFullHeight = 16384;
    window.engine().state().intFoldHeight = 16384;
    EXPECT_THROW(window.lblSay_DblClick(), CalcFailure);
    EXPECT_EQ(clientHeight(), 228);
}

// A failure that leaves the double-click handler ends the program, reported on stderr.
TEST_F(Folding, OverflowInTheEventHandlerEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            window.engine().state().intFullHeight = 20000;
            window.engine().state().intFoldHeight = 20000;
            doubleClick(N::lblSay);
        },
        ::testing::ExitedWithCode(1), "unhandled failure.*溢出");
}

}  // namespace
}  // namespace zobu::testing
