// Folding by double-click on the display, in pixels on the Qt window, and the end of the
// program when a failure leaves an event handler.
#include <gtest/gtest.h>

#include "calc_failure.h"
#include "unhandled_failure.h"
#include "window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;
using Folding = WindowTest;

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

// A failure that leaves a mouse or key handler ends the program with status 1, reported on
// stderr: Qt cannot carry it through its event loop.
TEST(UnhandledFailure, EndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunEventHandler([] { throw CalcFailure(FailureKind::Overflow); }),
                ::testing::ExitedWithCode(1), "unhandled failure.*溢出");
}

}  // namespace
}  // namespace zobu::testing
