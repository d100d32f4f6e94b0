// Sign change and reciprocal: a new operand on the display, the running result untouched.
#include <gtest/gtest.h>

#include "fakes/engine_harness.h"

namespace zobu::testing {
namespace {

struct FunctionCase {
    const char* name;
    const char* keys;
    const char* display;
    const char* note;
    const char* history;
};

TEST(Functions, ReplaceTheDisplayAndRecordOnTheNoteLine) {
    const FunctionCase cases[] = {
        {"Negate", "5n", "-5", "- 5", "0"},
        {"NegateTwiceRestores", "5nn", "5", "- -5", "0"},
        {"Reciprocal", "4r", "0.25", "1 / 4", "0"},
        {"TypedTextIsConverted", "12.n", "-12", "- 12", "0"},
        {"RunningResultOnHistory", "2+3=r", "0.2", "1 / 5", "5"},
        {"AfterAnOperator", "12+n", "-12", "- 12", "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EngineHarness calc;
        calc.press(c.keys);
        EXPECT_EQ(calc.display.say(), c.display);
        EXPECT_EQ(calc.display.next(), c.note);
        EXPECT_EQ(calc.display.last(), c.history);
        EXPECT_EQ(calc.state().intState, 1);
        EXPECT_EQ(calc.display.tieLeft, kTieLeft);
        EXPECT_EQ(calc.display.beeps, 0);
    }
}

TEST(Functions, KeepThePendingOperatorAndTheUndoRecord) {
    EngineHarness calc;
    calc.press("12+n");
    EXPECT_EQ(calc.display.tie(), "+");
    EXPECT_EQ(calc.state().intOp, 1);
    EXPECT_EQ(calc.state().dblResult, 12.0);
    EXPECT_EQ(calc.state().dblLastNum, 12.0);
    calc.press("=");
    EXPECT_EQ(calc.display.say(), "0");
    EXPECT_EQ(calc.display.last(), "12 + -12");
}

TEST(Functions, ReciprocalOfZeroFailsAndLeavesTheDisplay) {
    EngineHarness calc;
    calc.press("7+0r");
    EXPECT_EQ(calc.display.say(), "0");
    EXPECT_EQ(calc.display.next(), "1 / 0 失败 除数为零");
    EXPECT_EQ(calc.display.last(), "7");  // unchanged since the digit 0 was typed
    EXPECT_EQ(calc.display.tie(), "+");
    EXPECT_EQ(calc.state().intState, 1);  // 3 masked with 1
    EXPECT_EQ(calc.display.beeps, 1);
}

TEST(Functions, ReciprocalOfATinyNumberOverflows) {
    EngineHarness calc;
    calc.clipboard.content = "5e-324";  // the smallest denormal
    calc.press("Vr");
    EXPECT_EQ(calc.display.next(), "1 / 4.94065645841247E-324 失败 溢出");
    EXPECT_EQ(calc.display.say(), "4.94065645841247E-324");
    EXPECT_EQ(calc.display.beeps, 1);

    EngineHarness cleared;
    cleared.press("D");
    ASSERT_EQ(cleared.state().intState, 4);
    cleared.press("r");
    EXPECT_EQ(cleared.state().intState, 0);
}

}  // namespace
}  // namespace zobu::testing
