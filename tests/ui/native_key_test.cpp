// Qt key events to Windows virtual-key codes on each platform, from the fields each fills in.
#include <gtest/gtest.h>

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include "native_key.h"
#include "x11_auto_repeat.h"

namespace zobu {
namespace {

using Code = std::optional<std::int16_t>;

struct NativeCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    std::uint32_t scanCode;
    std::uint32_t virtualKey;  // keysym on X11 and Wayland
    Code expected;
};

void expectCodes(KeyPlatform platform, const std::vector<NativeCase>& cases) {
    for (const NativeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const KeyEventData event{c.key, c.modifiers, c.scanCode, c.virtualKey, 0, false};
        EXPECT_EQ(virtualKeyCode(platform, event), c.expected);
    }
}

constexpr Qt::KeyboardModifiers kNone{};
constexpr Qt::KeyboardModifiers kShift{Qt::ShiftModifier};
constexpr Qt::KeyboardModifiers kKeypad{Qt::KeypadModifier};
constexpr Qt::KeyboardModifiers kShiftKeypad{Qt::ShiftModifier | Qt::KeypadModifier};

// As Qt reports them on a US keyboard under X: key(), modifiers, X keycode, keysym.
const std::vector<NativeCase> kXkbCases{
    {"8", Qt::Key_8, kNone, 17, 0x38, 56},
    {"Shift+8 asterisk is still the 8 key", Qt::Key_Asterisk, kShift, 17, 0x2a, 56},
    {"0", Qt::Key_0, kNone, 19, 0x30, 48},
    {"Shift+0 parenright", Qt::Key_ParenRight, kShift, 19, 0x29, 48},
    {"equal", Qt::Key_Equal, kNone, 21, 0x3d, 187},
    {"Shift+equal plus", Qt::Key_Plus, kShift, 21, 0x2b, 187},
    {"grave", Qt::Key_QuoteLeft, kNone, 49, 0x60, 192},
    {"Shift+grave asciitilde", Qt::Key_AsciiTilde, kShift, 49, 0x7e, 192},
    {"backslash", Qt::Key_Backslash, kNone, 51, 0x5c, 220},
    {"Shift+backslash bar", Qt::Key_Bar, kShift, 51, 0x7c, 220},
    {"apostrophe", Qt::Key_Apostrophe, kNone, 48, 0x27, 222},
    {"Shift+apostrophe quotedbl", Qt::Key_QuoteDbl, kShift, 48, 0x22, 222},
    {"slash", Qt::Key_Slash, kNone, 61, 0x2f, 191},
    {"Shift+slash question", Qt::Key_Question, kShift, 61, 0x3f, 191},
    {"period", Qt::Key_Period, kNone, 60, 0x2e, 190},
    {"Shift+period greater", Qt::Key_Greater, kShift, 60, 0x3e, 190},
    {"minus", Qt::Key_Minus, kNone, 20, 0x2d, 189},
    {"Shift+minus underscore", Qt::Key_Underscore, kShift, 20, 0x5f, 189},
    {"c", Qt::Key_C, kNone, 54, 0x63, 67},
    {"Shift+c", Qt::Key_C, kShift, 54, 0x43, 67},
    {"v", Qt::Key_V, kNone, 55, 0x76, 86},
    {"space", Qt::Key_Space, kNone, 65, 0x20, 32},
    {"F1", Qt::Key_F1, kNone, 67, 0xffbe, 112},
    {"Return", Qt::Key_Return, kNone, 36, 0xff0d, 13},
    {"keypad Enter", Qt::Key_Enter, kKeypad, 104, 0xff8d, 13},
    {"BackSpace", Qt::Key_Backspace, kNone, 22, 0xff08, 8},
    {"Escape", Qt::Key_Escape, kNone, 9, 0xff1b, 27},
    {"Delete", Qt::Key_Delete, kNone, 119, 0xffff, 46},
    {"KP_0 NumLock on", Qt::Key_0, kKeypad, 90, 0xffb0, 96},
    {"KP_1 NumLock on", Qt::Key_1, kKeypad, 87, 0xffb1, 97},
    {"KP_5 NumLock on", Qt::Key_5, kKeypad, 84, 0xffb5, 101},
    {"KP_9 NumLock on", Qt::Key_9, kKeypad, 81, 0xffb9, 105},
    {"KP_Decimal NumLock on", Qt::Key_Period, kKeypad, 91, 0xffae, 110},
    {"KP_Add", Qt::Key_Plus, kKeypad, 86, 0xffab, 107},
    {"KP_Subtract", Qt::Key_Minus, kKeypad, 82, 0xffad, 109},
    {"KP_Multiply", Qt::Key_Asterisk, kKeypad, 63, 0xffaa, 106},
    {"KP_Divide", Qt::Key_Slash, kKeypad, 106, 0xffaf, 111},
    {"KP_Separator", Qt::Key_Comma, kKeypad, 129, 0xffac, 108},
    {"KP_Insert NumLock off", Qt::Key_Insert, kKeypad, 90, 0xff9e, 45},
    {"KP_End NumLock off", Qt::Key_End, kKeypad, 87, 0xff9c, 35},
    {"KP_Down NumLock off", Qt::Key_Down, kKeypad, 88, 0xff99, 40},
    {"KP_Next NumLock off", Qt::Key_PageDown, kKeypad, 89, 0xff9b, 34},
    {"KP_Left NumLock off", Qt::Key_Left, kKeypad, 83, 0xff96, 37},
    {"KP_Begin NumLock off", Qt::Key_Clear, kKeypad, 84, 0xff9d, 12},
    {"KP_Right NumLock off", Qt::Key_Right, kKeypad, 85, 0xff98, 39},
    {"KP_Home NumLock off", Qt::Key_Home, kKeypad, 79, 0xff95, 36},
    {"KP_Up NumLock off", Qt::Key_Up, kKeypad, 80, 0xff97, 38},
    {"KP_Prior NumLock off", Qt::Key_PageUp, kKeypad, 81, 0xff9a, 33},
    {"KP_Delete NumLock off is Delete", Qt::Key_Delete, kKeypad, 91, 0xff9f, 46},
    {"Shift+KP_1 with NumLock on reads End", Qt::Key_End, kShiftKeypad, 87, 0xff9c, 35},
    // A layout's own symbols: the key's place on the keyboard decides.
    {"German sharp s is the minus key", Qt::Key_ssharp, kNone, 20, 0xdf, 189},
    {"German dead acute is the equals key", 0, kNone, 21, 0xfe51, 187},
    {"Russian es is the C key", 0x421, kNone, 54, 0x6d3, 67},
    {"keysym 0 on keycode 20", 0, kNone, 20, 0, 189},
    {"keysym 0 on keypad 1 is no digit", 0, kNone, 87, 0, std::nullopt},
    {"keysym 0 on keypad decimal is no digit", 0, kNone, 91, 0, std::nullopt},
    {"keysym 0 on a spare keycode", 0, kNone, 8, 0, std::nullopt},
    {"unknown keysym on an unknown keycode", 0, kNone, 200, 0x10020ac, std::nullopt},
    // Modifiers alone.
    {"Shift_L", Qt::Key_Shift, kShift, 50, 0xffe1, std::nullopt},
    {"Shift_R", Qt::Key_Shift, kShift, 62, 0xffe2, std::nullopt},
    {"Control_L", Qt::Key_Control, Qt::ControlModifier, 37, 0xffe3, std::nullopt},
    {"Alt_L", Qt::Key_Alt, Qt::AltModifier, 64, 0xffe9, std::nullopt},
    {"Super_L", Qt::Key_Super_L, Qt::MetaModifier, 133, 0xffeb, std::nullopt},
    {"Num_Lock", Qt::Key_NumLock, kNone, 77, 0xff7f, std::nullopt},
    {"Caps_Lock", Qt::Key_CapsLock, kNone, 66, 0xffe5, std::nullopt},
    {"AltGr ISO_Level3_Shift", Qt::Key_AltGr, kNone, 108, 0xfe03, std::nullopt},
};

TEST(NativeKeyX11, EitherShiftLevelOrTheKeysPlace) {
    expectCodes(KeyPlatform::X11, kXkbCases);
}

TEST(NativeKeyWayland, SameAsX11) {
    expectCodes(KeyPlatform::Wayland, kXkbCases);
}

TEST(NativeKeyWindows, VirtualKeyAsGiven) {
    expectCodes(KeyPlatform::Windows,
                {
                    {"8", Qt::Key_8, kNone, 0x09, 0x38, 56},
                    {"Shift+8 asterisk", Qt::Key_Asterisk, kShift, 0x09, 0x38, 56},
                    {"c", Qt::Key_C, kNone, 0x2e, 0x43, 67},
                    {"Shift+c", Qt::Key_C, kShift, 0x2e, 0x43, 67},
                    {"Shift+equal plus", Qt::Key_Plus, kShift, 0x0d, 0xbb, 187},
                    {"numpad 3", Qt::Key_3, kKeypad, 0x51, 0x63, 99},
                    {"numpad Delete NumLock off", Qt::Key_Delete, kKeypad, 0x53, 0x2e, 46},
                    {"numpad Enter", Qt::Key_Enter, kKeypad, 0x11c, 0x0d, 13},
                    {"F1", Qt::Key_F1, kNone, 0x3b, 0x70, 112},
                    {"German sharp s", Qt::Key_ssharp, kNone, 0x0c, 0xdb, 219},
                    {"Shift", Qt::Key_Shift, kShift, 0x2a, 0x10, std::nullopt},
                    {"Control", Qt::Key_Control, Qt::ControlModifier, 0x1d, 0x11, std::nullopt},
                    {"Alt", Qt::Key_Alt, Qt::AltModifier, 0x38, 0x12, std::nullopt},
                    {"left Shift", Qt::Key_Shift, kShift, 0x2a, 0xa0, std::nullopt},
                    {"no virtual key", 0, kNone, 0x70, 0, std::nullopt},
                    {"out of range", 0, kNone, 0x70, 0x10043, std::nullopt},
                });
}

// No native fields: offscreen, and events QTest makes on any platform.
const std::vector<NativeCase> kQtKeyCases{
    {"8", Qt::Key_8, kNone, 0, 0, 56},
    {"Shift+8 stays 8", Qt::Key_8, kShift, 0, 0, 56},
    {"asterisk is the 8 key", Qt::Key_Asterisk, kShift, 0, 0, 56},
    {"keypad asterisk", Qt::Key_Asterisk, kKeypad, 0, 0, 106},
    {"plus is the equals key", Qt::Key_Plus, kShift, 0, 0, 187},
    {"keypad plus", Qt::Key_Plus, kKeypad, 0, 0, 107},
    {"equal", Qt::Key_Equal, kNone, 0, 0, 187},
    {"minus", Qt::Key_Minus, kNone, 0, 0, 189},
    {"underscore", Qt::Key_Underscore, kShift, 0, 0, 189},
    {"keypad minus", Qt::Key_Minus, kKeypad, 0, 0, 109},
    {"slash", Qt::Key_Slash, kNone, 0, 0, 191},
    {"question", Qt::Key_Question, kShift, 0, 0, 191},
    {"keypad slash", Qt::Key_Slash, kKeypad, 0, 0, 111},
    {"period", Qt::Key_Period, kNone, 0, 0, 190},
    {"greater", Qt::Key_Greater, kShift, 0, 0, 190},
    {"keypad period", Qt::Key_Period, kKeypad, 0, 0, 110},
    {"keypad comma", Qt::Key_Comma, kKeypad, 0, 0, 108},
    {"tilde", Qt::Key_AsciiTilde, kShift, 0, 0, 192},
    {"grave", Qt::Key_QuoteLeft, kNone, 0, 0, 192},
    {"bar", Qt::Key_Bar, kShift, 0, 0, 220},
    {"backslash", Qt::Key_Backslash, kNone, 0, 0, 220},
    {"apostrophe", Qt::Key_Apostrophe, kNone, 0, 0, 222},
    {"quotedbl", Qt::Key_QuoteDbl, kShift, 0, 0, 222},
    {"exclam", Qt::Key_Exclam, kShift, 0, 0, 49},
    {"at", Qt::Key_At, kShift, 0, 0, 50},
    {"numbersign", Qt::Key_NumberSign, kShift, 0, 0, 51},
    {"dollar", Qt::Key_Dollar, kShift, 0, 0, 52},
    {"percent", Qt::Key_Percent, kShift, 0, 0, 53},
    {"asciicircum", Qt::Key_AsciiCircum, kShift, 0, 0, 54},
    {"ampersand", Qt::Key_Ampersand, kShift, 0, 0, 55},
    {"parenleft", Qt::Key_ParenLeft, kShift, 0, 0, 57},
    {"parenright", Qt::Key_ParenRight, kShift, 0, 0, 48},
    {"keypad 0", Qt::Key_0, kKeypad, 0, 0, 96},
    {"keypad 9", Qt::Key_9, kKeypad, 0, 0, 105},
    {"C", Qt::Key_C, kNone, 0, 0, 67},
    {"Ctrl+V", Qt::Key_V, Qt::ControlModifier, 0, 0, 86},
    {"Z", Qt::Key_Z, kNone, 0, 0, 90},
    {"Return", Qt::Key_Return, kNone, 0, 0, 13},
    {"Enter", Qt::Key_Enter, kKeypad, 0, 0, 13},
    {"F1", Qt::Key_F1, kNone, 0, 0, 112},
    {"F12", Qt::Key_F12, kNone, 0, 0, 123},
    {"Space", Qt::Key_Space, kNone, 0, 0, 32},
    {"Escape", Qt::Key_Escape, kNone, 0, 0, 27},
    {"Backspace", Qt::Key_Backspace, kNone, 0, 0, 8},
    {"Delete", Qt::Key_Delete, kNone, 0, 0, 46},
    {"keypad Delete", Qt::Key_Delete, kKeypad, 0, 0, 46},
    {"keypad End", Qt::Key_End, kKeypad, 0, 0, 35},
    {"Shift", Qt::Key_Shift, kShift, 0, 0, std::nullopt},
    {"Control", Qt::Key_Control, Qt::ControlModifier, 0, 0, std::nullopt},
    {"Alt", Qt::Key_Alt, Qt::AltModifier, 0, 0, std::nullopt},
    {"Meta", Qt::Key_Meta, Qt::MetaModifier, 0, 0, std::nullopt},
    {"unknown", Qt::Key_unknown, kNone, 0, 0, std::nullopt},
    {"no key", 0, kNone, 0, 0, std::nullopt},
};

TEST(NativeKeyFallback, FromQtKeyWithoutNativeData) {
    expectCodes(KeyPlatform::None, kQtKeyCases);
}

TEST(NativeKeyFallback, SyntheticEventsOnRealPlatforms) {
    for (const KeyPlatform platform :
         {KeyPlatform::X11, KeyPlatform::Wayland, KeyPlatform::Windows}) {
        SCOPED_TRACE(static_cast<int>(platform));
        expectCodes(platform, kQtKeyCases);
    }
}

TEST(NativeKeyFallback, OffscreenIgnoresNativeFields) {
    expectCodes(KeyPlatform::None,
                {{"8 with odd native fields", Qt::Key_8, kNone, 77, 0xffe1, 56}});
}

TEST(KeyPlatformName, FromQtPlatformName) {
    const struct {
        const char* name;
        KeyPlatform platform;
    } cases[]{
        {"windows", KeyPlatform::Windows}, {"xcb", KeyPlatform::X11},
        {"wayland", KeyPlatform::Wayland}, {"wayland-egl", KeyPlatform::Wayland},
        {"offscreen", KeyPlatform::None},  {"minimal", KeyPlatform::None},
        {"cocoa", KeyPlatform::None},      {"", KeyPlatform::None},
        {"XCB", KeyPlatform::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(keyPlatformFromName(QString::fromLatin1(c.name)), c.platform);
    }
}

TEST(ShiftState, AsFormKeyUpReceivesIt) {
    EXPECT_EQ(shiftState({}), 0);
    EXPECT_EQ(shiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(shiftState(Qt::ControlModifier), 2);
    EXPECT_EQ(shiftState(Qt::AltModifier), 4);
    EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                         Qt::KeypadModifier | Qt::MetaModifier),
              7);
}

TEST(DetectableAutoRepeat, NothingToAskWithoutAnXDisplay) {
    EXPECT_FALSE(requestDetectableAutoRepeat());
}

}  // namespace
}  // namespace zobu
