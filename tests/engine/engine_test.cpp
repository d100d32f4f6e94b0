// The engine as its user meets it: keystroke scripts and the four lines they leave.
#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "engine_harness.h"

namespace zobu::testing {
namespace {

enum Mark { Before, After };  // the operator mark's place beside the display
using Text = std::optional<std::string_view>;

// A script and the lines it leaves; a line left out is not looked at. The entry state shows in
// what later keys do (a digit starts a number or extends it, DEL undoes or clears all), so rows
// continue a script to see it rather than read the state's bits.
struct Script {
    std::string_view keys;
    std::string_view display;
    Text history = {}, note = {}, mark = {};
    std::optional<Mark> markAt = {};
    int beeps = 0;
    Text clipboard = {};
};

// clang-format off
const Script kScripts[] = {
    // 12 + 3 = step by step, and entry as typed.
    {.keys = "1", .display = "1", .history = "0", .note = "", .mark = "", .markAt = Before},
    {.keys = "12+", .display = "12", .history = "0  12", .note = "", .mark = "+", .markAt = After},
    {.keys = "12+3", .display = "3", .history = "12", .note = "", .mark = "+", .markAt = Before},
    {.keys = "12+3=", .display = "15", .history = "12 + 3", .note = "", .mark = "", .markAt = After},
    {.keys = ".", .display = "0."},
    {.keys = "05", .display = "05"},
    {.keys = "123456789012345.", .display = "12345678901234"},
    {.keys = "3n4", .display = "4", .history = "0", .note = "-3"},
    {.keys = "5/0=7", .display = "7", .note = "0", .beeps = 1},
    {.keys = "/=7", .display = "7", .note = "运算失败 无效运算", .beeps = 1},
    // Left to right, no precedence; an operator without an operand replaces or cancels.
    {.keys = "2+3*4=", .display = "20", .history = "5 * 4", .mark = ""},
    {.keys = "10-4=", .display = "6", .history = "10 - 4"},
    {.keys = "12+=", .display = "24", .history = "12 + 12"},
    {.keys = "12+3==", .display = "15", .history = "12 + 3"},
    {.keys = "12++", .display = "12", .history = "0  12", .mark = ""},
    {.keys = "12+-", .display = "12", .history = "0  12", .mark = "-"},
    {.keys = "05+", .display = "5", .history = "0  5"},
    {.keys = "1/3=*3=", .display = "1"},
    {.keys = "[1e-200]V*V=", .display = "0"},
    {.keys = "[1e-160]V*V=", .display = "9.99988867182683E-321"},
    // Failures keep the user's number, name the failure on the note line and beep.
    {.keys = "5/0=", .display = "0", .history = "5", .note = "运算失败 除数为零", .mark = "/", .markAt = Before, .beeps = 1},
    {.keys = "/=", .display = "0", .history = "0", .note = "运算失败 无效运算", .mark = "/", .markAt = Before, .beeps = 1},
    {.keys = "[1e300]V*[1e10]V=", .display = "10000000000", .note = "运算失败 溢出", .mark = "*", .beeps = 1},
    {.keys = "[1e300]V*[1e10]V=[2]V=", .display = "2E+300", .beeps = 1},
    // Sign change and reciprocal: a new operand, the running result untouched.
    {.keys = "2+3=r", .display = "0.2", .history = "5", .note = "1 / 5"},
    {.keys = "12+n", .display = "-12", .history = "12", .note = "- 12", .mark = "+", .markAt = Before},
    {.keys = "7+0r", .display = "0", .history = "7", .note = "1 / 0 失败 除数为零", .mark = "+", .beeps = 1},
    {.keys = "[5e-324]Vr", .display = "4.94065645841247E-324", .note = "1 / 4.94065645841247E-324 失败 溢出", .beeps = 1},
    // DEL: discard the new operand, undo the last operation, clear all; the record stays.
    {.keys = "DD", .display = "0", .history = "", .note = "", .mark = "", .markAt = After},
    {.keys = "5+12D", .display = "0", .history = "5", .note = "12 ?", .mark = "+", .markAt = Before},
    {.keys = "5+12D3=", .display = "8", .note = ""},
    {.keys = "12.D", .display = "0", .note = "12. ?"},
    {.keys = "12*3+D", .display = "0", .history = "12", .note = "3 ?", .mark = "*", .markAt = Before},
    {.keys = "12*3+D4=", .display = "48"},
    {.keys = "12+3=DD", .display = "0", .mark = ""},
    // Copy: the display text goes out as shown; right after DEL it takes part in the ladder.
    {.keys = "12+3=C", .display = "15", .history = "12 + 3", .note = "复制 成功", .clipboard = "15"},
    {.keys = "12.C5", .display = "5", .note = "12.", .clipboard = "12."},
    {.keys = "[old]5DC", .display = "0", .note = "5 ?", .clipboard = "old"},
    {.keys = "[old]12+3=DDC", .display = "0", .note = "DEL", .clipboard = "old"},
    {.keys = "12+3=DDCD4=", .display = "16", .history = "12 + 4"},
    {.keys = "[old]Y7C", .display = "7", .note = "复制 失败 无法访问剪贴板", .beeps = 1, .clipboard = ""},
    {.keys = "MY7C", .display = "7", .note = "复制 失败 内存不足", .beeps = 1},
    // Paste: a new operand; the number it replaces moves to the note line.
    {.keys = "12+[2.50]V", .display = "2.5", .history = "12", .note = "", .mark = "+", .markAt = Before},
    {.keys = "[2.5]V7", .display = "7", .note = "2.5"},
    {.keys = "7[ 1,234.5\n]V[９]V", .display = "9", .note = "1234.5"},
    {.keys = "12+34[abc]V", .display = "34", .history = "12", .note = "粘贴 失败 类型不匹配", .mark = "+", .beeps = 1},
    {.keys = "12+34[5]MZV", .display = "34", .history = "12", .note = "粘贴 失败 内存不足", .mark = "+", .beeps = 1},
};
// clang-format on

TEST(Engine, KeystrokeScripts) {
    for (const Script& s : kScripts) {
        SCOPED_TRACE(s.keys);
        EngineHarness calc;
        calc.press(s.keys);
        const auto& lines = calc.display.lines;
        EXPECT_EQ(lines[0], s.display);
        // A line the row leaves out is compared with itself.
        EXPECT_EQ(lines[1], s.mark.value_or(lines[1]));
        EXPECT_EQ(lines[2], s.history.value_or(lines[2]));
        EXPECT_EQ(lines[3], s.note.value_or(lines[3]));
        EXPECT_EQ(calc.clipboard.content, s.clipboard.value_or(calc.clipboard.content));
        if (s.markAt) {
            EXPECT_EQ(calc.display.tieLeft, *s.markAt == Before ? kTieLeft : kTieRight);
        }
        EXPECT_EQ(calc.display.beeps, s.beeps);
    }
}

}  // namespace
}  // namespace zobu::testing
