// Qt key events to Windows virtual-key codes on each platform, from the fields each fills in:
// one row per rule of the translation.
#include <gtest/gtest.h>

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include "native_key.h"

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

// As Qt reports them on a US keyboard under X: key(), modifiers, X keycode, keysym.
const std::vector<NativeCase> kXkbCases{
    {"8", Qt::Key_8, kNone, 17, 0x38, 56},
    {"Shift+8 asterisk is still the 8 key", Qt::Key_Asterisk, kShift, 17, 0x2a, 56},
    {"Shift+grave asciitilde", Qt::Key_AsciiTilde, kShift, 49, 0x7e, 192},
    {"F1", Qt::Key_F1, kNone, 67, 0xffbe, 112},
    {"keypad Enter", Qt::Key_Enter, kKeypad, 104, 0xff8d, 13},
    {"KP_5 NumLock on", Qt::Key_5, kKeypad, 84, 0xffb5, 101},
    {"KP_Decimal NumLock on", Qt::Key_Period, kKeypad, 91, 0xffae, 110},
    {"KP_Add", Qt::Key_Plus, kKeypad, 86, 0xffab, 107},
    {"KP_Separator", Qt::Key_Comma, kKeypad, 129, 0xffac, 108},
    {"KP_End NumLock off", Qt::Key_End, kKeypad, 87, 0xff9c, 35},
    {"KP_Delete NumLock off is Delete", Qt::Key_Delete, kKeypad, 91, 0xff9f, 46},
    // A layout's own symbols, unknown to the table: the key's place on the keyboard decides.
    {"German sharp s is the minus key", Qt::Key_ssharp, kNone, 20, 0xdf, 189},
    {"Russian es is the C key", 0x421, kNone, 54, 0x6d3, 67},
    {"keysym 0 on keypad 1 is no digit", 0, kNone, 87, 0, std::nullopt},
    {"unknown keysym on an unknown keycode", 0, kNone, 200, 0x10020ac, std::nullopt},
    // Modifiers alone.
    {"Shift_L", Qt::Key_Shift, kShift, 50, 0xffe1, std::nullopt},
    {"Num_Lock", Qt::Key_NumLock, kNone, 77, 0xff7f, std::nullopt},
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
                    {"Shift+8 asterisk", Qt::Key_Asterisk, kShift, 0x09, 0x38, 56},
                    {"numpad 3", Qt::Key_3, kKeypad, 0x51, 0x63, 99},
                    {"numpad Enter", Qt::Key_Enter, kKeypad, 0x11c, 0x0d, 13},
                    {"left Shift", Qt::Key_Shift, kShift, 0x2a, 0xa0, std::nullopt},
                    {"no virtual key", 0, kNone, 0x70, 0, std::nullopt},
                    {"out of range", 0, kNone, 0x70, 0x10043, std::nullopt},
                });
}

// No native fields: offscreen, and events QTest makes on any platform.
const std::vector<NativeCase> kQtKeyCases{
    {"Shift+8 stays 8", Qt::Key_8, kShift, 0, 0, 56},
    {"asterisk is the 8 key", Qt::Key_Asterisk, kShift, 0, 0, 56},
    {"keypad asterisk", Qt::Key_Asterisk, kKeypad, 0, 0, 106},
    {"plus is the equals key", Qt::Key_Plus, kShift, 0, 0, 187},
    {"keypad plus", Qt::Key_Plus, kKeypad, 0, 0, 107},
    {"tilde is the grave key", Qt::Key_AsciiTilde, kShift, 0, 0, 192},
    {"shifted digit row: parenright is 0", Qt::Key_ParenRight, kShift, 0, 0, 48},
    {"keypad 9", Qt::Key_9, kKeypad, 0, 0, 105},
    {"keypad End", Qt::Key_End, kKeypad, 0, 0, 35},
    {"Enter", Qt::Key_Enter, kKeypad, 0, 0, 13},
    {"Ctrl+V", Qt::Key_V, Qt::ControlModifier, 0, 0, 86},
    {"F1", Qt::Key_F1, kNone, 0, 0, 112},
    {"Shift", Qt::Key_Shift, kShift, 0, 0, std::nullopt},
    {"unknown", Qt::Key_unknown, kNone, 0, 0, std::nullopt},
};

TEST(NativeKeyFallback, FromQtKeyWithoutNativeData) {
    for (const KeyPlatform platform :
         {KeyPlatform::None, KeyPlatform::X11, KeyPlatform::Wayland, KeyPlatform::Windows}) {
        SCOPED_TRACE(static_cast<int>(platform));
        expectCodes(platform, kQtKeyCases);
    }
    expectCodes(KeyPlatform::None,
                {{"offscreen ignores native fields", Qt::Key_8, kNone, 77, 0xffe1, 56}});
}

TEST(KeyPlatformName, FromQtPlatformName) {
    for (const auto& [name, platform] :
         std::vector<std::pair<const char*, KeyPlatform>>{{"windows", KeyPlatform::Windows},
                                                          {"xcb", KeyPlatform::X11},
                                                          {"wayland", KeyPlatform::Wayland},
                                                          {"wayland-egl", KeyPlatform::Wayland},
                                                          {"offscreen", KeyPlatform::None},
                                                          {"XCB", KeyPlatform::None}}) {
        EXPECT_EQ(keyPlatformFromName(QString::fromLatin1(name)), platform) << name;
    }
}

}  // namespace
}  // namespace zobu
