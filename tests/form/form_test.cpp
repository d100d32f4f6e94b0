// frmA without a toolkit, on a surface that records what it was told: the load step's measures,
// folding and its 16-bit arithmetic, every click reaching its key's operation as
// the engine runs that key, and every key code doing what the keypad and the help text say.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "calc_failure.h"
#include "form_harness.h"
#include "help_text.h"
#include "int16_lengths.h"
#include "outer_height.h"
#include "vk_codes.h"

namespace zobu::testing {
namespace {

using N = LabelName;
const std::size_t kSay = LayoutRow(N::lblSay), kNext = LayoutRow(N::lblNext),
                  kHelp = LayoutRow(N::lblHelp);

// The window's height at load, the height it unfolds to and the one it folds to; none where a
// length beyond 16 bits ends the load step.
struct LoadRow {
    double outer;
    double full = 0;
    std::optional<double> fold = {};
};

const LoadRow kLoadRows[] = {
    {.outer = 3900, .full = 3900, .fold = 1515},
    {.outer = 3900.5, .full = 3900, .fold = 1515},
    {.outer = 32767.5},
    {.outer = -30384},
};

// The heights recorded at load are the ones folding toggles between; a length beyond 16 bits
// ends the load step before it changes anything.
TEST(Form, LoadMeasuresTheWindowAndPlacesTheMark) {
    for (const auto& [outer, full, fold] : kLoadRows) {
        SCOPED_TRACE(outer);
        Form w(outer, false);
        const auto laidOut = w.snapshot();
        if (!fold) {
            EXPECT_THROW(w.form.Form_Load(), CalcFailure);
            EXPECT_EQ(w.snapshot(), laidOut);
            continue;
        }
        w.form.Form_Load();
        EXPECT_EQ(w.places[LayoutRow(N::lblTie)], (TwipRect{4790, 310, 300, 400}));
        w.form.Form_KeyUp(VK_SPACE, 0);
        EXPECT_EQ(w.height, *fold);
        w.form.doubleClick(kSay);
        EXPECT_EQ(w.height, full) << "unfolds to the height as stored";
    }
}

// The keypad is a grid: four rows, each from the same left edge, its left-hand keys ending at
// the same right edge, and its four right-hand keys in the same columns as every other row's.
TEST(Form, KeypadIsAGrid) {
    std::map<double, std::vector<std::array<double, 2>>> rows;  // top: each key's left, right
    for (const LabelSpec& l : kLayout) {
        if (l.key) {
            rows[l.top].push_back({l.left, l.left + l.width});
        }
    }
    ASSERT_EQ(rows.size(), 4U);
    const auto& first = rows.begin()->second;  // sorted first, in the loop's first round
    for (auto& [top, keys] : rows) {
        std::sort(keys.begin(), keys.end());
        EXPECT_TRUE(std::equal(keys.end() - 4, keys.end(), first.end() - 4)) << top;
        EXPECT_EQ(keys.front()[0], first.front()[0]) << top;
        EXPECT_EQ(keys.end()[-5][1], first.end()[-5][1]) << top;
    }
}

// Folding decides at the midpoint of the two heights, their 16-bit sum halved toward zero.
struct FoldRow {
    double from;
    double to;
};

TEST(Form, FoldingAndItsSixteenBitLengths) {
    const FoldRow rows[] = {
        {.from = 2707, .to = 1515},
        {.from = 2706.9, .to = 3900},
    };
    for (const auto& [from, to] : rows) {
        Form w;
        w.height = from;
        const auto before = w.snapshot();
        w.form.click(kSay);
        EXPECT_EQ(w.snapshot(), before) << "a single click on the display does nothing";
        w.form.doubleClick(kSay);
        EXPECT_EQ(w.height, to) << from;
    }
    EXPECT_EQ(FoldToggleHeight(0, -16384, -16384), -16384);  // the least sum that fits
    EXPECT_EQ(FoldToggleHeight(0, 16384, 16383), 16384);     // the greatest
    EXPECT_THROW(FoldToggleHeight(0, 16384, 16384), CalcFailure);
    EXPECT_EQ(ToInt16(-32768.5), -32768);
    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_THROW(ToInt16(std::numeric_limits<double>::quiet_NaN()), CalcFailure);
    // Made on a 144 DPI monitor with a frame of 45 pixels, folded and unfolded on monitors of
    // other DPIs, where the frame is another number of twips: the client area is the layout's
    // to the pixel, so the note line ends (1000 twips) above the window's edge and the first
    // key row (1050) below it.
    const OuterHeight frame(45, 144);
    Form w(frame.twips(TwipsToPixels(kClientHeightTwips, 144), 144));
    for (const unsigned dpi : {96U, 120U, 144U, 168U, 192U}) {
        w.form.Form_KeyUp(VK_SPACE, 0);
        EXPECT_EQ(frame.clientPixels(w.height, dpi), TwipsToPixels(1035, dpi)) << dpi;
        w.form.Form_KeyUp(VK_SPACE, 0);
        EXPECT_EQ(frame.clientPixels(w.height, dpi), TwipsToPixels(3420, dpi)) << dpi;
    }
}

// Each key row runs its operation with its element index, once also for a quick double-click;
// every other label does nothing.
TEST(Form, EveryKeyRowReachesItsOperation) {
    for (std::size_t row = 0; row < kLabelCount; ++row) {
        Form w;
        EngineHarness calc;
        w.clipboard.content = calc.clipboard.content = "8";
        w.press("5/0"), calc.press("5/0");
        w.form.click(row), w.form.doubleClick(row);
        if (kLayout[row].key) {
            calc.press(KeystrokeOfCaption(kLayout[row].caption));
        }
        if (row != kSay) {
            const auto& l = calc.display.lines;
            EXPECT_EQ(
                std::tuple(w.captions[kSay], w.captions[LayoutRow(N::lblTie)],
                           w.captions[LayoutRow(N::lblLast)], w.captions[LayoutRow(N::lblNext)],
                           w.beeps, w.clipboard.content),
                std::tuple(l[0], l[1], l[2], l[3], calc.display.beeps, calc.clipboard.content));
            EXPECT_EQ(w.places[LayoutRow(N::lblTie)].left, calc.display.tieLeft);
        }
    }
}

// What a screen reader is told comes from what the window knows: each write of the display is
// heard, the note line's only as it changes; the display and the note line are live regions.
// Which labels can be pressed, folded or under the help panel, the Qt window's reader test asks.
TEST(Form, ScreenReaderIsToldWhatTheWindowKnows) {
    Form w;
    w.press("2+2=");  // the note line is cleared at "+" and "=": written, not changed
    EXPECT_EQ(w.heard[kSay], (std::vector<std::string>{"2", "2", "2", "4"}));
    EXPECT_TRUE(w.heard[kNext].empty());
    for (std::size_t row = 0; row < kLabelCount; ++row) {
        EXPECT_EQ(w.form.access(row).live, row == kSay || row == kNext) << row;
    }
}

// What a key does, by the label it stands for: a click on the key, or the display's double-click.
struct Target {
    std::size_t row;
    bool doubleClick = false;
};

// What each key code does, as the keypad and the help text tell a user: a key clicks the key
// whose caption it types on a US keyboard (the keypad's with Num Lock on, its separator key a
// second Enter); the keys the help text names in "[a][b]:does" or "[a]相当于[x]:does" do what the
// key or the display whose tooltip has the word that "does" ends in does (Space folds as the
// display's double-click), and x is that key's caption.
std::map<int, Target> KeysAsTheyAreNamed() {
    // Windows' virtual-key codes, in the numbers Windows documents for them, by what a US
    // keyboard types on the key or calls it.
    std::map<std::string, std::vector<int>> codes = {
        {".", {0xBE, 0x6E}},     // VK_OEM_PERIOD, VK_DECIMAL
        {"+", {0xBB, 0x6B}},     // VK_OEM_PLUS, VK_ADD
        {"-", {0xBD, 0x6D}},     // VK_OEM_MINUS, VK_SUBTRACT
        {"*", {0x6A}},           // VK_MULTIPLY
        {"'", {0xDE}},           // VK_OEM_7
        {"/", {0xBF, 0x6F}},     // VK_OEM_2, VK_DIVIDE
        {"回车", {0x0D, 0x6C}},  // VK_RETURN, VK_SEPARATOR
        {"~", {0xC0}},           // VK_OEM_3
        {"\\", {0xDC}},          // VK_OEM_5
        {"DEL", {0x2E}},         // VK_DELETE
        {"退格", {0x08}},        // VK_BACK
        {"ESC", {0x1B}},         // VK_ESCAPE
        {"空格", {0x20}},        // VK_SPACE
        {"C", {'C'}},            // a letter's code is its capital
        {"V", {'V'}},
    };
    for (int digit = 0; digit <= 9; ++digit) {
        codes[std::to_string(digit)] = {'0' + digit, 0x60 + digit};  // and VK_NUMPAD0 on
    }
    std::map<int, Target> named;
    std::map<std::string, Target> labels;  // by each word of their tooltips: what they do
    for (std::size_t row = 0; row < kLabelCount; ++row) {
        const LabelSpec& l = kLayout[row];
        for (const int code : l.key ? codes[l.caption] : std::vector<int>{}) {
            named[code] = {row};
        }
        std::istringstream words(l.tooltip);
        for (std::string word; words >> word;) {
            labels[word] = {row, !l.key};
        }
    }
    // Each "[a][b]:does" or "[a]相当于[x]:does" of the help text.
    const std::string equals = "]相当于[";
    std::istringstream items(HelpText());
    for (std::string item; items >> item;) {
        const std::size_t colon = item.find("]:"), as = item.find(equals);
        if (colon == std::string::npos) {
            continue;  // no key named: a rule, "连按两次:全部清零", the closing line
        }
        const std::string does = item.substr(colon + 2);
        const auto label = std::find_if(labels.begin(), labels.end(), [&](const auto& word) {
            return does.ends_with(word.first);
        });
        const Target target = label != labels.end() ? label->second : throw std::out_of_range(does);
        if (as != std::string::npos) {
            EXPECT_EQ(item.substr(as + equals.size(), colon - as - equals.size()),
                      kLayout[target.row].caption);
        }
        std::istringstream keys(item.substr(1, std::min(as, colon) - 1));  // a][b
        for (std::string key; std::getline(keys, key, ']');) {
            for (const int code : codes.at(key.substr(key.find('[') + 1))) {
                named[code] = target;
            }
        }
    }
    return named;
}

// Whatever the Shift state: the named keys act, F1 shows the help, every other code does nothing.
// While the help is shown only F1 acts, and it hides the help.
TEST(Form, EveryKeyCodeDoesWhatTheKeypadAndTheHelpTextSay) {
    // Thirteen lines: a title, an empty line, four lines of keys between five rules of 47
    // hyphens, an empty line and the line on closing the panel.
    std::string shape;  // a letter a line: r a rule, e empty, t text
    std::istringstream lines(HelpText() + "\r\n");
    for (std::string line; std::getline(lines, line);) {
        shape += line == std::string(47, '-') + "\r" ? 'r' : line == "\r" ? 'e' : 't';
    }
    EXPECT_EQ(shape, "tertrtrtrtret");
    const std::map<int, Target> named = KeysAsTheyAreNamed();
    for (int code = -1; code <= 256; ++code) {
        SCOPED_TRACE(code);
        const auto key = static_cast<std::int16_t>(code);
        Form w, expected, helped;
        w.press("12+3"), expected.press("12+3");
        w.form.Form_KeyUp(key, static_cast<std::int16_t>(code & 7));
        if (const auto target = named.find(code); target != named.end()) {
            target->second.doubleClick ? expected.form.doubleClick(target->second.row)
                                       : expected.form.click(target->second.row);
        } else if (code == 0x70) {  // VK_F1
            EXPECT_TRUE(w.visible[kHelp]);
            w.form.click(kHelp);
        }
        ASSERT_EQ(w.snapshot(), expected.snapshot());

        helped.form.Form_KeyUp(VK_F1, 0);
        const auto shown = helped.snapshot();
        helped.form.Form_KeyUp(key, 0);
        if (code == VK_F1) {
            EXPECT_FALSE(helped.visible[kHelp]);
        } else {
            ASSERT_EQ(helped.snapshot(), shown);
        }
    }
}

}  // namespace
}  // namespace zobu::testing
