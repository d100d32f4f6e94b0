// Operators and equals: left to right, the history line, the record kept for undo, failures.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "fakes/engine_harness.h"

namespace zobu::testing {
namespace {

TEST(Operators, TwelvePlusThreeEqualsStepByStep) {
    EngineHarness calc;
    calc.press("12+");
    EXPECT_EQ(calc.display.say(), "12");
    EXPECT_EQ(calc.display.last(), "0  12");
    EXPECT_EQ(calc.display.next(), "");
    EXPECT_EQ(calc.display.tie(), "+");
    EXPECT_EQ(calc.display.tieLeft, kTieRight);
    EXPECT_EQ(calc.state().intOp, 1);
    EXPECT_EQ(calc.state().dblLastNum, 12.0);
    EXPECT_EQ(calc.state().dblLastResult, 0.0);
    EXPECT_EQ(calc.state().intLastOp, 0);

    calc.press("3=");
    EXPECT_EQ(calc.display.say(), "15");
    EXPECT_EQ(calc.display.last(), "12 + 3");
    EXPECT_EQ(calc.display.tie(), "");
    EXPECT_EQ(calc.display.tieLeft, kTieRight);
    EXPECT_EQ(calc.state().intOp, 0);
    EXPECT_EQ(calc.state().intState, 0);
    EXPECT_EQ(calc.state().dblLastNum, 3.0);
    EXPECT_EQ(calc.state().dblLastResult, 12.0);
    EXPECT_EQ(calc.state().intLastOp, 1);
}

struct OperatorCase {
    const char* name;
    const char* keys;
    const char* display;
    std::optional<const char*> history = std::nullopt;
    std::optional<std::int16_t> op = std::nullopt;
    std::optional<const char*> mark = std::nullopt;
    friend void PrintTo(const OperatorCase& c, std::ostream* os) { *os << c.keys; }
};

class OperatorSequence : public ::testing::TestWithParam<OperatorCase> {};

TEST_P(OperatorSequence, Shows) {
    const OperatorCase& c = GetParam();
    EngineHarness calc;
    calc.press(c.keys);
    EXPECT_EQ(calc.display.say(), c.display);
    if (c.history) {
        EXPECT_EQ(calc.display.last(), *c.history);
    }
    if (c.op) {
        EXPECT_EQ(calc.state().intOp, *c.op);
    }
    if (c.mark) {
        EXPECT_EQ(calc.display.tie(), *c.mark);
    }
    EXPECT_EQ(calc.display.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(
    LeftToRight, OperatorSequence,
    ::testing::Values(
        OperatorCase{"NoPrecedence", "2+3*4=", "20", "5 * 4", 0, ""},
        OperatorCase{"HistoryAfterSecondOperator", "2+3*", "5", "2 + 3", 3, "*"},
        OperatorCase{"Subtract", "10-4=", "6", "10 - 4"},
        OperatorCase{"Divide", "8/2=", "4", "8 / 2"},
        OperatorCase{"EqualsReusesTheDisplay", "12+=", "24", "12 + 12", 0},
        OperatorCase{"PressedOperatorBecomesPending", "12+3+", "15", "12 + 3", 1, "+"},
        OperatorCase{"SameOperatorCancels", "12++", "12", "0  12", 0, ""},
        OperatorCase{"OtherOperatorReplaces", "12+-", "12", "0  12", 2, "-"},
        OperatorCase{"EqualsAfterResultRepeatsNothing", "12+3==", "15", "12 + 3", 0, ""},
        OperatorCase{"NumberAfterEqualsStartsAfresh", "12+3=7+", "7", "15  7", 1, "+"},
        OperatorCase{"OperandShownAsConverted", "05+", "5", "0  5"},
        OperatorCase{"TrailingPointDropped", "12.+", "12", "0  12"},
        OperatorCase{"FullPrecisionKept", "1/3=*3=", "1"},
        OperatorCase{"ResultRoundedForDisplay", "2/3=", "0.666666666666667"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Operators, UnderflowToZeroIsNoFailure) {
    EngineHarness calc;
    calc.clipboard.content = "1e-200";
    calc.press("V*V=");
    EXPECT_EQ(calc.display.say(), "0");
    EXPECT_EQ(calc.display.beeps, 0);
    calc.clipboard.content = "1e-160";
    calc.press("V*V=");
    EXPECT_EQ(calc.display.say(), "9.99988867182683E-321");  // a denormal stands
    EXPECT_EQ(calc.display.beeps, 0);
}

TEST(OperatorFailure, DivisionByZeroIsReportedAndKeepsTheOperand) {
    EngineHarness calc;
    calc.press("5/0=");
    EXPECT_EQ(calc.display.last(), "5");
    EXPECT_EQ(calc.display.next(), "运算失败 除数为零");
    EXPECT_EQ(calc.display.say(), "0");
    EXPECT_EQ(calc.state().intState, 1);
    EXPECT_EQ(calc.display.tieLeft, kTieLeft);
    EXPECT_EQ(calc.display.tie(), "/");
    EXPECT_EQ(calc.state().intOp, 4);
    EXPECT_EQ(calc.display.beeps, 1);

    calc.press("=");
    EXPECT_EQ(calc.display.next(), "运算失败 除数为零");
    EXPECT_EQ(calc.display.beeps, 2);

    calc.press("+");  // fails the same way, and + does not become pending
    EXPECT_EQ(calc.state().intOp, 4);
    EXPECT_EQ(calc.display.tie(), "/");
    EXPECT_EQ(calc.display.beeps, 3);
}

TEST(OperatorFailure, ZeroDividedByZeroIsInvalid) {
    EngineHarness calc;
    calc.press("/=");
    EXPECT_EQ(calc.display.next(), "运算失败 无效运算");
    EXPECT_EQ(calc.state().intState, 0);
    EXPECT_EQ(calc.state().intOp, 4);
    EXPECT_EQ(calc.display.beeps, 1);
}

TEST(OperatorFailure, OverflowKeepsTheLastFiniteResult) {
    EngineHarness calc;
    calc.press("99999999999999*");
    double last = calc.state().dblResult;
    int steps = 0;
    while (calc.display.beeps == 0 && steps < 100) {
        last = calc.state().dblResult;
        calc.press("99999999999999*");
        ++steps;
    }
    ASSERT_EQ(calc.display.beeps, 1);
    EXPECT_EQ(calc.display.next(), "运算失败 溢出");
    EXPECT_EQ(calc.state().dblResult, last);
    EXPECT_TRUE(std::isfinite(calc.state().dblResult));
    EXPECT_EQ(calc.state().intState, 1);
}

TEST(OperatorFailure, LargestResultReadsBackAsAnOperand) {
    // A result near the top of the double range must still be a valid operand.
    EngineHarness calc;
    calc.clipboard.content = "1.7976931348623157e308";
    calc.press("V=");
    EXPECT_EQ(calc.display.beeps, 0);
    EXPECT_EQ(calc.display.say(), "1.79769313486231E+308");
    calc.press("n");
    EXPECT_EQ(calc.display.beeps, 0);
    EXPECT_EQ(calc.display.say(), "-1.79769313486231E+308");
}

}  // namespace
}  // namespace zobu::testing
