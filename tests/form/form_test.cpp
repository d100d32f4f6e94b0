// frmA without a toolkit: the load step's measures, folding and its 16-bit arithmetic, the
// help panel's hold on the mouse and the keyboard, clicks and key releases reaching the keys'
// operations.
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "calc_failure.h"
#include "fakes/engine_harness.h"
#include "fakes/fake_clipboard.h"
#include "fakes/recording_surface.h"
#include "frm_a.h"
#include "int16_lengths.h"
#include "key_map.h"

namespace zobu::testing {
namespace {

using N = LabelName;

constexpr std::int16_t kSpace = 32;
const std::size_t kSayRow = LayoutRow(N::lblSay);
const std::size_t kHelpRow = LayoutRow(N::lblHelp);

// A window of the given outer height in twips, loaded unless told otherwise.
struct Form {
    explicit Form(double outerHeight = 3900, bool load = true) : surface(outerHeight) {
        if (load) {
            form.Form_Load();
        }
    }

    // Everything a click or a key can change; equal snapshots prove that nothing happened.
    auto snapshot() const {
        const CalcState& s = form.state();
        return std::tuple(surface.window, clipboard.content, s.dblLastNum, s.dblLastResult,
                          s.dblResult, s.intLastOp, s.intOp, s.intState);
    }
    double height() const { return surface.window.height; }

    RecordingSurface surface;
    FakeClipboard clipboard;
    frmA form{surface, clipboard};
};

// The harness's key letter for a key row: its caption, or n, r, D for "-n", "1/n", "DEL".
char HarnessKey(const LabelSpec& row) {
    const std::string_view caption = row.caption;
    return caption == "-n" ? 'n' : caption == "1/n" ? 'r' : caption == "DEL" ? 'D' : caption[0];
}

void ClickKeys(frmA& form, std::string_view keys) {
    for (const char k : keys) {
        for (std::size_t row = 0; row < kLabelCount; ++row) {
            if (kLayout[row].key && HarnessKey(kLayout[row]) == k) {
                form.click(row);
            }
        }
    }
}

// The window's lines, mark, beeps, clipboard and state against the engine's own after the
// same keys.
void ExpectSameAsEngine(const Form& w, const EngineHarness& calc) {
    const RecordingSurface& s = w.surface;
    EXPECT_EQ(s.caption(N::lblSay), calc.display.say());
    EXPECT_EQ(s.caption(N::lblTie), calc.display.tie());
    EXPECT_EQ(s.caption(N::lblLast), calc.display.last());
    EXPECT_EQ(s.caption(N::lblNext), calc.display.next());
    EXPECT_EQ(s.place(N::lblTie).left, calc.display.tieLeft);
    EXPECT_EQ(s.window.beeps, calc.display.beeps);
    EXPECT_EQ(w.clipboard.content, calc.clipboard.content);
    EXPECT_EQ(w.form.state().intState, calc.state().intState);
    EXPECT_EQ(w.form.state().intOp, calc.state().intOp);
    EXPECT_EQ(w.form.state().dblResult, calc.state().dblResult);
}

TEST(FormLoad, RecordsTheHeightsAndPlacesTheMarkAndTheHelpPanel) {
    const struct {
        double outer;
        std::int16_t full;
        std::optional<std::int16_t> fold;  // none: the load step fails with an overflow
    } cases[] = {
        {3900, 3900, 1515},    {3899.5, 3900, 1515}, {3900.5, 3900, 1515}, {2385, 2385, 0},
        {32767, 32767, 30382}, {32767.5, 0, {}},     {-30384, -30384, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.outer);
        Form w(c.outer, false);
        const RecordingSurface::Window laidOut = w.surface.window;
        if (!c.fold) {
            EXPECT_THROW(w.form.Form_Load(), CalcFailure);
            EXPECT_EQ(w.form.state().intFullHeight, c.full);
            EXPECT_EQ(w.form.state().intFoldHeight, 0)
                << "the steps after the failure are not done";
            EXPECT_EQ(w.surface.window, laidOut);
            continue;
        }
        w.form.Form_Load();
        const CalcState& s = w.form.state();
        EXPECT_EQ(s.intFullHeight, c.full);
        EXPECT_EQ(s.intFoldHeight, *c.fold);
        EXPECT_EQ(s.intTieLeft, 50);
        EXPECT_EQ(s.intTieRight, 4790);
        EXPECT_EQ(w.surface.place(N::lblTie), (TwipRect{4790, 310, 300, 400}));
        EXPECT_EQ(w.surface.place(N::lblHelp), (TwipRect{50, 50, 5100, 3300}));
        EXPECT_FALSE(w.surface.helpShown());
        EXPECT_EQ(w.height(), c.outer) << "loading leaves the height as it is";
    }
}

TEST(FormLoad, HelpCaptionIsTheThirteenLinesOfKeyboardCommands) {
    const std::string rule(47, '-');
    const std::vector<std::string> lines = {"按键说明",
                                            "",
                                            rule,
                                            "[*][']:乘   [/]:除   [回车]相当于[=]:计算结果",
                                            rule,
                                            "[~]相当于[-n]:取负数   [\\]相当于[1/n]:取倒数",
                                            rule,
                                            "[DEL][退格][ESC]:屏幕清零   连按两次:全部清零",
                                            rule,
                                            "[C]:复制   [V]:粘贴   [空格]:伸缩窗口",
                                            rule,
                                            "",
                                            "再按[F1]键 或 用鼠标点击本说明: 隐藏本说明"};
    std::string expected;
    for (const std::string& line : lines) {
        expected += (expected.empty() ? "" : "\r\n") + line;
    }
    const Form w;
    const std::string& caption = w.surface.caption(N::lblHelp);
    EXPECT_EQ(caption, expected);
}

TEST(Int16Lengths, ToInt16RoundsHalvesToEvenAndRefusesOverflow) {
    const std::vector<std::pair<double, std::optional<std::int16_t>>> cases = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-0.5, 0},
        {1515.5, 1516},
        {3899.6, 3900},
        {32767.4, 32767},
        {32767.5, {}},
        {-32768.5, -32768},
        {-32768.6, {}},
        {std::numeric_limits<double>::quiet_NaN(), {}},
    };
    for (const auto& [value, stored] : cases) {
        SCOPED_TRACE(value);
        if (stored) {
            EXPECT_EQ(ToInt16(value), *stored);
        } else {
            EXPECT_THROW(ToInt16(value), CalcFailure);
        }
    }
}

TEST(Int16Lengths, FoldToggleDecidesAtTheTruncatedMidpoint) {
    const struct {
        const char* what;
        double current;
        std::int16_t full;
        std::int16_t fold;
        double expected;
    } cases[] = {
        {"midpoint of 3001 and 1000 is 2000: folds", 2000, 3001, 1000, 1000},
        {"just below that midpoint unfolds", 1999, 3001, 1000, 3001},
        {"negative sum truncates toward zero: -1 folds", -1, -2, -1, -1},
        {"the largest sum that fits", 0, 16384, 16383, 16384},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldToggleHeight(c.current, c.full, c.fold), c.expected) << c.what;
    }
    EXPECT_THROW(FoldToggleHeight(0, 16384, 16384), CalcFailure);
    EXPECT_THROW(FoldToggleHeight(0, -16384, -16385), CalcFailure);
}

// Space and a double-click on the display both toggle; a single click on it does nothing.
// The loaded window's heights are 3900 and 1515, their midpoint 2707.
TEST(Folding, ToggleGoesToTheHeightOnTheOtherSideOfTheMidpoint) {
    const std::pair<double, double> cases[] = {{3900, 1515},   {1515, 3900}, {2707, 1515},
                                               {2706.9, 3900}, {5000, 1515}, {0, 3900}};
    for (const bool byKey : {true, false}) {
        for (const auto& [from, to] : cases) {
            SCOPED_TRACE(::testing::Message()
                         << (byKey ? "Space" : "double-click") << " from " << from);
            Form w;
            w.form.click(kSayRow);
            EXPECT_EQ(w.surface.window.heightChanges, 0);
            w.surface.window.height = from;
            byKey ? w.form.Form_KeyUp(kSpace, 0) : w.form.doubleClick(kSayRow);
            EXPECT_EQ(w.height(), to);
        }
    }
}

// Heights of 20000 and 17615 add up beyond 16 bits: folding fails and the height stays;
// the help panel still unfolds, by setting the full height directly.
TEST(Folding, SumOverflowLeavesTheHeight) {
    Form w(20000);
    EXPECT_THROW(w.form.Form_KeyUp(kSpace, 0), CalcFailure);
    EXPECT_THROW(w.form.doubleClick(kSayRow), CalcFailure);
    EXPECT_EQ(w.surface.window.heightChanges, 0);
    w.form.Form_KeyUp(kKeyF1, 0);
    EXPECT_EQ(w.height(), 20000);
    EXPECT_TRUE(w.surface.helpShown());
}

TEST(HelpPanel, F1OverAFoldedWindowUnfoldsAndF1AgainHides) {
    Form w;
    w.form.Form_KeyUp(kSpace, 0);
    ASSERT_EQ(w.height(), 1515);
    for (const bool shown : {true, false, true}) {
        w.form.Form_KeyUp(kKeyF1, 0);
        EXPECT_EQ(w.surface.helpShown(), shown);
        EXPECT_EQ(w.height(), 3900) << "hiding keeps the window unfolded";
    }
}

// While shown, the panel has the keyboard and the mouse to itself: only F1 and a click on
// the panel act, and both hide it. While hidden, it is not there to click.
TEST(HelpPanel, WhileShownOnlyF1AndAClickOnItAct) {
    Form w;
    w.clipboard.content = "77";
    w.form.click(kHelpRow);
    w.form.doubleClick(kHelpRow);
    EXPECT_FALSE(w.surface.helpShown());
    ClickKeys(w.form, "12+3");
    w.form.Form_KeyUp(kKeyF1, 0);
    const auto shown = w.snapshot();
    ASSERT_TRUE(w.surface.helpShown());
    for (int code = std::numeric_limits<std::int16_t>::min();
         code <= std::numeric_limits<std::int16_t>::max(); ++code) {
        if (code != kKeyF1) {
            w.form.Form_KeyUp(static_cast<std::int16_t>(code), 1);
            ASSERT_EQ(w.snapshot(), shown) << "code " << code;
        }
    }
    for (std::size_t row = 0; row < kLabelCount; ++row) {
        if (row != kHelpRow) {
            w.form.click(row);
            w.form.doubleClick(row);
            ASSERT_EQ(w.snapshot(), shown) << "row " << row;
        }
    }
    w.form.click(kHelpRow);
    EXPECT_FALSE(w.surface.helpShown());
    EXPECT_EQ(w.height(), 3900);
    w.form.Form_KeyUp(13, 0);
    EXPECT_EQ(w.surface.caption(N::lblSay), "15") << "the calculation was kept";
}

// Each key row runs its operation with its element index, once also for a quick
// double-click, exactly as the engine does for that key; the other labels run nothing.
TEST(Clicks, EveryKeyRowReachesItsOperationOnce) {
    int keys = 0;
    for (std::size_t row = 0; row < kLabelCount; ++row) {
        if (!kLayout[row].key) {
            Form w;
            const auto before = w.snapshot();
            w.form.click(row);
            w.form.doubleClick(row);
            if (row != kSayRow) {
                EXPECT_EQ(w.snapshot(), before) << "row " << row;
            }
            continue;
        }
        ++keys;
        for (const std::string_view before : {"12+3", "5/0"}) {
            for (const bool twice : {false, true}) {
                SCOPED_TRACE(::testing::Message() << before << " then " << kLayout[row].caption
                                                  << (twice ? " double-clicked" : ""));
                Form w;
                EngineHarness calc;
                w.clipboard.content = calc.clipboard.content = "8";
                ClickKeys(w.form, before);
                w.form.click(row);
                if (twice) {
                    w.form.doubleClick(row);
                }
                calc.press(before);
                calc.press(std::string(1, HarnessKey(kLayout[row])));

                ExpectSameAsEngine(w, calc);
            }
        }
    }
    EXPECT_EQ(keys, 21);
}

// Each code of the key table runs the operation of its key on the keypad, whatever the Shift
// state; Space folds and F1 shows the help panel; every other code does nothing.
TEST(KeyUp, EveryCodeRunsItsKeysOperationOrNothing) {
    std::map<int, char> keys = {{110, '.'}, {190, '.'}, {107, '+'}, {187, '+'}, {109, '-'},
                                {189, '-'}, {106, '*'}, {222, '*'}, {111, '/'}, {191, '/'},
                                {13, '='},  {108, '='}, {192, 'n'}, {220, 'r'}, {8, 'D'},
                                {27, 'D'},  {46, 'D'},  {67, 'C'},  {86, 'V'}};
    for (int digit = 0; digit <= 9; ++digit) {
        keys[48 + digit] = keys[96 + digit] = static_cast<char>('0' + digit);
    }
    Form idle;
    ClickKeys(idle.form, "12+3");
    const auto untouched = idle.snapshot();
    for (int code = std::numeric_limits<std::int16_t>::min();
         code <= std::numeric_limits<std::int16_t>::max(); ++code) {
        SCOPED_TRACE(::testing::Message() << "code " << code);
        Form w;
        ClickKeys(w.form, "12+3");
        w.form.Form_KeyUp(static_cast<std::int16_t>(code), static_cast<std::int16_t>(code & 7));
        if (const auto key = keys.find(code); key != keys.end()) {
            EngineHarness calc;
            calc.press(std::string("12+3") + key->second);
            ExpectSameAsEngine(w, calc);
        } else if (code == kSpace) {
            EXPECT_EQ(w.height(), 1515);
        } else if (code == kKeyF1) {
            EXPECT_TRUE(w.surface.helpShown());
        } else {
            ASSERT_EQ(w.snapshot(), untouched);
        }
    }
}

}  // namespace
}  // namespace zobu::testing
