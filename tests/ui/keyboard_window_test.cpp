// The keyboard on the window. Form_KeyUp: every code of the key table reaches its operation
// with its argument whatever the Shift state, every other code does nothing (Space and F1 are
// tested with the folding and the help panel). Qt key events as the platform delivers them:
// one action per key, at its release, whatever the modifiers; auto-repeat, modifiers alone
// and unmapped keys do nothing; keys held while the window loses the keyboard are forgotten.
// Events made here carry no native data, so the keys are read from Qt's key and the keypad
// flag.
#include <gtest/gtest.h>

#include <QWidget>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "key_map.h"
#include "window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;

struct KeyUpCase {
    std::vector<std::int16_t> codes;  // keys that do the same
    std::string before;               // keys clicked first
    std::string after;                // keys clicked afterwards
    std::string display;
    std::string history;  // lblLast at the end
    std::string note;     // lblNext at the end
};

std::vector<KeyUpCase> keyUpCases() {
    std::vector<KeyUpCase> cases = {
        {{110, 190}, "3", "5", "3.5", "0", ""},
        {{107, 187}, "2", "3=", "5", "2 + 3", ""},
        {{109, 189}, "9", "4=", "5", "9 - 4", ""},
        {{106, 222}, "6", "7=", "42", "6 * 7", ""},
        {{111, 191}, "7", "2=", "3.5", "7 / 2", ""},
        {{13, 108}, "12+3", "", "15", "12 + 3", ""},
        {{192}, "5", "", "-5", "0", "- 5"},
        {{220}, "4", "", "0.25", "0", "1 / 4"},
        {{8, 27, 46}, "12+3", "", "0", "12", "3 ?"},
        {{67}, "4.5n", "", "-4.5", "0", "复制 成功"},
        {{86}, "", "+1=", "1235.5", "1234.5 + 1", ""},
    };
    for (std::int16_t d = 0; d <= 9; ++d) {
        const std::vector<std::int16_t> mainRowAndKeypad = {static_cast<std::int16_t>(48 + d),
                                                            static_cast<std::int16_t>(96 + d)};
        cases.push_back({mainRowAndKeypad, "", "", std::to_string(d), "0", ""});
    }
    return cases;
}

// The codes the cases above use, with Space and F1.
std::set<int> mappedCodes() {
    std::set<int> codes = {32, VK_F1};
    for (const KeyUpCase& c : keyUpCases()) {
        codes.insert(c.codes.begin(), c.codes.end());
    }
    return codes;
}

using KeyUp = WindowTest;

TEST_F(KeyUp, EveryKeyRunsItsOperationWithItsArgument) {
    const std::int16_t shifts[] = {0, 1, 2, 4, 7, -1};
    std::size_t run = 0;
    for (const KeyUpCase& c : keyUpCases()) {
        for (const std::int16_t code : c.codes) {
            SCOPED_TRACE(::testing::Message() << "code " << code);
            press("DD");  // clears everything
            setClipboard(QStringLiteral("1234.5"));
            press(c.before);
            window.Form_KeyUp(code, shifts[run++ % std::size(shifts)]);
            press(c.after);
            EXPECT_EQ(say(), c.display);
            EXPECT_EQ(line(N::lblLast), c.history);
            EXPECT_EQ(line(N::lblNext), c.note);
            if (code == 67) {
                EXPECT_EQ(clipboard(), QStringLiteral("-4.5"));
            }
            EXPECT_EQ(clientHeight(), 228);
            EXPECT_FALSE(window.helpVisible());
        }
    }
}

TEST_F(KeyUp, CodesOutsideTheTableDoNothing) {
    press("12+3");
    const std::set<int> mapped = mappedCodes();
    const WindowSnapshot before = snapshot();
    for (int code = std::numeric_limits<std::int16_t>::min();
         code <= std::numeric_limits<std::int16_t>::max(); ++code) {
        if (mapped.count(code) == 0) {
            keyUp(static_cast<std::int16_t>(code));
            ASSERT_EQ(snapshot(), before) << "code " << code;
        }
    }
}

constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

using KeyEvents = WindowTest;

TEST_F(KeyEvents, TypedKeysActAsTheKeyTableSays) {
    const struct {
        const char* name;
        std::vector<Key> keys;
        const char* display;
    } cases[] = {
        {"main row",
         {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_Plus, kShift}, {Qt::Key_3}, {Qt::Key_Return}},
         "15"},
        // Shift+8 types "*" but is the 8 key: it enters 8. Only keypad "*" and "'" multiply.
        {"Shift+8 enters 8", {{Qt::Key_Asterisk, kShift}}, "8"},
        {"Ctrl and Alt make no difference",
         {{Qt::Key_4, kCtrl}, {Qt::Key_2, Qt::AltModifier}},
         "42"},
        {"Ctrl+C copies", {{Qt::Key_4}, {Qt::Key_5}, {Qt::Key_C, kCtrl}}, "45"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        press("DD");
        setClipboard(QStringLiteral("stale"));
        for (const Key& k : c.keys) {
            tap(k.key, k.modifiers);
        }
        EXPECT_EQ(say(), c.display);
    }
    EXPECT_EQ(clipboard(), QStringLiteral("45"));
}

// Qt's own uses of keys (focus chain, shortcuts, What's This) take none of them away.
TEST_F(KeyEvents, ModifiersAloneAndUnmappedKeysDoNothing) {
    press("1+2");
    const WindowSnapshot before = snapshot();
    for (const Qt::Key key :
         {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta, Qt::Key_NumLock, Qt::Key_Tab,
          Qt::Key_A, Qt::Key_F2, Qt::Key_Comma, Qt::Key_Menu}) {
        tap(key);
        ASSERT_EQ(snapshot(), before) << "key " << key;
    }
    tap(Qt::Key_Backtab, kShift);
    tap(Qt::Key_Tab, kCtrl);
    tap(Qt::Key_X, kCtrl);
    tap(Qt::Key_Home, kPad);
    tap(Qt::Key_F10, kShift);
    ASSERT_EQ(snapshot(), before);
    tap(Qt::Key_Return);  // and the window still has the keyboard
    EXPECT_EQ(say(), "3");
}

// X without detectable auto-repeat: release-press pairs flagged as repeats, then the release.
TEST_F(KeyEvents, AutoRepeatActsOnceAtTheFinalRelease) {
    send(QEvent::KeyPress, Qt::Key_7);
    for (int i = 0; i < 5; ++i) {
        send(QEvent::KeyRelease, Qt::Key_7, Qt::NoModifier, true);
        send(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, true);
    }
    EXPECT_EQ(say(), "0");
    send(QEvent::KeyRelease, Qt::Key_7);
    EXPECT_EQ(say(), "7");
}

// Keypad "." went down with NumLock on; the window lost the keyboard, NumLock went off, and
// the same key now reads as Delete: it is decided afresh, its first press does not linger.
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

    send(QEvent::KeyPress, Qt::Key_Delete, kPad, false, kKeypadPointKeycode, 0xff9f);
    send(QEvent::KeyRelease, Qt::Key_Delete, kPad, false, kKeypadPointKeycode, 0xff9f);
    EXPECT_EQ(say(), "0");
}

}  // namespace
}  // namespace zobu::testing
