// Qt key events to Windows virtual-key codes on each platform, one row per rule of the
// translation, and the bookkeeping that makes a key act once, at its release.
#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "key_release_tracker.h"
#include "native_key.h"
#include "vk_codes.h"
#include "x11_keycodes.h"

namespace zobu {
namespace {

using Code = std::optional<std::int16_t>;
using P = KeyPlatform;

struct NativeCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    std::uint32_t scanCode;    // X keycode
    std::uint32_t virtualKey;  // keysym at the current level
    KeyLevels levels;          // what the X keymap says the key types at levels 1 and 2
    Code x11;
    Code wayland;  // the same event without the keymap
};

void expectCodes(KeyPlatform platform, const std::vector<NativeCase>& cases) {
    for (const NativeCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyEventData event{c.key, c.modifiers, c.scanCode, c.virtualKey, 0, false, c.levels};
        if (platform == KeyPlatform::Wayland) {
            event.levels = {};
        }
        EXPECT_EQ(virtualKeyCode(platform, event),
                  platform == KeyPlatform::Wayland ? c.wayland : c.x11);
    }
}

constexpr Qt::KeyboardModifiers kNone{}, kShift{Qt::ShiftModifier}, kCtrl{Qt::ControlModifier},
    kKeypad{Qt::KeypadModifier};
constexpr std::nullopt_t kNothing = std::nullopt;

// As Qt reports the keys under X: key(), modifiers, X keycode, keysym; and the keymap's levels
// on US, German (de), French (fr), Russian (ru) and Dvorak layouts. Then the codes on X11 and on
// Wayland (a digit's or a letter's code is its character).
// clang-format off
const std::vector<NativeCase> kXkbCases{
    // The digit row by position, at every level.
    {"de Shift+0 equal", Qt::Key_Equal, kShift, kKeycode0, '=', {'0', '='}, VK_0, VK_0},
    {"fr 1 key ampersand", Qt::Key_Ampersand, kNone, kKeycode1, '&', {'&', '1'}, '1', '1'},
    // The keypad by its own keys.
    {"KP_9 NumLock on", Qt::Key_9, kKeypad, 81, 0xffb9, {0xff9a, 0xffb9}, VK_NUMPAD9, VK_NUMPAD9},
    {"de KP_Separator on the decimal key", Qt::Key_Comma, kKeypad, kKeycodeKeypadDecimal, 0xffac, {0xff9f, 0xffac}, VK_DECIMAL, VK_DECIMAL},
    {"KP_Delete NumLock off is Delete", Qt::Key_Delete, kKeypad, kKeycodeKeypadDecimal, 0xff9f, {0xff9f, 0xffae}, VK_DELETE, VK_DELETE},
    {"pt keypad comma key", Qt::Key_Period, kKeypad, kKeycodeKeypadComma, 0xffae, {0xffae, 0}, VK_SEPARATOR, VK_SEPARATOR},
    {"keysym 0 on keypad 1 is no digit", 0, kNone, 87, 0, {}, kNothing, kNothing},
    // Letters by what the first level types, else by their US place.
    {"Dvorak Shift+V on the US period key", Qt::Key_V, kShift, 60, 'V', {'v', 'V'}, VK_V, VK_V},
    {"Dvorak j on the US C key", Qt::Key_J, kNone, kKeycodeC, 'j', {'j', 'J'}, 'J', 'J'},
    {"ru es on the C key", 0x421, kCtrl, kKeycodeC, 0x6d3, {0x6d3, 0x6f3}, VK_C, VK_C},
    // The keys that type "+", "-" or "." at either level.
    {"equal", Qt::Key_Equal, kNone, kKeycodeEqual, '=', {'=', '+'}, VK_OEM_PLUS, VK_OEM_PLUS},
    {"Shift+period greater", Qt::Key_Greater, kShift, 60, '>', {'.', '>'}, VK_OEM_PERIOD, VK_OEM_PERIOD},
    {"de Shift+plus key asterisk", Qt::Key_Asterisk, kShift, kKeycodeRightBracket, '*', {'+', '*'}, VK_OEM_PLUS, kNothing},
    {"de minus key on the US slash key", Qt::Key_Minus, kNone, kKeycodeSlash, '-', {'-', '_'}, VK_OEM_MINUS, VK_OEM_MINUS},
    {"fr semicolon key types period shifted", Qt::Key_Semicolon, kNone, 59, ';', {';', '.'}, VK_OEM_PERIOD, kNothing},
    {"ru Shift+period comma on the US slash key", Qt::Key_Comma, kShift, kKeycodeSlash, ',', {'.', ','}, VK_OEM_PERIOD, VK_OEM_2},
    {"de sharp s on the US minus key", Qt::Key_ssharp, kNone, 20, 0xdf, {0xdf, '?'}, kNothing, kNothing},
    // The other signs by their US key's place.
    {"fr exclam on the US slash key", Qt::Key_Exclam, kNone, kKeycodeSlash, '!', {'!', 0xa7}, VK_OEM_2, VK_OEM_2},
    // Keys that type no character.
    {"F1", Qt::Key_F1, kNone, 67, 0xffbe, {0xffbe, 0}, VK_F1, VK_F1},
    {"unknown keysym on an unknown keycode", 0, kNone, 200, 0x10020ac, {}, kNothing, kNothing},
    // Modifiers alone.
    {"Shift_L", Qt::Key_Shift, kShift, 50, 0xffe1, {0xffe1, 0}, kNothing, kNothing},
    // No native data, as in events made by QTest or an accessibility tool: Qt's key, read as
    // the US key that types it.
    {"keypad asterisk", Qt::Key_Asterisk, kKeypad, 0, 0, {}, VK_MULTIPLY, VK_MULTIPLY},
    {"plus is the equals key", Qt::Key_Plus, kShift, 0, 0, {}, VK_OEM_PLUS, VK_OEM_PLUS},
    {"shifted digit row: parenright is 0", Qt::Key_ParenRight, kShift, 0, 0, {}, VK_0, VK_0},
    {"Enter", Qt::Key_Enter, kKeypad, 0, 0, {}, VK_RETURN, VK_RETURN},
    {"Shift", Qt::Key_Shift, kShift, 0, 0, {}, kNothing, kNothing},
};
// clang-format on

TEST(NativeKey, X11ByPlaceOrByTheKeymapsLevelsWaylandByTheCurrentLevel) {
    expectCodes(KeyPlatform::X11, kXkbCases);
    expectCodes(KeyPlatform::Wayland, kXkbCases);
}

// Without a platform to read native data from, only Qt's key counts.
TEST(NativeKey, FromQtKeyWithoutNativeData) {
    expectCodes(KeyPlatform::None,
                {{"native fields ignored", Qt::Key_8, kNone, 77, 0xffe1, {}, '8', {}}});
    EXPECT_EQ(keyPlatformFromName(u"xcb"), KeyPlatform::X11);
    EXPECT_EQ(keyPlatformFromName(u"wayland-egl"), KeyPlatform::Wayland);
}

// Key events as Qt delivers them under X (Qt's key, modifiers, X keycode, keysym), by name:
// "+" a press, "-" a release, "~" a release or press flagged as auto-repeat.
const std::map<std::string, KeyEventData> kEvents = {
    {"Shift", {Qt::Key_Shift, kNone, 50, 0xffe1, 0, false}},
    {"Shift'", {Qt::Key_Shift, kShift, 50, 0xffe1, 0, false}},  // as Shift's release reads
    {"1", {Qt::Key_1, kNone, kKeycode1, 0x31, 0, false}},
    {"2", {Qt::Key_2, kNone, 11, 0x32, 0, false}},
    {"NumLock", {Qt::Key_NumLock, kNone, 77, 0xff7f, 0, false}},
    {"KP_Decimal", {Qt::Key_Period, kKeypad, kKeycodeKeypadDecimal, 0xffae, 0, false}},
    {"KP_Delete", {Qt::Key_Delete, kKeypad, kKeycodeKeypadDecimal, 0xff9f, 0, false}},
    {"KP_Separator", {Qt::Key_Comma, kKeypad, 8, 0xffac, 0, false}},
    {"nothing", {0, kNone, 8, 0, 0, false}},  // what xdotool's KP_Separator release carries
    {"Escape", {Qt::Key_Escape, kNone, 0, 0, 0, false}},
    {"de_plus", {Qt::Key_Plus, kNone, kKeycodeRightBracket, '+', 0, false}},
    {"de_asterisk", {Qt::Key_Asterisk, kShift, kKeycodeRightBracket, '*', 0, false}},
    {"de_minus", {Qt::Key_Minus, kNone, kKeycodeSlash, '-', 0, false}},
    {"ru_period",
     {Qt::Key_Period, kNone, kKeycodeSlash, '.', 1 << 13, false}}};  // the second group

// What X's keymap says two keys type at levels 1 and 2: German first, Russian second group.
KeyLevels keymap(std::uint32_t keycode, std::uint32_t state) {
    const bool russian = ((state >> 13) & 3) == 1;
    if (keycode == kKeycodeSlash) {
        return russian ? KeyLevels{'.', ','} : KeyLevels{'-', '_'};
    }
    return keycode == kKeycodeRightBracket ? KeyLevels{'+', '*'} : KeyLevels{};
}

TEST(KeyReleaseTracker, OneActionPerPhysicalPress) {
    // clang-format off
    const struct {
        const char* name;
        P platform;
        std::string events;
        std::vector<std::int16_t> codes;  // what reaches Form_KeyUp
    } cases[]{
        {"NumLock off before the release", P::X11, "+NumLock +KP_Decimal -NumLock -KP_Delete", {VK_DECIMAL}},
        {"two keys rolled over", P::X11, "+1 +2 -1 -2", {VK_1, VK_2}},
        {"the release carries no key", P::X11, "+KP_Separator -nothing", {VK_SEPARATOR}},
        {"de: Shift up before the plus key, pressed as asterisk", P::X11, "+Shift +de_asterisk -Shift' -de_plus", {VK_OEM_PLUS}},
        {"the group at the press decides", P::X11, "+de_minus -de_minus +ru_period -de_minus", {VK_OEM_MINUS, VK_OEM_PERIOD}},
        {"offscreen repeats, keyed by Qt's key", P::None, "+Escape ~-Escape ~+Escape -Escape", {VK_ESCAPE}}};
    // clang-format on
    for (const auto& c : cases) {
        KeyReleaseTracker tracker(c.platform, c.platform == P::X11 ? keymap : nullptr);
        std::vector<std::int16_t> codes;
        std::istringstream events(c.events);
        for (std::string e; events >> e;) {
            KeyEventData event = kEvents.at(e.substr(e.find_first_not_of("~+-")));
            event.autoRepeat = e[0] == '~';
            if (e.find('+') != std::string::npos) {
                tracker.press(event);
            } else if (const Code code = tracker.release(event)) {
                codes.push_back(*code);
            }
        }
        EXPECT_EQ(codes, c.codes) << c.name;
    }
}

}  // namespace
}  // namespace zobu
