// DEL: discard a new operand, undo the last operation, then clear all; the undo record stays.
#include <gtest/gtest.h>

#include "fakes/engine_harness.h"

namespace zobu::testing {
namespace {

TEST(ClearUndo, LadderFromAFreshEngine) {
    EngineHarness calc;
    calc.press("D");
    EXPECT_EQ(calc.display.last(), "0");
    EXPECT_EQ(calc.display.next(), "0 ?");
    EXPECT_EQ(calc.display.say(), "0");
    EXPECT_EQ(calc.display.tie(), "");
    EXPECT_EQ(calc.display.tieLeft, kTieLeft);
    EXPECT_EQ(calc.state().intState, 4);

    calc.press("D");
    EXPECT_EQ(calc.state().intState, 12);
    EXPECT_EQ(calc.display.tieLeft, kTieRight);
    EXPECT_EQ(calc.display.last(), "");
    EXPECT_EQ(calc.display.next(), "");

    const int writes = calc.display.writes;
    calc.press("D");
    EXPECT_EQ(calc.display.writes, writes);
    EXPECT_EQ(calc.state().intState, 12);
    EXPECT_EQ(calc.display.beeps, 0);
}

TEST(ClearUndo, DiscardsATypedNumber) {
    EngineHarness calc;
    calc.press("5+12D");
    EXPECT_EQ(calc.display.next(), "12 ?");
    EXPECT_EQ(calc.display.say(), "0");
    EXPECT_EQ(calc.display.last(), "5");
    EXPECT_EQ(calc.display.tie(), "+");
    EXPECT_EQ(calc.display.tieLeft, kTieLeft);
    EXPECT_EQ(calc.state().dblResult, 5.0);
    EXPECT_EQ(calc.state().intOp, 1);
    EXPECT_EQ(calc.state().intState, 4);
}

TEST(ClearUndo, DiscardShowsTheTextAsTyped) {
    EngineHarness calc;
    calc.press("12.D");
    EXPECT_EQ(calc.display.next(), "12. ?");
}

TEST(ClearUndo, UndoesTheLastOperation) {
    EngineHarness calc;
    calc.press("12+3=D");
    EXPECT_EQ(calc.display.last(), "12");
    EXPECT_EQ(calc.display.next(), "3 ?");
    EXPECT_EQ(calc.display.say(), "0");
    EXPECT_EQ(calc.display.tie(), "+");
    EXPECT_EQ(calc.display.tieLeft, kTieLeft);
    EXPECT_EQ(calc.state().dblResult, 12.0);
    EXPECT_EQ(calc.state().intOp, 1);
    calc.press("4=");
    EXPECT_EQ(calc.display.say(), "16");
}

TEST(ClearUndo, UndoDropsTheOperatorChosenAfterTheOperand) {
    EngineHarness calc;
    calc.press("12*3+D");
    EXPECT_EQ(calc.display.last(), "12");
    EXPECT_EQ(calc.display.next(), "3 ?");
    EXPECT_EQ(calc.display.tie(), "*");
    EXPECT_EQ(calc.state().intOp, 3);
    calc.press("4=");
    EXPECT_EQ(calc.display.say(), "48");
}

TEST(ClearUndo, ClearAllKeepsTheUndoRecord) {
    EngineHarness calc;
    calc.press("12+3=DD");
    EXPECT_EQ(calc.display.say(), "0");
    EXPECT_EQ(calc.display.tie(), "");
    EXPECT_EQ(calc.state().dblResult, 0.0);
    EXPECT_EQ(calc.state().intOp, 0);
    EXPECT_EQ(calc.state().dblLastNum, 3.0);
    EXPECT_EQ(calc.state().dblLastResult, 12.0);
    EXPECT_EQ(calc.state().intLastOp, 1);
}

TEST(ClearUndo, AnOperatorThatDoesNotComputeContinuesTheLadder) {
    EngineHarness calc;
    calc.press("D+D");
    EXPECT_EQ(calc.state().intState, 12);
    EXPECT_EQ(calc.state().intOp, 0);
}

TEST(ClearUndo, ANewOperandFromAFunctionOrPasteIsDiscarded) {
    EngineHarness calc;
    calc.clipboard.content = "2.5";
    calc.press("7+V");
    calc.press("D");
    EXPECT_EQ(calc.display.next(), "2.5 ?");
    EXPECT_EQ(calc.state().intOp, 1);
}

}  // namespace
}  // namespace zobu::testing
