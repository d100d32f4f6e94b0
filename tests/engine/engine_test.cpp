// The engine as its user meets it: keystroke scripts and the four lines they leave.
#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "engine_harness.h"

namespace zobu::testing {
namespace {

enum Mark { Before, After };  // the operator mark's place beside the display
using Text = std::optional<std::string_view>;

struct Script {
    std::string_view keys;
    std::string_view say;
    Text last = {}, next = {}, tie = {};
    std::optional<Mark> mark = {};
    std::optional<int> state = {};
    int beeps = 0;
    Text clipboard = {};
};

constexpr std::string_view kByZero = "运算失败 除数为零";

// clang-format off
const Script kScripts[] = {
    // keys, display, history, note, mark, mark's place, state, beeps, clipboard
    // 12 + 3 = step by step, and entry as typed.
    {"1", "1", "0", "", "", Before, 3}, {"12+", "12", "0  12", "", "+", After, 0},
    {"12+3", "3", "12", "", "+", Before, 3}, {"12+3=", "15", "12 + 3", "", "", After, 0},
    {"5n+1=", "-4", "-5 + 1", ""}, {".", "0."}, {"12..3", "12.3"}, {"05", "05"},
    {"123456789012345.", "12345678901234"}, {".1234567890129", "0.123456789012"},
    {"1234567890123.4", "1234567890123."}, {"3n4", "4", "0", "-3"},
    {"5/0=7", "7", {}, "0", {}, {}, {}, 1}, {"/=7", "7", {}, "运算失败 无效运算", {}, {}, {}, 1},
    // Left to right, no precedence; an operator without an operand replaces or cancels.
    {"2+3*4=", "20", "5 * 4", {}, ""}, {"2+3*", "5", "2 + 3", {}, "*"},
    {"10-4=", "6", "10 - 4"}, {"8/2=", "4", "8 / 2"}, {"12+=", "24", "12 + 12"},
    {"12+3+", "15", "12 + 3", {}, "+"}, {"12+3==", "15", "12 + 3"}, {"12++", "12", "0  12", {}, ""},
    {"12+-", "12", "0  12", {}, "-"}, {"12+3=7+", "7", "15  7", {}, "+"},
    {"05+", "5", "0  5"}, {"12.+", "12", "0  12"}, {"1/3=*3=", "1"}, {"2/3=", "0.666666666666667"},
    {"1/10000000000=", "1E-10"}, {"[1e-200]V*V=", "0"}, {"[1e-160]V*V=", "9.99988867182683E-321"},
    {"[1.7976931348623157e308]V=n", "-1.79769313486231E+308"},
    // Failures keep the user's number, name the failure on the note line and beep.
    {"5/0=", "0", "5", kByZero, "/", Before, 1, 1},
    {"5/0==+", "0", "5", kByZero, "/", Before, 1, 3}, {"/=", "0", {}, "运算失败 无效运算", "/", Before, 0, 1},
    {"[1e300]V*[1e10]V=", "10000000000", {}, "运算失败 溢出", "*", {}, 1, 1},
    {"[1e300]V*[1e10]V=[2]V=", "2E+300", {}, {}, {}, {}, {}, 1},
    // Sign change and reciprocal: a new operand, the running result untouched.
    {"5n", "-5", "0", "- 5", "", Before, 1}, {"4r", "0.25", "0", "1 / 4"},
    {"12.n", "-12", "0", "- 12"}, {"2+3=r", "0.2", "5", "1 / 5"},
    {"12+n", "-12", "12", "- 12", "+", Before, 1},
    {"7+0r", "0", "7", "1 / 0 失败 除数为零", "+", {}, 1, 1}, {"Dr", "0", {}, {}, {}, {}, 0, 1},
    {"[5e-324]Vr", "4.94065645841247E-324", {}, "1 / 4.94065645841247E-324 失败 溢出", {}, {}, 1, 1},
    // DEL: discard the new operand, undo the last operation, clear all; the record stays.
    {"D", "0", "0", "0 ?", "", Before, 4}, {"DD", "0", "", "", "", After, 12},
    {"DDD", "0", "", "", "", After, 12}, {"D+D", "0", {}, {}, "", {}, 12},
    {"5+12D", "0", "5", "12 ?", "+", Before, 4}, {"5+12D3=", "8"}, {"12.D", "0", {}, "12. ?"},
    {"12+3=D", "0", "12", "3 ?", "+", Before}, {"12+3=D4=", "16"},
    {"12*3+D", "0", "12", "3 ?", "*"}, {"12*3+D4=", "48"}, {"12+3=DD", "0", {}, {}, ""},
    {"7+[2.5]VD", "0", {}, "2.5 ?", "+"},
    // Copy: the display text goes out as shown; right after DEL it takes part in the ladder.
    {"12+3=C", "15", "12 + 3", "复制 成功", {}, {}, 0, 0, "15"},
    {"12.C", "12.", {}, {}, {}, {}, 1, 0, "12."},
    {"[old]5DC", "0", {}, "5 ?", {}, {}, 4, 0, "old"},
    {"[old]12+3=DDC", "0", {}, "DEL", {}, {}, 0, 0, "old"},
    {"12+3=DDCD4=", "16", "12 + 4"}, {"X7C", "7", {}, "复制 失败 无法访问剪贴板", {}, {}, 1, 1},
    {"[old]Y7C", "7", {}, "复制 失败 无法访问剪贴板", {}, {}, 1, 1, ""},
    {"MY7C", "7", {}, "复制 失败 内存不足", {}, {}, 1, 1},
    // Paste: a new operand; the number it replaces moves to the note line.
    {"12+[2.50]V", "2.5", "12", "", "+", Before, 1, 0}, {"12+[2.50]V=", "14.5"},
    {"7[ 1,234.5\n]V", "1234.5", {}, "7"}, {"7[ 1,234.5\n]V[９]V", "9", {}, "1234.5"},
    {"12+34[abc]V", "34", "12", "粘贴 失败 类型不匹配", "+", {}, 1, 1},
    {"12+34[1e400]V", "34", "12", "粘贴 失败 溢出", {}, {}, 1, 1},
    {"12+34[5]ZV", "34", "12", "粘贴 失败 无法访问剪贴板", {}, {}, 1, 1},
    {"12+34[5]MZV", "34", "12", "粘贴 失败 内存不足", "+", {}, 1, 1},
};
// clang-format on

TEST(Engine, KeystrokeScripts) {
    for (const Script& s : kScripts) {
        SCOPED_TRACE(s.keys);
        EngineHarness calc;
        calc.press(s.keys);
        const auto& lines = calc.display.lines;
        EXPECT_EQ(lines[0], s.say);
        const std::pair<Text, const std::string&> checks[] = {
            {s.tie, lines[1]},
            {s.last, lines[2]},
            {s.next, lines[3]},
            {s.clipboard, calc.clipboard.content}};
        for (const auto& [expected, actual] : checks) {
            if (expected) {
                EXPECT_EQ(actual, *expected);
            }
        }
        if (s.mark) {
            EXPECT_EQ(calc.display.tieLeft, *s.mark == Before ? kTieLeft : kTieRight);
        }
        if (s.state) {
            EXPECT_EQ(calc.engine.state().intState, *s.state);
        }
        EXPECT_EQ(calc.display.beeps, s.beeps);
    }
}

}  // namespace
}  // namespace zobu::testing
