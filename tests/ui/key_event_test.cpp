// Qt key events on the window, as the platform delivers them to it: one action per key, at
// its release, whatever the modifiers; auto-repeat, modifiers alone and unmapped keys do
// nothing; the code decided at the press holds at the release; keys held while the window
// loses the keyboard are forgotten. Events made here carry no native data, so the keys are
// read from Qt's key and the keypad flag.
#include <gtest/gtest.h>

#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "key_window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

struct TypedCase {
    std::string name;
    std::vector<Key> keys;
    std::string display;
    std::string clipboardBefore;
    std::string clipboardAfter;  // empty: not checked
};

void PrintTo(const TypedCase& c, std::ostream* os) {
    *os << c.name;
}

const std::vector<TypedCase> kTyped = {
    {"MainRowCalculation",
     {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_Plus}, {Qt::Key_3}, {Qt::Key_Return}},
     "15",
     "",
     ""},
    {"KeypadCalculation",
     {{Qt::Key_1, kPad},
      {Qt::Key_2, kPad},
      {Qt::Key_Plus, kPad},
      {Qt::Key_3, kPad},
      {Qt::Key_Enter, kPad}},
     "15",
     "",
     ""},
    {"EveryMainRowDigitAndThePeriod",
     {{Qt::Key_9},
      {Qt::Key_8},
      {Qt::Key_7},
      {Qt::Key_6},
      {Qt::Key_5},
      {Qt::Key_4},
      {Qt::Key_3},
      {Qt::Key_2},
      {Qt::Key_1},
      {Qt::Key_0},
      {Qt::Key_Period},
      {Qt::Key_5}},
     "9876543210.5",
     "",
     ""},
    {"KeypadDecimalPoint",
     {{Qt::Key_3, kPad}, {Qt::Key_Period, kPad}, {Qt::Key_5, kPad}},
     "3.5",
     "",
     ""},
    // Shift+8 types "*" but is the 8 key: it enters 8. Only keypad "*" and "'" multiply.
    {"ShiftEightEntersEight", {{Qt::Key_Asterisk, kShift}}, "8", "", ""},
    {"KeypadMultiplies",
     {{Qt::Key_6}, {Qt::Key_Asterisk, kPad}, {Qt::Key_7}, {Qt::Key_Return}},
     "42",
     "",
     ""},
    {"ApostropheMultiplies",
     {{Qt::Key_6}, {Qt::Key_Apostrophe}, {Qt::Key_7}, {Qt::Key_Return}},
     "42",
     "",
     ""},
    {"ShiftedQuoteMultiplies",
     {{Qt::Key_6}, {Qt::Key_QuoteDbl, kShift}, {Qt::Key_7}, {Qt::Key_Return}},
     "42",
     "",
     ""},
    // The equals/plus key adds with or without Shift; only Enter computes the result.
    {"EqualsKeyAdds", {{Qt::Key_2}, {Qt::Key_Equal}, {Qt::Key_3}, {Qt::Key_Return}}, "5", "", ""},
    {"ShiftEqualsAdds",
     {{Qt::Key_2}, {Qt::Key_Plus, kShift}, {Qt::Key_3}, {Qt::Key_Return}},
     "5",
     "",
     ""},
    {"UnderscoreSubtracts",
     {{Qt::Key_9}, {Qt::Key_Underscore, kShift}, {Qt::Key_4}, {Qt::Key_Return}},
     "5",
     "",
     ""},
    {"KeypadMinusSubtracts",
     {{Qt::Key_9}, {Qt::Key_Minus, kPad}, {Qt::Key_4}, {Qt::Key_Return}},
     "5",
     "",
     ""},
    {"QuestionMarkDivides",
     {{Qt::Key_7}, {Qt::Key_Question, kShift}, {Qt::Key_2}, {Qt::Key_Return}},
     "3.5",
     "",
     ""},
    {"KeypadSlashDivides",
     {{Qt::Key_7}, {Qt::Key_Slash, kPad}, {Qt::Key_2}, {Qt::Key_Return}},
     "3.5",
     "",
     ""},
    {"GraveNegates", {{Qt::Key_5}, {Qt::Key_QuoteLeft}}, "-5", "", ""},
    {"TildeNegates", {{Qt::Key_5}, {Qt::Key_AsciiTilde, kShift}}, "-5", "", ""},
    {"BackslashTakesTheReciprocal", {{Qt::Key_4}, {Qt::Key_Backslash}}, "0.25", "", ""},
    {"BarTakesTheReciprocal", {{Qt::Key_4}, {Qt::Key_Bar, kShift}}, "0.25", "", ""},
    {"EscClears", {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_Escape}}, "0", "", ""},
    {"BackspaceClears", {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_Backspace}}, "0", "", ""},
    {"DeleteClears", {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_Delete}}, "0", "", ""},
    {"ShiftedDigitRow", {{Qt::Key_Exclam, kShift}, {Qt::Key_ParenLeft, kShift}}, "19", "", ""},
    {"CtrlAndAltDigits", {{Qt::Key_4, kCtrl}, {Qt::Key_2, kAlt}}, "42", "", ""},
    {"CCopies", {{Qt::Key_4}, {Qt::Key_5}, {Qt::Key_C}}, "45", "stale", "45"},
    {"CtrlCCopies", {{Qt::Key_4}, {Qt::Key_5}, {Qt::Key_C, kCtrl}}, "45", "stale", "45"},
    {"ShiftCCopies", {{Qt::Key_4}, {Qt::Key_5}, {Qt::Key_C, kShift}}, "45", "stale", "45"},
    {"AltCCopies", {{Qt::Key_4}, {Qt::Key_5}, {Qt::Key_C, kAlt}}, "45", "stale", "45"},
    {"VPastes", {{Qt::Key_V}}, "1234.5", "1234.5", ""},
    {"CtrlVPastes", {{Qt::Key_V, kCtrl}}, "1234.5", "1234.5", ""},
};

class TypedKeys : public KeyWindowTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedKeys, ActAsTheKeyTableSays) {
    const TypedCase& c = GetParam();
    setClipboard(QString::fromStdString(c.clipboardBefore));
    for (const Key& k : c.keys) {
        tap(k.key, k.modifiers);
    }
    EXPECT_EQ(say(), c.display);
    if (!c.clipboardAfter.empty()) {
        EXPECT_EQ(clipboard().toStdString(), c.clipboardAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(Window, TypedKeys, ::testing::ValuesIn(kTyped),
                         [](const auto& row) { return row.param.name; });

using KeyEvents = KeyWindowTest;

TEST_F(KeyEvents, SpaceFoldsAndF1UnfoldsAndShowsTheHelp) {
    tap(Qt::Key_Space);
    EXPECT_EQ(clientHeight(), 69);
    tap(Qt::Key_F1);
    EXPECT_EQ(clientHeight(), 228);
    EXPECT_TRUE(window.helpVisible());
    tap(Qt::Key_F1);
    EXPECT_FALSE(window.helpVisible());
    EXPECT_EQ(clientHeight(), 228);
}

TEST_F(KeyEvents, WhileTheHelpIsShownKeysDoNothing) {
    setClipboard(QStringLiteral("77"));
    tap(Qt::Key_1);
    tap(Qt::Key_2);
    tap(Qt::Key_Plus);
    tap(Qt::Key_3);
    tap(Qt::Key_F1);
    const WindowSnapshot shown = snapshot();
    ASSERT_TRUE(shown.help);
    const std::vector<Key> keys = {
        {Qt::Key_7},           {Qt::Key_7, kPad},        {Qt::Key_Period},    {Qt::Key_Plus},
        {Qt::Key_Minus},       {Qt::Key_Asterisk, kPad}, {Qt::Key_Slash},     {Qt::Key_Return},
        {Qt::Key_Enter, kPad}, {Qt::Key_QuoteLeft},      {Qt::Key_Backslash}, {Qt::Key_Escape},
        {Qt::Key_Backspace},   {Qt::Key_Delete},         {Qt::Key_Space},     {Qt::Key_C},
        {Qt::Key_V},           {Qt::Key_C, kCtrl},       {Qt::Key_F1, kShift}};
    for (const Key& k : keys) {
        tap(k.key, k.modifiers);
        if (!window.helpVisible()) {
            // Shift+F1 is F1: it hides the panel, as it should. Show it again for the rest.
            ASSERT_EQ(k.key, Qt::Key_F1);
            tap(Qt::Key_F1);
        }
        ASSERT_EQ(snapshot(), shown) << "key " << k.key;
    }
}

// Qt's own uses of keys (focus chain, shortcuts, What's This) take none of them away.
TEST_F(KeyEvents, ModifiersAloneAndUnmappedKeysDoNothing) {
    tap(Qt::Key_1);
    tap(Qt::Key_Plus);
    tap(Qt::Key_2);
    const WindowSnapshot before = snapshot();
    const std::vector<Key> keys = {{Qt::Key_Shift},       {Qt::Key_Control},
                                   {Qt::Key_Alt},         {Qt::Key_Meta},
                                   {Qt::Key_NumLock},     {Qt::Key_CapsLock},
                                   {Qt::Key_Tab},         {Qt::Key_Backtab, kShift},
                                   {Qt::Key_Tab, kCtrl},  {Qt::Key_A},
                                   {Qt::Key_X, kCtrl},    {Qt::Key_F2},
                                   {Qt::Key_Comma},       {Qt::Key_Semicolon},
                                   {Qt::Key_BracketLeft}, {Qt::Key_Left},
                                   {Qt::Key_Home, kPad},  {Qt::Key_Clear, kPad},
                                   {Qt::Key_Insert},      {Qt::Key_Menu},
                                   {Qt::Key_F10, kShift}};
    for (const Key& k : keys) {
        tap(k.key, k.modifiers);
        ASSERT_EQ(snapshot(), before) << "key " << k.key;
    }
    tap(Qt::Key_Return);  // and the window still has the keyboard
    EXPECT_EQ(say(), "3");
}

// X without detectable auto-repeat: release-press pairs flagged as repeats, then the release.
TEST_F(KeyEvents, AutoRepeatPairsActOnceAtTheFinalRelease) {
    send(QEvent::KeyPress, Qt::Key_7);
    for (int i = 0; i < 5; ++i) {
        send(QEvent::KeyRelease, Qt::Key_7, Qt::NoModifier, true);
        send(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, true);
    }
    EXPECT_EQ(say(), "0");
    send(QEvent::KeyRelease, Qt::Key_7);
    EXPECT_EQ(say(), "7");
}

// X with detectable auto-repeat: presses alone, not flagged, then one release.
TEST_F(KeyEvents, RepeatedPressesActOnceAtTheRelease) {
    for (int i = 0; i < 6; ++i) {
        send(QEvent::KeyPress, Qt::Key_Backslash);
    }
    send(QEvent::KeyPress, Qt::Key_4);
    send(QEvent::KeyRelease, Qt::Key_4);
    EXPECT_EQ(say(), "4");
    send(QEvent::KeyRelease, Qt::Key_Backslash);
    EXPECT_EQ(say(), "0.25");
}

// NumLock switched off while keypad "." is down: the key still means the decimal point it
// meant when it went down, not the Delete it reads as when it comes up.
TEST_F(KeyEvents, TheCodeDecidedAtThePressActsAtTheRelease) {
    constexpr quint32 kKeypadPointKeycode = 91;
    tap(Qt::Key_3);
    send(QEvent::KeyPress, Qt::Key_Period, kPad, false, kKeypadPointKeycode, 0xffae);
    send(QEvent::KeyRelease, Qt::Key_Delete, kPad, false, kKeypadPointKeycode, 0xff9f);
    EXPECT_EQ(say(), "3.");
}

// A key that went down before the window lost the keyboard is decided afresh when it next
// goes down: its first press does not linger.
TEST_F(KeyEvents, LosingTheKeyboardForgetsTheKeysThatAreDown) {
    constexpr quint32 kKeypadPointKeycode = 91;
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    tap(Qt::Key_3);
    send(QEvent::KeyPress, Qt::Key_Period, kPad, false, kKeypadPointKeycode, 0xffae);

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    // The same key again, now with NumLock off: it is Delete.
    send(QEvent::KeyPress, Qt::Key_Delete, kPad, false, kKeypadPointKeycode, 0xff9f);
    send(QEvent::KeyRelease, Qt::Key_Delete, kPad, false, kKeypadPointKeycode, 0xff9f);
    EXPECT_EQ(say(), "0");
}

// A failure that leaves the key handler ends the program, reported on stderr, as from a click.
TEST_F(KeyEvents, FailureInTheKeyHandlerEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            window.engine().state().intFullHeight = 20000;
            window.engine().state().intFoldHeight = 20000;
            tap(Qt::Key_Space);
        },
        ::testing::ExitedWithCode(1), "unhandled failure.*溢出");
}

}  // namespace
}  // namespace zobu::testing
