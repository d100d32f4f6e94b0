#include "native_key.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "key_modifiers.h"
#include "vk_codes.h"
#include "x11_keycodes.h"

namespace zobu {
namespace {

using Code = std::optional<std::int16_t>;

template <typename Key, typename Value, std::size_t N>
std::optional<Value> lookup(const std::array<std::pair<Key, Value>, N>& table, Key key) {
    const auto* row =
        std::find_if(table.begin(), table.end(), [key](const auto& r) { return r.first == key; });
    if (row == table.end()) {
        return std::nullopt;
    }
    return row->second;
}

Code offset(std::int16_t first, std::uint32_t index) {
    return static_cast<std::int16_t>(first + static_cast<std::int16_t>(index));
}

// Letter keys whose layout types no Latin letter (Cyrillic, Greek) are named by their US
// letter; of those, only C and V do anything here.
constexpr auto kLetterPositions = std::to_array<std::pair<std::uint32_t, std::int16_t>>({
    {kKeycodeC, VK_C},
    {kKeycodeV, VK_V},
});

// The US keys of these codes, by position on every layout: nothing types their characters on
// the same key everywhere (German "/" is Shift+7, French "!" sits on the US "/" key).
constexpr auto kSignPositions = std::to_array<std::pair<std::uint32_t, std::int16_t>>({
    {kKeycodeApostrophe, VK_OEM_7},
    {kKeycodeGrave, VK_OEM_3},
    {kKeycodeBackslash, VK_OEM_5},
    {kKeycodeSlash, VK_OEM_2},
});

// The keys that type these at either level have these codes on every layout.
constexpr auto kSignCharacters = std::to_array<std::pair<std::uint32_t, std::int16_t>>({
    {'+', VK_OEM_PLUS},
    {'-', VK_OEM_MINUS},
    {'.', VK_OEM_PERIOD},
});

// Without the keymap's levels only the current level is known; the other is taken to be the US one,
// so that the unshifted US "=" key still adds.
constexpr auto kUsOtherLevel = std::to_array<std::pair<std::uint32_t, std::uint32_t>>({
    {'=', '+'},
    {'_', '-'},
    {'>', '.'},
});

constexpr std::uint32_t kKeysymKP0 = 0xffb0;
constexpr std::uint32_t kKeysymKP9 = 0xffb9;
constexpr std::uint32_t kKeysymKPSeparator = 0xffac;

// The keypad's keysyms as Windows numbers them. With Num Lock off only Delete (DEL) and Enter
// act; its other navigation keys do nothing here, so they get no code.
constexpr auto kKeypadKeysyms = std::to_array<std::pair<std::uint32_t, std::int16_t>>({
    {0xff8d, VK_RETURN},     // KP_Enter
    {0xff9f, VK_DELETE},     // KP_Delete
    {0xffaa, VK_MULTIPLY},   // KP_Multiply
    {0xffab, VK_ADD},        // KP_Add
    {0xffac, VK_SEPARATOR},  // KP_Separator
    {0xffad, VK_SUBTRACT},   // KP_Subtract
    {0xffae, VK_DECIMAL},    // KP_Decimal
    {0xffaf, VK_DIVIDE},     // KP_Divide
});

// Keys that type no character and that the calculator acts on.
constexpr auto kFunctionKeysyms = std::to_array<std::pair<std::uint32_t, std::int16_t>>({
    {0xffbe, VK_F1},      // F1
    {0xff08, VK_BACK},    // BackSpace
    {0xff0d, VK_RETURN},  // Return
    {0xff1b, VK_ESCAPE},  // Escape
    {0xffff, VK_DELETE},  // Delete
    {0x20, VK_SPACE},     // space
});

// The keypad by its own identity. Its decimal key is the decimal key whether the layout
// writes "." or "," with it; the separator code belongs to the extra comma key alone.
Code keypadKey(std::uint32_t keycode, std::uint32_t keysym) {
    if (keycode == kKeycodeKeypadComma) {
        return VK_SEPARATOR;
    }
    if (keysym >= kKeysymKP0 && keysym <= kKeysymKP9) {
        return offset(VK_NUMPAD0, keysym - kKeysymKP0);
    }
    if (keycode == kKeycodeKeypadDecimal && keysym == kKeysymKPSeparator) {
        return VK_DECIMAL;
    }
    return lookup(kKeypadKeysyms, keysym);
}

Code latinLetter(std::uint32_t keysym) {
    if (keysym >= 'a' && keysym <= 'z') {
        return offset(VK_A, keysym - 'a');
    }
    if (keysym >= 'A' && keysym <= 'Z') {
        return offset(VK_A, keysym - 'A');
    }
    return std::nullopt;
}

// X11 and Wayland: the code Windows gives the key on this layout. The rules go in this order
// and the first that knows the key decides.
Code virtualKeyFromXkb(const KeyEventData& event) {
    const std::uint32_t keycode = event.nativeScanCode;
    const std::uint32_t keysym = event.nativeVirtualKey;
    // The digit row by its place, at every level (French types "&" on the 1 key).
    if (keycode >= kKeycode1 && keycode <= kKeycode0) {
        return keycode == kKeycode0 ? VK_0 : offset(VK_0, keycode - kKeycode1 + 1);
    }
    if (const Code code = keypadKey(keycode, keysym)) {
        return code;
    }
    // Without the keymap's levels (none at hand, or no layout of it types this keysym there)
    // the current level stands for both.
    KeyLevels levels = event.levels;
    if (levels == KeyLevels{}) {
        levels = {keysym, lookup(kUsOtherLevel, keysym).value_or(std::uint32_t{})};
    }
    // Letters as the first level types them (Dvorak moves them), else by their US place.
    if (const Code letter = latinLetter(levels[0])) {
        return letter;
    }
    if (const Code code = lookup(kLetterPositions, keycode)) {
        return code;
    }
    // "+", "-" and "." by the character, at either level; the other signs by their US place.
    for (const std::uint32_t level : levels) {
        if (const Code code = lookup(kSignCharacters, level)) {
            return code;
        }
    }
    if (const Code code = lookup(kSignPositions, keycode)) {
        return code;
    }
    return lookup(kFunctionKeysyms, keysym);
}

// No native data: Qt's key and the keypad flag. A shifted character is read as the US key
// that types it, as Windows would number the key (Shift+8 is "*" and still the 8 key).
constexpr std::string_view kUsShiftedDigits = ")!@#$%^&*(";

constexpr auto kUsCharacters = std::to_array<std::pair<int, std::int16_t>>({
    {'=', VK_OEM_PLUS},
    {'+', VK_OEM_PLUS},
    {'-', VK_OEM_MINUS},
    {'_', VK_OEM_MINUS},
    {'.', VK_OEM_PERIOD},
    {'>', VK_OEM_PERIOD},
    {'/', VK_OEM_2},
    {'?', VK_OEM_2},
    {'`', VK_OEM_3},
    {'~', VK_OEM_3},
    {'\\', VK_OEM_5},
    {'|', VK_OEM_5},
    {'\'', VK_OEM_7},
    {'"', VK_OEM_7},
    {' ', VK_SPACE},
});

constexpr auto kQtKeypadKeys = std::to_array<std::pair<int, std::int16_t>>({
    {Qt::Key_Asterisk, VK_MULTIPLY},
    {Qt::Key_Plus, VK_ADD},
    {Qt::Key_Comma, VK_SEPARATOR},
    {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},
    {Qt::Key_Slash, VK_DIVIDE},
});

constexpr auto kQtKeys = std::to_array<std::pair<int, std::int16_t>>({
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_F1, VK_F1},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Delete, VK_DELETE},
});

Code virtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return offset(keypad ? VK_NUMPAD0 : VK_0, static_cast<std::uint32_t>(key - Qt::Key_0));
    }
    if (keypad) {
        if (const Code code = lookup(kQtKeypadKeys, key)) {
            return code;
        }
    }
    if (const Code letter = latinLetter(static_cast<std::uint32_t>(key))) {
        return letter;
    }
    if (const std::size_t digit = kUsShiftedDigits.find(static_cast<char>(key));
        key < 0x80 && digit != std::string_view::npos) {
        return offset(VK_0, static_cast<std::uint32_t>(digit));
    }
    if (const Code code = lookup(kUsCharacters, key)) {
        return code;
    }
    return lookup(kQtKeys, key);
}

}  // namespace

KeyPlatform keyPlatformFromName(QStringView platformName) {
    if (platformName == u"xcb") {
        return KeyPlatform::X11;
    }
    if (platformName.startsWith(u"wayland")) {
        return KeyPlatform::Wayland;
    }
    return KeyPlatform::None;
}

KeyPlatform currentKeyPlatform() {
    return keyPlatformFromName(QGuiApplication::platformName());
}

KeyEventData KeyEventData::from(const QKeyEvent& event) {
    return KeyEventData{event.key(),
                        event.modifiers(),
                        event.nativeScanCode(),
                        event.nativeVirtualKey(),
                        event.nativeModifiers(),
                        event.isAutoRepeat(),
                        {}};
}

std::optional<std::int16_t> virtualKeyCode(KeyPlatform platform, const KeyEventData& event) {
    // Events made inside the program (QTest, accessibility tools) carry no native data on
    // any platform; Qt's key is all there is.
    if (platform == KeyPlatform::None ||
        (event.nativeScanCode == 0 && event.nativeVirtualKey == 0)) {
        return virtualKeyFromQtKey(event.key, event.modifiers);
    }
    return virtualKeyFromXkb(event);
}

std::int16_t shiftState(Qt::KeyboardModifiers modifiers) {
    return ShiftState(modifiers.testFlag(Qt::ShiftModifier),
                      modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::AltModifier));
}

}  // namespace zobu
