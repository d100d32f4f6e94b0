// Mouse on the keys: each click runs its key's operation with its element index, once; the
// display and the other lines do nothing on a click.
#include <gtest/gtest.h>

#include <vector>

#include "window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;

struct ClickCase {
    const char* name;
    const char* keys;
    const char* display;
    const char* note;  // lblNext afterwards
};

// Together these click every one of the 21 keys.
const std::vector<ClickCase> kClicks = {
    {"TwelvePlusThree", "12+3=", "15", ""},
    {"AllDigitsAndPoint", "1234567890.", "1234567890.", ""},
    {"Subtract", "9-4=", "5", ""},
    {"Multiply", "6*7=", "42", ""},
    {"Divide", "7/2=", "3.5", ""},
    {"Reciprocal", "4r", "0.25", "1 / 4"},
    {"Negate", "5n", "-5", "- 5"},
    {"DelDiscardsTheNewOperand", "12+3D", "0", "3 ?"},
    {"CopyReportsOnTheNoteLine", "8C", "8", "复制 成功"},
    {"PasteTheCopiedNumber", "8C D 2+V=", "10", ""},
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << '"' << c.keys << '"';
}

class KeyClicks : public WindowTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(KeyClicks, ReachTheEngineWithTheirIndex) {
    press(GetParam().keys);
    EXPECT_EQ(say(), GetParam().display);
    EXPECT_EQ(line(N::lblNext), GetParam().note);
}

INSTANTIATE_TEST_SUITE_P(Window, KeyClicks, ::testing::ValuesIn(kClicks),
                         [](const auto& row) { return std::string(row.param.name); });

using Mouse = WindowTest;

TEST_F(Mouse, DoubleClickOnADigitEntersItOnce) {
    doubleClick(N::lblNum, 7);
    EXPECT_EQ(say(), "7");
}

// Applied twice, the pending "+" would cancel itself and the mark would be empty.
TEST_F(Mouse, DoubleClickOnAnOperatorAppliesItOnce) {
    press("2");
    doubleClick(N::lblMix, 1);
    EXPECT_EQ(line(N::lblTie), "+");
    EXPECT_EQ(window.state().intOp, 1);
}

TEST_F(Mouse, ReleaseOverAnotherKeyIsNoClick) {
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, centre(N::lblNum, 7));
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                        centre(N::lblNum, 8));
    EXPECT_EQ(say(), "0");
}

TEST_F(Mouse, OnlyTheLeftButtonClicks) {
    QTest::mouseClick(window.windowHandle(), Qt::RightButton, Qt::NoModifier, centre(N::lblNum, 7));
    EXPECT_EQ(say(), "0");
}

TEST_F(Mouse, ClicksOutsideTheKeysDoNothing) {
    press("12+3");
    const std::vector<QPoint> places = {centre(N::lblSay), centre(N::lblLast), centre(N::lblNext),
                                        centre(N::lblTie), QPoint(5, 100),     QPoint(340, 225),
                                        QPoint(90, 80)};
    for (const QPoint& p : places) {
        clickAt(p);
        EXPECT_EQ(say(), "3") << p.x() << "," << p.y();
        EXPECT_EQ(line(N::lblLast), "12");
        EXPECT_EQ(line(N::lblTie), "+");
        EXPECT_EQ(clientHeight(), 228);
    }
}

}  // namespace
}  // namespace zobu::testing
