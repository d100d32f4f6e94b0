// frmA without a toolkit, on a surface that records what it was told: the load step's measures,
// folding and its 16-bit arithmetic, the help panel's hold on the mouse and the keyboard, and
// every click and key code reaching its key's operation, as the engine runs that key.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <tuple>

#include "calc_failure.h"
#include "engine_harness.h"
#include "frm_a.h"
#include "int16_lengths.h"
#include "key_map.h"
#include "layout_table.h"
#include "outer_height.h"

namespace zobu::testing {
namespace {

using N = LabelName;
constexpr std::int16_t kSpace = 32;
const std::size_t kSay = LayoutRow(N::lblSay), kHelp = LayoutRow(N::lblHelp);

struct Form : FormSurface {
    explicit Form(double outerHeight = 3900, bool load = true) : height(outerHeight) {
        for (std::size_t row = 0; row < kLabelCount; ++row) {
            const LabelSpec& l = kLayout[row];
            captions[row] = l.caption, places[row] = {l.left, l.top, l.width, l.height};
            visible[row] = l.visible;
        }
        if (load) {
            form.Form_Load();
        }
    }
    void setCaption(std::size_t row, std::string_view text) override { captions.at(row) = text; }
    void moveLabel(std::size_t row, const TwipRect& place) override { places.at(row) = place; }
    void setLabelVisible(std::size_t row, bool shown) override { visible.at(row) = shown; }
    double windowHeight() const override { return height; }
    void setWindowHeight(double twips) override { height = twips, ++heightChanges; }
    void beep() override { ++beeps; }

    // Clicks keys named in the keystroke language.
    void press(std::string_view keys) {
        for (const char k : keys) {
            const Keystroke key = *KeystrokeFor(k);
            constexpr N kNames[] = {N::lblNum, N::lblMix,  N::lblFun,
                                    N::lblDel, N::lblCopy, N::lblPaste};
            form.click(LayoutRow(kNames[static_cast<int>(key.group)], key.index));
        }
    }
    // Everything a click or a key can change; equal snapshots prove that nothing happened.
    auto snapshot() const {
        return std::tuple(captions, places, visible, height, beeps, clipboard.content);
    }
    // What the user sees after the same keys in the window and in the engine alone.
    void expectSameAs(const EngineHarness& calc) const {
        const auto& lines = calc.display.lines;
        EXPECT_EQ(std::tuple(captions[kSay], captions[LayoutRow(N::lblTie)],
                             captions[LayoutRow(N::lblLast)], captions[LayoutRow(N::lblNext)]),
                  std::tuple(lines[0], lines[1], lines[2], lines[3]));
        EXPECT_EQ(places[LayoutRow(N::lblTie)].left, calc.display.tieLeft);
        EXPECT_EQ(beeps, calc.display.beeps);
        EXPECT_EQ(clipboard.content, calc.clipboard.content);
    }

    std::array<std::string, kLabelCount> captions;
    std::array<TwipRect, kLabelCount> places;
    std::array<bool, kLabelCount> visible{};
    double height;
    int heightChanges = 0, beeps = 0;
    FakeClipboard clipboard;
    frmA form{*this, clipboard};
};

// The heights recorded at load are the ones folding toggles between; a length beyond 16 bits
// ends the load step before it changes anything.
TEST(Form, LoadMeasuresTheWindowAndPlacesTheMarkAndTheHelpPanel) {
    const std::tuple<double, double, std::optional<double>> rows[] = {
        {3900, 3900, 1515}, {3899.5, 3900, 1515}, {3900.5, 3900, 1515},
        {2385, 2385, 0},    {32767.5, 0, {}},     {-30384, 0, {}}};  // no fold: overflow
    for (const auto& [outer, full, fold] : rows) {
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
        EXPECT_EQ(w.places[kHelp], (TwipRect{50, 50, 5100, 3300}));
        EXPECT_FALSE(w.visible[kHelp]);
        EXPECT_EQ(std::count(w.captions[kHelp].begin(), w.captions[kHelp].end(), '\n'), 12);
        EXPECT_EQ(w.captions[kHelp].size(), 548U);  // 412 characters, the Chinese in UTF-8
        w.form.Form_KeyUp(kSpace, 0);
        EXPECT_EQ(w.height, *fold);
        w.form.doubleClick(kSay);
        EXPECT_EQ(w.height, full) << "unfolds to the height as stored";
    }
}

// Folding decides at the midpoint of the two heights, their 16-bit sum halved toward zero.
TEST(Form, FoldingAndItsSixteenBitLengths) {
    for (const auto& [from, to] :
         {std::pair{3900.0, 1515.0}, {2707, 1515}, {2706.9, 3900}, {0, 3900}}) {
        Form w;
        w.press("D");
        w.form.click(kSay);  // a single click on the display does nothing
        w.height = from;
        w.form.doubleClick(kSay);
        EXPECT_EQ(w.height, to) << from;
    }
    EXPECT_EQ(FoldToggleHeight(2000, 3001, 1000), 1000);
    EXPECT_EQ(FoldToggleHeight(1999, 3001, 1000), 3001);
    EXPECT_EQ(FoldToggleHeight(-1, -2, -1), -1);
    EXPECT_EQ(FoldToggleHeight(0, -16384, -16384), -16384);  // the least sum that fits
    EXPECT_THROW(FoldToggleHeight(0, 16384, 16384), CalcFailure);
    EXPECT_EQ(ToInt16(2.5), 2);
    EXPECT_EQ(ToInt16(3.5), 4);
    EXPECT_EQ(ToInt16(-32768.5), -32768);
    for (const double overflow : {32767.5, -32768.6, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_THROW(ToInt16(overflow), CalcFailure) << overflow;
    }
    // Made on one monitor, folded and unfolded on one of another DPI, where the frame is
    // another number of twips: the client area is the layout's to the pixel, so the note line
    // ends (1000 twips) above the window's edge and the first key row (1050) below it.
    for (const auto& [made, framePixels] : {std::pair{96U, 29}, {144U, 45}}) {
        const OuterHeight frame(framePixels, made);
        Form w(frame.twips(TwipsToPixels(kClientHeightTwips, made), made));
        for (const unsigned dpi : {96U, 120U, 144U, 168U, 192U}) {
            w.form.Form_KeyUp(kSpace, 0);
            EXPECT_EQ(frame.clientPixels(w.height, dpi), TwipsToPixels(1035, dpi)) << dpi;
            w.form.Form_KeyUp(kSpace, 0);
            EXPECT_EQ(frame.clientPixels(w.height, dpi), TwipsToPixels(3420, dpi)) << dpi;
        }
    }
    Form tall(20000);  // 20000 + 17615 overflows: the height stays, F1 still unfolds
    EXPECT_THROW(tall.form.Form_KeyUp(kSpace, 0), CalcFailure);
    EXPECT_EQ(tall.heightChanges, 0);
}

// F1 unfolds and shows the panel; while it is shown only F1 and a click on it act, and both
// hide it, leaving the window unfolded and the calculation as it was.
TEST(Form, HelpPanelHoldsTheMouseAndTheKeyboard) {
    Form w;
    w.form.click(kHelp);  // hidden, it is not there to click
    w.press("12+3");
    w.form.Form_KeyUp(kSpace, 0);
    w.form.Form_KeyUp(VK_F1, 0);
    EXPECT_TRUE(w.visible[kHelp]);
    EXPECT_EQ(w.height, 3900);
    const auto shown = w.snapshot();
    for (int code = std::numeric_limits<std::int16_t>::min();
         code <= std::numeric_limits<std::int16_t>::max(); ++code) {
        if (code != VK_F1) {
            w.form.Form_KeyUp(static_cast<std::int16_t>(code), 1);
            ASSERT_EQ(w.snapshot(), shown) << "code " << code;
        }
    }
    for (std::size_t row = 0; row < kLabelCount; ++row) {
        if (row != kHelp) {
            w.form.click(row), w.form.doubleClick(row);
            ASSERT_EQ(w.snapshot(), shown) << "row " << row;
        }
    }
    w.form.click(kHelp);
    EXPECT_FALSE(w.visible[kHelp]);
    w.form.Form_KeyUp(VK_F1, 0), w.form.Form_KeyUp(VK_F1, 0);
    EXPECT_FALSE(w.visible[kHelp]);
    EXPECT_EQ(w.height, 3900);
    w.form.Form_KeyUp(VK_RETURN, 0);
    EXPECT_EQ(w.captions[kSay], "15");
}

// Each key row runs its operation with its element index, once also for a quick double-click;
// each code of the key table runs its key's operation whatever the Shift state; Space folds,
// F1 shows the help; every other code and every other label does nothing.
TEST(Form, EveryKeyRowAndEveryKeyCodeReachesItsOperation) {
    int keys = 0;
    for (std::size_t row = 0; row < kLabelCount; ++row) {
        Form w;
        EngineHarness calc;
        w.clipboard.content = calc.clipboard.content = "8";
        w.press("5/0"), calc.press("5/0");
        w.form.click(row), w.form.doubleClick(row);
        if (kLayout[row].key) {
            ++keys;
            const std::string_view caption = kLayout[row].caption;
            calc.press(caption == "-n" ? "n" : caption == "1/n" ? "r" : caption.substr(0, 1));
        }
        if (row != kSay) {
            w.expectSameAs(calc);
        }
    }
    EXPECT_EQ(keys, 21);

    std::map<int, char> table = {{110, '.'}, {190, '.'}, {107, '+'}, {187, '+'}, {109, '-'},
                                 {189, '-'}, {106, '*'}, {222, '*'}, {111, '/'}, {191, '/'},
                                 {13, '='},  {108, '='}, {192, 'n'}, {220, 'r'}, {8, 'D'},
                                 {27, 'D'},  {46, 'D'},  {67, 'C'},  {86, 'V'}};
    for (char digit = 0; digit <= 9; ++digit) {
        table[48 + digit] = table[96 + digit] = static_cast<char>('0' + digit);
    }
    Form idle;
    idle.press("12+3");
    for (int code = std::numeric_limits<std::int16_t>::min();
         code <= std::numeric_limits<std::int16_t>::max(); ++code) {
        Form w;
        w.press("12+3");
        w.form.Form_KeyUp(static_cast<std::int16_t>(code), static_cast<std::int16_t>(code & 7));
        if (const auto key = table.find(code); key != table.end()) {
            EngineHarness calc;
            calc.press(std::string("12+3") + key->second);
            w.expectSameAs(calc);
        } else if (code == kSpace || code == VK_F1) {
            EXPECT_EQ(w.height != 3900, code == kSpace);
            EXPECT_EQ(w.visible[kHelp], code == VK_F1);
        } else {
            ASSERT_EQ(w.snapshot(), idle.snapshot()) << "code " << code;
        }
    }
}

}  // namespace
}  // namespace zobu::testing
