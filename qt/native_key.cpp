#include "native_key.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <algorithm>
#include <array>
#include <utility>

namespace zobu {
namespace {

using Code = std::optional<std::int16_t>;

// The US key that types an ASCII character at either Shift level. Latin-1 keysyms and Qt's
// key values for printable characters are both the character code, so both come here.
Code usKeyForCharacter(std::uint32_t ch) {
    if (ch >= '0' && ch <= '9') {
        return static_cast<std::int16_t>(ch);
    }
    if (ch >= 'A' && ch <= 'Z') {
        return static_cast<std::int16_t>(ch);
    }
    if (ch >= 'a' && ch <= 'z') {
        return static_cast<std::int16_t>(ch - 'a' + 'A');
    }
    switch (ch) {
        case ' ':
            return 32;
        case ')':
            return 48;
        case '!':
            return 49;
        case '@':
            return 50;
        case '#':
            return 51;
        case '$':
            return 52;
        case '%':
            return 53;
        case '^':
            return 54;
        case '&':
            return 55;
        case '*':
            return 56;
        case '(':
            return 57;
        case ';':
        case ':':
            return 186;
        case '=':
        case '+':
            return 187;
        case ',':
        case '<':
            return 188;
        case '-':
        case '_':
            return 189;
        case '.':
        case '>':
            return 190;
        case '/':
        case '?':
            return 191;
        case '`':
        case '~':
            return 192;
        case '[':
        case '{':
            return 219;
        case '\\':
        case '|':
            return 220;
        case ']':
        case '}':
            return 221;
        case '\'':
        case '"':
            return 222;
        default:
            return std::nullopt;
    }
}

// Shift, Control, Alt, Meta, Super, Hyper, the lock keys and the level and group shifts:
// keys that change other keys and never act on their own.
bool isModifierKeysym(std::uint32_t keysym) {
    return (keysym >= 0xffe1 && keysym <= 0xffee)      // Shift_L .. Hyper_R
           || keysym == 0xff7e                         // Mode_switch
           || keysym == 0xff7f                         // Num_Lock
           || keysym == 0xff14                         // Scroll_Lock
           || (keysym >= 0xfe01 && keysym <= 0xfe13);  // ISO_Lock .. ISO_Level5_Lock
}

// Keysyms outside Latin-1 that name keys the calculator can see.
Code virtualKeyFromFunctionKeysym(std::uint32_t keysym) {
    if (keysym >= 0xffbe && keysym <= 0xffd5) {  // F1 .. F24
        return static_cast<std::int16_t>(112 + (keysym - 0xffbe));
    }
    if (keysym >= 0xffb0 && keysym <= 0xffb9) {  // KP_0 .. KP_9, NumLock on
        return static_cast<std::int16_t>(96 + (keysym - 0xffb0));
    }
    switch (keysym) {
        case 0xff08:  // BackSpace
            return 8;
        case 0xff09:  // Tab
        case 0xfe20:  // ISO_Left_Tab (Shift+Tab)
            return 9;
        case 0xff0b:  // Clear
        case 0xff9d:  // KP_Begin: keypad 5 with NumLock off
            return 12;
        case 0xff0d:  // Return
        case 0xff8d:  // KP_Enter
            return 13;
        case 0xff1b:  // Escape
            return 27;
        case 0xff80:  // KP_Space
            return 32;
        case 0xff55:  // Prior
        case 0xff9a:  // KP_Prior
            return 33;
        case 0xff56:  // Next
        case 0xff9b:  // KP_Next
            return 34;
        case 0xff57:  // End
        case 0xff9c:  // KP_End
            return 35;
        case 0xff50:  // Home
        case 0xff95:  // KP_Home
            return 36;
        case 0xff51:  // Left
        case 0xff96:  // KP_Left
            return 37;
        case 0xff52:  // Up
        case 0xff97:  // KP_Up
            return 38;
        case 0xff53:  // Right
        case 0xff98:  // KP_Right
            return 39;
        case 0xff54:  // Down
        case 0xff99:  // KP_Down
            return 40;
        case 0xff63:  // Insert
        case 0xff9e:  // KP_Insert
            return 45;
        case 0xffff:  // Delete
        case 0xff9f:  // KP_Delete: Windows also reports keypad Delete as Delete
            return 46;
        case 0xffaa:  // KP_Multiply
            return 106;
        case 0xffab:  // KP_Add
            return 107;
        case 0xffac:  // KP_Separator
            return 108;
        case 0xffad:  // KP_Subtract
            return 109;
        case 0xffae:  // KP_Decimal
            return 110;
        case 0xffaf:  // KP_Divide
            return 111;
        default:
            return std::nullopt;
    }
}

Code virtualKeyFromKeysym(std::uint32_t keysym) {
    if (keysym >= 0x20 && keysym <= 0x7e) {
        return usKeyForCharacter(keysym);
    }
    return virtualKeyFromFunctionKeysym(keysym);
}

// X keycodes (evdev + 8) of a US keyboard and the keys' virtual-key codes, for keysyms that
// name no key we know: a layout's own letters and signs (keycode 20 types ß on a German
// keyboard and is still the minus key). The keypad digits and decimal point are left out:
// they count as digits only while NumLock makes them send digit keysyms.
constexpr auto kUsKeycodes = std::to_array<std::pair<std::uint8_t, std::int16_t>>({
    {9, 27},   {10, 49},  {11, 50},  {12, 51},  {13, 52},  {14, 53},   {15, 54},  {16, 55},
    {17, 56},  {18, 57},  {19, 48},  {20, 189}, {21, 187}, {22, 8},    {23, 9},   {24, 81},
    {25, 87},  {26, 69},  {27, 82},  {28, 84},  {29, 89},  {30, 85},   {31, 73},  {32, 79},
    {33, 80},  {34, 219}, {35, 221}, {36, 13},  {38, 65},  {39, 83},   {40, 68},  {41, 70},
    {42, 71},  {43, 72},  {44, 74},  {45, 75},  {46, 76},  {47, 186},  {48, 222}, {49, 192},
    {51, 220}, {52, 90},  {53, 88},  {54, 67},  {55, 86},  {56, 66},   {57, 78},  {58, 77},
    {59, 188}, {60, 190}, {61, 191}, {63, 106}, {65, 32},  {67, 112},  {68, 113}, {69, 114},
    {70, 115}, {71, 116}, {72, 117}, {73, 118}, {74, 119}, {75, 120},  {76, 121}, {82, 109},
    {86, 107}, {94, 226}, {95, 122}, {96, 123}, {104, 13}, {106, 111}, {110, 36}, {111, 38},
    {112, 33}, {113, 37}, {114, 39}, {115, 35}, {116, 40}, {117, 34},  {118, 45}, {119, 46},
    {127, 19}, {135, 93},
});

Code virtualKeyFromX11Keycode(std::uint32_t keycode) {
    const auto* row = std::find_if(kUsKeycodes.begin(), kUsKeycodes.end(),
                                   [keycode](const auto& r) { return r.first == keycode; });
    if (row == kUsKeycodes.end()) {
        return std::nullopt;
    }
    return row->second;
}

// X11 and Wayland: the keysym names the key at either Shift level; failing that, the key's
// place on the keyboard does.
Code virtualKeyFromXkb(const KeyEventData& event) {
    if (isModifierKeysym(event.nativeVirtualKey)) {
        return std::nullopt;
    }
    if (const Code code = virtualKeyFromKeysym(event.nativeVirtualKey)) {
        return code;
    }
    return virtualKeyFromX11Keycode(event.nativeScanCode);
}

// Windows numbers the keys itself. Its modifier keys (Shift, Ctrl, Alt, the Windows keys, the
// lock keys, and their left and right variants) never act on their own.
Code virtualKeyFromWindows(std::uint32_t virtualKey) {
    const bool modifier = (virtualKey >= 16 && virtualKey <= 18) || virtualKey == 20 ||
                          virtualKey == 91 || virtualKey == 92 || virtualKey == 144 ||
                          virtualKey == 145 || (virtualKey >= 160 && virtualKey <= 165);
    if (virtualKey == 0 || virtualKey > 0xff || modifier) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(virtualKey);
}

// No native data: Qt's key and the keypad flag. A shifted character is read as the US key
// that types it, as Windows would number the key (Shift+8 is "*" and still the 8 key).
Code virtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) {
            return static_cast<std::int16_t>(96 + (key - Qt::Key_0));
        }
        switch (key) {
            case Qt::Key_Asterisk:
                return 106;
            case Qt::Key_Plus:
                return 107;
            case Qt::Key_Comma:
                return 108;
            case Qt::Key_Minus:
                return 109;
            case Qt::Key_Period:
                return 110;
            case Qt::Key_Slash:
                return 111;
            default:
                break;
        }
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));
    }
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) {
        return usKeyForCharacter(static_cast<std::uint32_t>(key));
    }
    switch (key) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Clear:
            return 12;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        default:
            return std::nullopt;
    }
}

}  // namespace

KeyPlatform keyPlatformFromName(QStringView platformName) {
    if (platformName == u"windows") {
        return KeyPlatform::Windows;
    }
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
                        event.isAutoRepeat()};
}

std::optional<std::int16_t> virtualKeyCode(KeyPlatform platform, const KeyEventData& event) {
    // Events made inside the program (QTest, accessibility tools) carry no native data on
    // any platform; Qt's key is all there is.
    if (platform == KeyPlatform::None ||
        (event.nativeScanCode == 0 && event.nativeVirtualKey == 0)) {
        return virtualKeyFromQtKey(event.key, event.modifiers);
    }
    if (platform == KeyPlatform::Windows) {
        return virtualKeyFromWindows(event.nativeVirtualKey);
    }
    return virtualKeyFromXkb(event);
}

std::int16_t shiftState(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        state |= 1;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        state |= 2;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        state |= 4;
    }
    return static_cast<std::int16_t>(state);
}

}  // namespace zobu
