// Qt key events to Windows virtual-key codes on each platform, one row per rule of the
// translation, and the bookkeeping that makes a key act once, at its release.
#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "key_release_tracker.h"
#include "native_key.h"
#include "vk_codes.h"
#ifdef ZOBU_HAVE_WAYLAND_KEYMAP
#include <xkbcommon/xkbcommon.h>

#include "wayland_keymap.h"
#endif

namespace zobu {
namespace {

using Code = std::optional<std::int16_t>;

struct NativeCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    std::uint32_t scanCode;    // X keycode
    std::uint32_t virtualKey;  // keysym at the current level
    KeyLevels levels{};        // what the X keymap says the key types at levels 1 and 2
    Code x11 = {};
    Code noKeymap = {};  // the same event without the keymap's levels
};

void expectCodes(KeyPlatform platform, const std::vector<NativeCase>& cases) {
    for (const NativeCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyEventData event{c.key, c.modifiers, c.scanCode, c.virtualKey, 0, false, c.levels};
        if (platform == KeyPlatform::Wayland) {
            event.levels = {};
        }
        EXPECT_EQ(virtualKeyCode(platform, event),
                  platform == KeyPlatform::Wayland ? c.noKeymap : c.x11);
    }
}

constexpr Qt::KeyboardModifiers kNone{}, kShift{Qt::ShiftModifier}, kKeypad{Qt::KeypadModifier};
constexpr std::nullopt_t kNothing = std::nullopt;

// As Qt reports the keys under X: key(), modifiers, X keycode, keysym; and the keymap's levels
// on US, German (de), French (fr), Russian (ru) and Dvorak layouts. Then the codes with those
// levels, and with none (a digit's or a letter's code is its character). The keycodes are a pc105
// keyboard's, by the US key: 10 "1", 35 "]", 54 "c", 59 ",", 60 ".", 61 "/", 91 and 129 the
// keypad's decimal and comma keys.
// clang-format off
const std::vector<NativeCase> kXkbCases{
    // The digit row by position, at every level.
    {.name = "fr 1 key ampersand", .key = Qt::Key_Ampersand, .modifiers = kNone, .scanCode = 10, .virtualKey = '&', .levels = {'&', '1'}, .x11 = '1', .noKeymap = '1'},
    // The keypad by its own keys.
    {.name = "de KP_Separator on the decimal key", .key = Qt::Key_Comma, .modifiers = kKeypad, .scanCode = 91, .virtualKey = 0xffac, .levels = {0xff9f, 0xffac}, .x11 = VK_DECIMAL, .noKeymap = VK_DECIMAL},
    {.name = "KP_Delete NumLock off is Delete", .key = Qt::Key_Delete, .modifiers = kKeypad, .scanCode = 91, .virtualKey = 0xff9f, .levels = {0xff9f, 0xffae}, .x11 = VK_DELETE, .noKeymap = VK_DELETE},
    {.name = "pt keypad comma key", .key = Qt::Key_Period, .modifiers = kKeypad, .scanCode = 129, .virtualKey = 0xffae, .levels = {0xffae, 0}, .x11 = VK_SEPARATOR, .noKeymap = VK_SEPARATOR},
    {.name = "keysym 0 on keypad 1 is no digit", .key = 0, .modifiers = kNone, .scanCode = 87, .virtualKey = 0, .levels = {}, .x11 = kNothing, .noKeymap = kNothing},
    {.name = "KP_0 with Num Lock", .key = Qt::Key_0, .modifiers = kKeypad, .scanCode = 90, .virtualKey = 0xffb0, .levels = {0xff9e, 0xffb0}, .x11 = VK_NUMPAD0, .noKeymap = VK_NUMPAD0},
    // Letters by what the first level types, else by their US place.
    {.name = "Dvorak j on the US C key", .key = Qt::Key_J, .modifiers = kNone, .scanCode = 54, .virtualKey = 'j', .levels = {'j', 'J'}, .x11 = 'J', .noKeymap = 'J'},
    {.name = "Dvorak Shift+z on the US slash key", .key = Qt::Key_Z, .modifiers = kShift, .scanCode = 61, .virtualKey = 'Z', .levels = {'z', 'Z'}, .x11 = 'Z', .noKeymap = 'Z'},
    // The keys that type "+", "-" or "." at either level.
    {.name = "equal", .key = Qt::Key_Equal, .modifiers = kNone, .scanCode = 21, .virtualKey = '=', .levels = {'=', '+'}, .x11 = VK_OEM_PLUS, .noKeymap = VK_OEM_PLUS},
    {.name = "Shift+period greater", .key = Qt::Key_Greater, .modifiers = kShift, .scanCode = 60, .virtualKey = '>', .levels = {'.', '>'}, .x11 = VK_OEM_PERIOD, .noKeymap = VK_OEM_PERIOD},
    {.name = "de Shift+plus key asterisk", .key = Qt::Key_Asterisk, .modifiers = kShift, .scanCode = 35, .virtualKey = '*', .levels = {'+', '*'}, .x11 = VK_OEM_PLUS, .noKeymap = kNothing},
    {.name = "fr semicolon key types period shifted", .key = Qt::Key_Semicolon, .modifiers = kNone, .scanCode = 59, .virtualKey = ';', .levels = {';', '.'}, .x11 = VK_OEM_PERIOD, .noKeymap = kNothing},
    {.name = "ru Shift+period comma on the US slash key", .key = Qt::Key_Comma, .modifiers = kShift, .scanCode = 61, .virtualKey = ',', .levels = {'.', ','}, .x11 = VK_OEM_PERIOD, .noKeymap = VK_OEM_2},
    {.name = "de sharp s on the US minus key", .key = Qt::Key_ssharp, .modifiers = kNone, .scanCode = 20, .virtualKey = 0xdf, .levels = {0xdf, '?'}, .x11 = kNothing, .noKeymap = kNothing},
    {.name = "de numbersign on the US backslash key", .key = Qt::Key_NumberSign, .modifiers = kNone, .scanCode = 51, .virtualKey = '#', .levels = {'#', '\''}, .x11 = VK_OEM_5, .noKeymap = VK_OEM_5},
    {.name = "F1", .key = Qt::Key_F1, .modifiers = kNone, .scanCode = 67, .virtualKey = 0xffbe, .levels = {0xffbe, 0xffbe}, .x11 = VK_F1, .noKeymap = VK_F1},
    // No native data, as in events made by QTest or an accessibility tool: Qt's key, read as
    // the US key that types it.
    {.name = "Key_0", .key = Qt::Key_0, .modifiers = kNone, .scanCode = 0, .virtualKey = 0, .levels = {}, .x11 = VK_0, .noKeymap = VK_0},
    {.name = "keypad 9", .key = Qt::Key_9, .modifiers = kKeypad, .scanCode = 0, .virtualKey = 0, .levels = {}, .x11 = VK_NUMPAD9, .noKeymap = VK_NUMPAD9},
    {.name = "Ctrl+V", .key = Qt::Key_V, .modifiers = Qt::ControlModifier, .scanCode = 0, .virtualKey = 0, .levels = {}, .x11 = VK_V, .noKeymap = VK_V},
    {.name = "keypad asterisk", .key = Qt::Key_Asterisk, .modifiers = kKeypad, .scanCode = 0, .virtualKey = 0, .levels = {}, .x11 = VK_MULTIPLY, .noKeymap = VK_MULTIPLY},
    {.name = "plus is the equals key", .key = Qt::Key_Plus, .modifiers = kShift, .scanCode = 0, .virtualKey = 0, .levels = {}, .x11 = VK_OEM_PLUS, .noKeymap = VK_OEM_PLUS},
    {.name = "shifted digit row: parenright is 0", .key = Qt::Key_ParenRight, .modifiers = kShift, .scanCode = 0, .virtualKey = 0, .levels = {}, .x11 = VK_0, .noKeymap = VK_0},
    {.name = "Enter", .key = Qt::Key_Enter, .modifiers = kKeypad, .scanCode = 0, .virtualKey = 0, .levels = {}, .x11 = VK_RETURN, .noKeymap = VK_RETURN},
    {.name = "Shift", .key = Qt::Key_Shift, .modifiers = kShift, .scanCode = 0, .virtualKey = 0, .levels = {}, .x11 = kNothing, .noKeymap = kNothing},
};
// clang-format on

TEST(NativeKey, ByPlaceOrByTheKeymapsLevelsElseByTheCurrentLevel) {
    expectCodes(KeyPlatform::X11, kXkbCases);
    expectCodes(KeyPlatform::Wayland, kXkbCases);
    EXPECT_EQ(keyPlatformFromName(u"wayland-egl"), KeyPlatform::Wayland);
    // Off X and Wayland the native fields are not read, even where they are filled.
    const KeyEventData nine{
        .key = Qt::Key_9, .modifiers = kNone, .nativeScanCode = 10, .nativeVirtualKey = '1'};
    EXPECT_EQ(virtualKeyCode(KeyPlatform::None, nine), VK_9);
}

#ifdef ZOBU_HAVE_WAYLAND_KEYMAP
// The text of a keymap of these layouts (pc105, evdev rules), as a compositor sends it.
std::string KeymapText(const char* layouts) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    const xkb_rule_names names{"evdev", "pc105", layouts, nullptr, nullptr};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    std::string copy(text);
    std::free(text);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return copy;
}

TEST(NativeKey, WaylandByTheLayoutTheKeysymShows) {
    // Keys as Qt delivers them on Wayland, in order: the X keycode and the keysym at the
    // current level of the current layout, after the keymap the compositor sent, if any.
    // clang-format off
    const struct {
        const char* name;
        const char* keymap;  // layouts of a new keymap sent before the key
        std::uint32_t keycode;
        std::uint32_t keysym;
        Code code;
    } steps[]{
        {.name = "us right brace key", .keymap = "us", .keycode = 35, .keysym = '}', .code = kNothing},
        {.name = "de from the next key: Shift+plus key asterisk adds", .keymap = "de", .keycode = 35, .keysym = '*', .code = VK_OEM_PLUS},
        {.name = "de,fr: French exclamation mark on the US slash key", .keymap = "de,fr", .keycode = 61, .keysym = '!', .code = VK_OEM_2},
        {.name = "colon in both layouts: French, the one found last", .keymap = nullptr, .keycode = 60, .keysym = ':', .code = kNothing},
        {.name = "German minus on the US slash key", .keymap = nullptr, .keycode = 61, .keysym = '-', .code = VK_OEM_MINUS},
        {.name = "colon in both layouts: German Shift+period is the point", .keymap = nullptr, .keycode = 60, .keysym = ':', .code = VK_OEM_PERIOD},
    };
    // clang-format on
    WaylandLayouts layouts;
    for (const auto& step : steps) {
        if (step.keymap != nullptr) {
            layouts.setKeymap(KeymapText(step.keymap));
        }
        KeyEventData event;
        event.nativeScanCode = step.keycode;
        event.nativeVirtualKey = step.keysym;
        event.levels = layouts.levels(step.keycode, step.keysym);
        EXPECT_EQ(virtualKeyCode(KeyPlatform::Wayland, event), step.code) << step.name;
    }
}
#endif

// Key events as Qt delivers them under X (Qt's key, modifiers, X keycode, keysym), by name:
// "+" a press, "-" a release.
// clang-format off
const std::map<std::string, KeyEventData> kEvents = {
    {"Shift", {.key = Qt::Key_Shift, .modifiers = kNone, .nativeScanCode = 50, .nativeVirtualKey = 0xffe1}},
    {"Shift'", {.key = Qt::Key_Shift, .modifiers = kShift, .nativeScanCode = 50, .nativeVirtualKey = 0xffe1}},  // as Shift's release reads
    {"1", {.key = Qt::Key_1, .modifiers = kNone, .nativeScanCode = 10, .nativeVirtualKey = 0x31}},
    {"2", {.key = Qt::Key_2, .modifiers = kNone, .nativeScanCode = 11, .nativeVirtualKey = 0x32}},
    {"NumLock", {.key = Qt::Key_NumLock, .modifiers = kNone, .nativeScanCode = 77, .nativeVirtualKey = 0xff7f}},
    {"KP_Decimal", {.key = Qt::Key_Period, .modifiers = kKeypad, .nativeScanCode = 91, .nativeVirtualKey = 0xffae}},
    {"KP_Delete", {.key = Qt::Key_Delete, .modifiers = kKeypad, .nativeScanCode = 91, .nativeVirtualKey = 0xff9f}},
    {"de_plus", {.key = Qt::Key_Plus, .modifiers = kNone, .nativeScanCode = 35, .nativeVirtualKey = '+'}},
    {"de_asterisk", {.key = Qt::Key_Asterisk, .modifiers = kShift, .nativeScanCode = 35, .nativeVirtualKey = '*'}},
    {"de_minus", {.key = Qt::Key_Minus, .modifiers = kNone, .nativeScanCode = 61, .nativeVirtualKey = '-'}},
    {"ru_period", {.key = Qt::Key_Period, .modifiers = kNone, .nativeScanCode = 61, .nativeVirtualKey = '.', .nativeModifiers = 1 << 13}},  // the second group
};
// clang-format on

// What X's keymap says two keys type at levels 1 and 2: German first, Russian second group.
KeyLevels keymap(const KeyEventData& event) {
    const bool russian = ((event.nativeModifiers >> 13) & 3) == 1;
    const std::uint32_t keycode = event.nativeScanCode;
    if (keycode == 61) {
        return russian ? KeyLevels{'.', ','} : KeyLevels{'-', '_'};
    }
    return keycode == 35 ? KeyLevels{'+', '*'} : KeyLevels{};
}

TEST(KeyReleaseTracker, OneActionPerPhysicalPress) {
    // clang-format off
    const struct {
        const char* name;
        std::string events;
        std::vector<std::int16_t> codes;  // what reaches Form_KeyUp
    } cases[]{
        {.name = "NumLock off before the release", .events = "+NumLock +KP_Decimal -NumLock -KP_Delete", .codes = {VK_DECIMAL}},
        {.name = "two keys rolled over", .events = "+1 +2 -1 -2", .codes = {VK_1, VK_2}},
        {.name = "de: Shift up before the plus key, pressed as asterisk", .events = "+Shift +de_asterisk -Shift' -de_plus", .codes = {VK_OEM_PLUS}},
        {.name = "the group at the press decides", .events = "+de_minus -de_minus +ru_period -de_minus", .codes = {VK_OEM_MINUS, VK_OEM_PERIOD}}};
    // clang-format on
    for (const auto& c : cases) {
        KeyReleaseTracker tracker(KeyPlatform::X11, keymap);
        std::vector<std::int16_t> codes;
        std::istringstream events(c.events);
        for (std::string e; events >> e;) {
            KeyEventData event = kEvents.at(e.substr(1));
            if (e[0] == '+') {
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
