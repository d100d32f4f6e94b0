// Form_KeyUp on the window: every code of the key table reaches its operation with its
// argument, codes outside it do nothing, Shift is never read, and while the help panel is
// shown only F1 acts.
#include <gtest/gtest.h>

#include <QStringList>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "calc_failure.h"
#include "help_text.h"
#include "key_map.h"
#include "key_window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;

struct KeyUpCase {
    std::string name;
    std::int16_t code;
    std::string before;  // keys clicked first
    std::string after;   // keys clicked afterwards
    std::string display;
    std::optional<std::string> history;  // lblLast at the end
    std::optional<std::string> note;     // lblNext at the end
    std::optional<std::string> clipboardBefore;
    std::optional<std::string> clipboardAfter;
};

void PrintTo(const KeyUpCase& c, std::ostream* os) {
    *os << c.name << " (" << c.code << ")";
}

// Every code of the table but Space and F1, which change the window rather than the lines.
std::vector<KeyUpCase> keyUpCases() {
    std::vector<KeyUpCase> cases;
    for (int digit = 0; digit <= 9; ++digit) {
        const std::string d = std::to_string(digit);
        cases.push_back({"MainRowDigit" + d,
                         static_cast<std::int16_t>(48 + digit),
                         "",
                         "",
                         d,
                         "0",
                         "",
                         {},
                         {}});
        cases.push_back(
            {"KeypadDigit" + d, static_cast<std::int16_t>(96 + digit), "", "", d, "0", "", {}, {}});
    }
    const std::vector<KeyUpCase> others = {
        {"KeypadDecimalPoint", 110, "3", "5", "3.5", {}, {}, {}, {}},
        {"Period", 190, "3", "5", "3.5", {}, {}, {}, {}},
        {"KeypadPlus", 107, "2", "3=", "5", "2 + 3", {}, {}, {}},
        {"EqualsPlus", 187, "2", "3=", "5", "2 + 3", {}, {}, {}},
        {"KeypadMinus", 109, "9", "4=", "5", "9 - 4", {}, {}, {}},
        {"MinusUnderscore", 189, "9", "4=", "5", "9 - 4", {}, {}, {}},
        {"KeypadMultiply", 106, "6", "7=", "42", "6 * 7", {}, {}, {}},
        {"Apostrophe", 222, "6", "7=", "42", "6 * 7", {}, {}, {}},
        {"KeypadDivide", 111, "7", "2=", "3.5", "7 / 2", {}, {}, {}},
        {"Slash", 191, "7", "2=", "3.5", "7 / 2", {}, {}, {}},
        {"Enter", 13, "12+3", "", "15", "12 + 3", {}, {}, {}},
        {"KeypadSeparator", 108, "12+3", "", "15", "12 + 3", {}, {}, {}},
        {"GraveTildeNegates", 192, "5", "", "-5", {}, "- 5", {}, {}},
        {"BackslashTakesTheReciprocal", 220, "4", "", "0.25", {}, "1 / 4", {}, {}},
        {"BackspaceDiscardsTheNewOperand", 8, "12+3", "", "0", {}, "3 ?", {}, {}},
        {"EscDiscardsTheNewOperand", 27, "12+3", "", "0", {}, "3 ?", {}, {}},
        {"DeleteDiscardsTheNewOperand", 46, "12+3", "", "0", {}, "3 ?", {}, {}},
        {"CCopies", 67, "4.5n", "", "-4.5", {}, "复制 成功", "stale", "-4.5"},
        {"VPastes", 86, "", "+1=", "1235.5", {}, {}, "1234.5", {}},
    };
    cases.insert(cases.end(), others.begin(), others.end());
    return cases;
}

class KeyUpTable : public KeyWindowTest, public ::testing::WithParamInterface<KeyUpCase> {};

TEST_P(KeyUpTable, RunsTheOperationWithItsArgument) {
    const KeyUpCase& c = GetParam();
    if (c.clipboardBefore) {
        setClipboard(QString::fromStdString(*c.clipboardBefore));
    }
    press(c.before);
    keyUp(c.code);
    press(c.after);
    EXPECT_EQ(say(), c.display);
    if (c.history) {
        EXPECT_EQ(line(N::lblLast), *c.history);
    }
    if (c.note) {
        EXPECT_EQ(line(N::lblNext), *c.note);
    }
    if (c.clipboardAfter) {
        EXPECT_EQ(clipboard().toStdString(), *c.clipboardAfter);
    }
    EXPECT_EQ(clientHeight(), 228);
    EXPECT_FALSE(window.helpVisible());
}

INSTANTIATE_TEST_SUITE_P(Window, KeyUpTable, ::testing::ValuesIn(keyUpCases()),
                         [](const auto& row) { return row.param.name; });

std::set<int> tableCodes() {
    std::set<int> codes;
    for (const KeyRow& row : keyTable()) {
        for (int code = row.first; code <= row.last; ++code) {
            codes.insert(code);
        }
    }
    return codes;
}

// A row added to the key table must come with a case above (or a test of its own).
TEST(KeyUpTableCoverage, EveryCodeOfTheKeyTableIsExercised) {
    std::set<int> tested = {32, kKeyF1};
    for (const KeyUpCase& c : keyUpCases()) {
        tested.insert(c.code);
    }
    EXPECT_EQ(tested, tableCodes());
}

using KeyUp = KeyWindowTest;

TEST_F(KeyUp, SpaceFoldsAndUnfolds) {
    keyUp(32);
    EXPECT_EQ(clientHeight(), 69);
    keyUp(32);
    EXPECT_EQ(clientHeight(), 228);
    EXPECT_EQ(say(), "0");
}

TEST_F(KeyUp, ShiftIsNeverRead) {
    const std::vector<std::int16_t> shifts = {0, 1, 2,  3,
                                              4, 7, -1, std::numeric_limits<std::int16_t>::min()};
    for (const std::int16_t shift : shifts) {
        window.Form_KeyUp(56, shift);  // the 8 key, whatever Shift, Ctrl or Alt say
    }
    EXPECT_EQ(say(), "88888888");
}

TEST_F(KeyUp, CodesOutsideTheTableDoNothing) {
    press("12+3");
    const std::set<int> mapped = tableCodes();
    const WindowSnapshot before = snapshot();
    for (int code = std::numeric_limits<std::int16_t>::min();
         code <= std::numeric_limits<std::int16_t>::max(); ++code) {
        if (mapped.count(code) == 0) {
            keyUp(static_cast<std::int16_t>(code));
            ASSERT_EQ(snapshot(), before) << "code " << code;
        }
    }
}

// Space folds through the same 16-bit arithmetic as the double-click, and its failure passes
// out of Form_KeyUp unchanged; the height stays.
TEST_F(KeyUp, FailureOfTheOperationPassesOut) {
    window.engine().state().intFullHeight = 16384;
    window.engine().state().intFoldHeight = 16384;
    EXPECT_THROW(keyUp(32), CalcFailure);
    EXPECT_EQ(clientHeight(), 228);
}

// The help panel: its caption, and the keyboard while it is shown.

TEST(HelpCaption, IsTheThirteenLinesOfKeyboardCommands) {
    const QString rule(47, QLatin1Char('-'));
    const QStringList expected = {
        QStringLiteral("按键说明"),
        QString(),
        rule,
        QStringLiteral("[*][']:乘   [/]:除   [回车]相当于[=]:计算结果"),
        rule,
        QStringLiteral("[~]相当于[-n]:取负数   [\\]相当于[1/n]:取倒数"),
        rule,
        QStringLiteral("[DEL][退格][ESC]:屏幕清零   连按两次:全部清零"),
        rule,
        QStringLiteral("[C]:复制   [V]:粘贴   [空格]:伸缩窗口"),
        rule,
        QString(),
        QStringLiteral("再按[F1]键 或 用鼠标点击本说明: 隐藏本说明"),
    };
    frmA window;
    const QString caption = window.label(N::lblHelp).text();
    EXPECT_EQ(caption.toUtf8().toStdString(), HelpText());
    EXPECT_EQ(caption.size(), 412);
    EXPECT_EQ(caption.count(QStringLiteral("\r\n")), 12);
    EXPECT_FALSE(caption.endsWith(QLatin1Char('\n')));
    EXPECT_EQ(caption.split(QStringLiteral("\r\n")), expected);
}

using HelpKeys = KeyWindowTest;

TEST_F(HelpKeys, F1OverAFoldedWindowUnfoldsAndShowsThePanel) {
    keyUp(32);
    ASSERT_EQ(clientHeight(), 69);
    keyUp(kKeyF1);
    EXPECT_EQ(clientHeight(), 228);
    EXPECT_TRUE(window.helpVisible());
    EXPECT_TRUE(label(N::lblHelp).isVisible());
}

TEST_F(HelpKeys, F1AgainHidesThePanelAndTheWindowStaysUnfolded) {
    keyUp(32);
    keyUp(kKeyF1);
    keyUp(kKeyF1);
    EXPECT_FALSE(window.helpVisible());
    EXPECT_EQ(clientHeight(), 228);
    keyUp(kKeyF1);  // and a third time shows it again
    EXPECT_TRUE(window.helpVisible());
}

TEST_F(HelpKeys, WhileShownOnlyF1Acts) {
    setClipboard(QStringLiteral("77"));
    press("12+3");
    keyUp(kKeyF1);
    const WindowSnapshot shown = snapshot();
    ASSERT_TRUE(shown.help);
    for (const int code : tableCodes()) {
        if (code != kKeyF1) {
            keyUp(static_cast<std::int16_t>(code));
            ASSERT_EQ(snapshot(), shown) << "code " << code;
        }
    }
    keyUp(kKeyF1);
    EXPECT_FALSE(window.helpVisible());
    keyUp(13);
    EXPECT_EQ(say(), "15");
}

TEST_F(HelpKeys, ClickOnThePanelHidesItAndTheKeysWorkAgain) {
    keyUp(kKeyF1);
    click(N::lblHelp);
    EXPECT_FALSE(window.helpVisible());
    EXPECT_EQ(say(), "0");
    keyUp(55);
    EXPECT_EQ(say(), "7");
}

}  // namespace
}  // namespace zobu::testing
