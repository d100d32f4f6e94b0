// Copy and paste: the display text goes out unchanged, a pasted number comes in as a new
// operand, clipboard failures are reported; copy also takes part in the DEL ladder.
#include <gtest/gtest.h>

#include <vector>

#include "fakes/engine_harness.h"

namespace zobu::testing {
namespace {

using Calls = std::vector<std::string>;

TEST(Copy, PutsTheDisplayTextOnTheClipboard) {
    EngineHarness calc;
    calc.press("12+3=C");
    EXPECT_EQ(calc.clipboard.content, "15");
    EXPECT_EQ(calc.clipboard.calls, (Calls{"clear", "put"}));
    EXPECT_EQ(calc.display.next(), "复制 成功");
    EXPECT_EQ(calc.display.say(), "15");
    EXPECT_EQ(calc.display.last(), "12 + 3");
    EXPECT_EQ(calc.state().intState, 0);
}

TEST(Copy, TypedTextGoesOutAsTypedAndEndsTyping) {
    EngineHarness calc;
    calc.press("12.C");
    EXPECT_EQ(calc.clipboard.content, "12.");
    EXPECT_EQ(calc.state().intState, 1);
    calc.press("+");
    EXPECT_EQ(calc.state().dblResult, 12.0);
}

TEST(Copy, AfterOneDelDoesNothing) {
    EngineHarness calc;
    calc.clipboard.content = "old";
    calc.press("5D");
    const std::string note = calc.display.next();
    calc.press("C");
    EXPECT_EQ(calc.clipboard.content, "old");
    EXPECT_TRUE(calc.clipboard.calls.empty());
    EXPECT_EQ(calc.display.next(), note);
    EXPECT_EQ(calc.state().intState, 4);
}

TEST(Copy, AfterClearAllReArmsUndo) {
    EngineHarness calc;
    calc.press("12+3=DDC");
    EXPECT_EQ(calc.display.next(), "DEL");
    EXPECT_TRUE(calc.clipboard.calls.empty());
    EXPECT_EQ(calc.state().intState, 0);
    calc.press("D");
    EXPECT_EQ(calc.state().dblResult, 12.0);
    EXPECT_EQ(calc.state().intOp, 1);
    EXPECT_EQ(calc.display.next(), "3 ?");
}

TEST(Copy, ReportsAClipboardThatCannotBeCleared) {
    EngineHarness calc;
    calc.clipboard.failClear = true;
    calc.press("7C");
    EXPECT_EQ(calc.display.next(), "复制 失败 无法访问剪贴板");
    EXPECT_EQ(calc.clipboard.calls, (Calls{"clear"}));
    EXPECT_EQ(calc.state().intState, 1);
    EXPECT_EQ(calc.display.beeps, 1);
}

TEST(Copy, ReportsAClipboardThatCannotBeWrittenAndLeavesItEmpty) {
    EngineHarness calc;
    calc.clipboard.content = "old";
    calc.clipboard.failPut = true;
    calc.press("7C");
    EXPECT_EQ(calc.display.next(), "复制 失败 无法访问剪贴板");
    EXPECT_EQ(calc.clipboard.content, "");
    EXPECT_EQ(calc.display.beeps, 1);
}

TEST(Paste, ShowsThePastedNumberAsANewOperand) {
    EngineHarness calc;
    calc.press("12+");
    calc.clipboard.content = "2.50";
    calc.press("V");
    EXPECT_EQ(calc.display.last(), "12");
    EXPECT_EQ(calc.display.next(), "");
    EXPECT_EQ(calc.display.say(), "2.5");
    EXPECT_EQ(calc.state().intState, 1);
    EXPECT_EQ(calc.display.tieLeft, kTieLeft);
    EXPECT_EQ(calc.display.tie(), "+");
    EXPECT_EQ(calc.clipboard.calls, (Calls{"get"}));
    calc.press("=");
    EXPECT_EQ(calc.display.say(), "14.5");
}

TEST(Paste, MovesTheReplacedOperandToTheNoteLine) {
    EngineHarness calc;
    calc.clipboard.content = " 1,234.5\n";
    calc.press("7V");
    EXPECT_EQ(calc.display.next(), "7");
    EXPECT_EQ(calc.display.say(), "1234.5");
    calc.clipboard.content = "９";
    calc.press("V");
    EXPECT_EQ(calc.display.next(), "1234.5");
    EXPECT_EQ(calc.display.say(), "9");
}

TEST(Paste, ReportsTextThatIsNotANumber) {
    const struct {
        const char* name;
        const char* content;
        bool failGet;
        const char* note;
    } cases[] = {
        {"Letters", "abc", false, "粘贴 失败 类型不匹配"},
        {"Empty", "", false, "粘贴 失败 类型不匹配"},
        {"OutOfRange", "1e400", false, "粘贴 失败 溢出"},
        {"Unreadable", "5", true, "粘贴 失败 无法访问剪贴板"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EngineHarness calc;
        calc.press("12+34");
        calc.clipboard.content = c.content;
        calc.clipboard.failGet = c.failGet;
        calc.press("V");
        EXPECT_EQ(calc.display.next(), c.note);
        EXPECT_EQ(calc.display.say(), "34");
        EXPECT_EQ(calc.display.last(), "12");
        EXPECT_EQ(calc.state().intState, 1);
        EXPECT_EQ(calc.display.beeps, 1);
    }
}

}  // namespace
}  // namespace zobu::testing
