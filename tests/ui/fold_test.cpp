// The load step's measures, folding by double-click on the display, the 16-bit arithmetic
// behind both, and the end of the program when a failure leaves an event handler.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "calc_failure.h"
#include "window_fixture.h"
#include "window_measure.h"

namespace zobu::testing {
namespace {

using N = LabelName;

TEST(WindowMeasure, ToInt16RoundsHalvesToEvenAndRefusesOverflow) {
    const std::vector<std::pair<double, std::optional<std::int16_t>>> cases = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-0.5, 0},
        {1515.5, 1516},
        {3899.6, 3900},
        {32767.4, 32767},
        {32767.5, {}},
        {-32768.5, -32768},
        {-32768.6, {}},
        {std::numeric_limits<double>::quiet_NaN(), {}},
    };
    for (const auto& [value, stored] : cases) {
        SCOPED_TRACE(value);
        if (stored) {
            EXPECT_EQ(ToInt16(value), *stored);
        } else {
            EXPECT_THROW(ToInt16(value), CalcFailure);
        }
    }
}

TEST(WindowMeasure, FoldToggleDecidesAtTheTruncatedMidpoint) {
    const struct {
        const char* what;
        double current;
        std::int16_t full;
        std::int16_t fold;
        double expected;
    } cases[] = {
        {"midpoint of 3001 and 1000 is 2000: folds", 2000, 3001, 1000, 1000},
        {"just below that midpoint unfolds", 1999.9, 3001, 1000, 3001},
        {"exact midpoint 2707 folds", 2707, 3900, 1515, 1515},
        {"below 2707 unfolds", 2400, 3900, 1515, 3900},
        {"negative sum truncates toward zero: -1 folds", -1, -2, -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldToggleHeight(c.current, c.full, c.fold), c.expected) << c.what;
    }
    EXPECT_EQ(FoldToggleHeight(0, 16384, 16383), 16384);
    EXPECT_THROW(FoldToggleHeight(0, 16384, 16384), CalcFailure);
    EXPECT_THROW(FoldToggleHeight(0, -16384, -16385), CalcFailure);
}

using Folding = WindowTest;

TEST_F(Folding, LoadRecordsTheHeightsAndTheMarksPlaces) {
    EXPECT_EQ(window.state().intFullHeight, 3900);
    EXPECT_EQ(window.state().intFoldHeight, 1515);
    EXPECT_EQ(window.state().intTieLeft, 50);
    EXPECT_EQ(window.state().intTieRight, 4790);
    EXPECT_EQ(label(N::lblTie).twipLeft(), 4790);
    EXPECT_EQ(window.windowHeight(), 3900);
}

TEST_F(Folding, DoubleClickOnTheDisplayFoldsAndUnfolds) {
    click(N::lblSay);
    EXPECT_EQ(clientHeight(), 228) << "a single click does nothing";
    doubleClick(N::lblSay);
    EXPECT_EQ(clientHeight(), 69);
    EXPECT_EQ(window.windowHeight(), 1515);
    EXPECT_EQ(window.width(), 347);
    EXPECT_LE(label(N::lblNext).geometry().bottom(), clientHeight() - 1);
    EXPECT_GE(label(N::lblDel).geometry().top(), clientHeight()) << "the keypad is out of reach";
    doubleClick(N::lblSay);
    EXPECT_EQ(clientHeight(), 228);
    EXPECT_EQ(window.windowHeight(), 3900);
}

TEST_F(Folding, SumOverflowLeavesTheHeight) {
    window.engine().state().intFullHeight = 16384;
    window.engine().state().intFoldHeight = 16384;
    EXPECT_THROW(window.lblSay_DblClick(), CalcFailure);
    EXPECT_THROW(keyUp(32), CalcFailure);
    EXPECT_EQ(clientHeight(), 228);
}

// A failure that leaves a mouse or key handler ends the program with status 1, reported on
// stderr: Qt cannot carry it through its event loop.
TEST_F(Folding, OverflowInAnEventHandlerEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::vector<std::function<void()>> folds = {[this] { doubleClick(N::lblSay); },
                                                      [this] { tap(Qt::Key_Space); }};
    for (const auto& fold : folds) {
        EXPECT_EXIT(
            {
                window.engine().state().intFullHeight = 20000;
                window.engine().state().intFoldHeight = 20000;
                fold();
            },
            ::testing::ExitedWithCode(1), "unhandled failure.*溢出");
    }
}

}  // namespace
}  // namespace zobu::testing
