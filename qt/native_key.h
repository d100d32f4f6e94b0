// Turns Qt key events into Windows virtual-key codes, the numbering the calculator's key
// table is written in: the code Windows gives the same physical key on the current layout.
#pragma once

#include <QtCore/qnamespace.h>
#include <QtCore/qstringview.h>

#include <array>
#include <cstdint>
#include <optional>

class QKeyEvent;

namespace zobu {

// Where the key events come from: each platform fills the native fields differently.
// None: no native data to read (offscreen, events made by QTest).
enum class KeyPlatform { X11, Wayland, None };

// From QGuiApplication::platformName(): "xcb", "wayland" (and its "wayland-egl" style
// variants); anything else is None.
KeyPlatform keyPlatformFromName(QStringView platformName);
KeyPlatform currentKeyPlatform();

// The keysyms a key types at levels 1 and 2 (unshifted and shifted) of the layout it was typed
// in, as the keymap gives them; 0 for a level the key lacks, or both 0 where no keymap is at hand.
using KeyLevels = std::array<std::uint32_t, 2>;

// The fields of a key event that the translation reads, so that it can be tested without
// building events or a window.
struct KeyEventData {
    int key = 0;  // Qt::Key
    Qt::KeyboardModifiers modifiers;
    std::uint32_t nativeScanCode = 0;    // X keycode (evdev + 8), the key's position
    std::uint32_t nativeVirtualKey = 0;  // keysym at the current level
    std::uint32_t nativeModifiers = 0;   // X: the core state, with the group in bits 13-14
    bool autoRepeat = false;
    KeyLevels levels{};  // filled from the display server's keymap; Qt gives none

    static KeyEventData from(const QKeyEvent& event);
};

// The Windows virtual-key code of the key the event is about, on the current layout and
// whatever the modifiers, or nothing for a modifier key alone or a key with no code. A pure
// function of the fields.
std::optional<std::int16_t> virtualKeyCode(KeyPlatform platform, const KeyEventData& event);

// The modifier state as Form_KeyUp receives it: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t shiftState(Qt::KeyboardModifiers modifiers);

}  // namespace zobu
