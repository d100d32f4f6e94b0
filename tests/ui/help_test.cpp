// The help panel without the keyboard: ShowHelp unfolds and shows it, a click on it hides it
// and reaches nothing beneath.
#include <gtest/gtest.h>

#include "window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;
using HelpPanel = WindowTest;

TEST_F(HelpPanel, ShowHelpFromAFoldedWindowUnfoldsAndShows) {
    doubleClick(N::lblSay);
    ASSERT_EQ(clientHeight(), 69);
    window.ShowHelp();
    EXPECT_EQ(clientHeight(), 228);
    EXPECT_TRUE(window.helpVisible());
    EXPECT_TRUE(label(N::lblHelp).isVisible());
}

TEST_F(HelpPanel, ClickOnThePanelHidesItAndReachesNoKey) {
    window.ShowHelp();
    click(N::lblNum, 7);  // the "7" key lies under the panel
    EXPECT_FALSE(window.helpVisible());
    EXPECT_EQ(say(), "0");
    EXPECT_EQ(line(N::lblLast), "");
    EXPECT_EQ(clientHeight(), 228);
    click(N::lblNum, 7);  // with the panel gone the key works again
    EXPECT_EQ(say(), "7");
}

TEST_F(HelpPanel, ClickInTheMarginDoesNothing) {
    window.ShowHelp();
    clickAt(QPoint(345, 226));
    EXPECT_TRUE(window.helpVisible());
}

// The double-click belongs to the panel: its first click hides the panel, its second press
// must not fold the window through the display beneath.
TEST_F(HelpPanel, DoubleClickOverTheDisplayOnlyHidesThePanel) {
    window.ShowHelp();
    doubleClick(N::lblSay);
    EXPECT_FALSE(window.helpVisible());
    EXPECT_EQ(clientHeight(), 228);
}

TEST_F(HelpPanel, HidingKeepsTheHeightAndTheState) {
    press("12+3");
    const CalcState before = window.state();
    window.ShowHelp();
    window.lblHelp_Click();
    EXPECT_FALSE(window.helpVisible());
    EXPECT_EQ(clientHeight(), 228);
    EXPECT_EQ(window.state().intState, before.intState);
    EXPECT_EQ(window.state().dblResult, before.dblResult);
    EXPECT_EQ(say(), "3");
}

}  // namespace
}  // namespace zobu::testing
