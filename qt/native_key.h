// Turns Qt key events into Windows virtual-key codes, the numbering the calculator's key
// table is written in, from the native fields each platform fills in.
#pragma once

#include <QtCore/qnamespace.h>
#include <QtCore/qstringview.h>

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace zobu {

// Where the key events come from: each platform fills the native fields differently.
// None: no native data to read (offscreen, events made by QTest).
enum class KeyPlatform { Windows, X11, Wayland, None };

// From QGuiApplication::platformName(): "windows", "xcb", "wayland" (and its "wayland-egl"
// style variants); anything else is None.
KeyPlatform keyPlatformFromName(QStringView platformName);
KeyPlatform currentKeyPlatform();

// The fields of a key event that the translation reads, so that it can be tested without
// building events or a window.
struct KeyEventData {
    int key = 0;  // Qt::Key
    Qt::KeyboardModifiers modifiers;
    std::uint32_t nativeScanCode = 0;    // X/Wayland: X keycode (evdev + 8); Windows: scan code
    std::uint32_t nativeVirtualKey = 0;  // X/Wayland: keysym; Windows: the virtual-key code
    std::uint32_t nativeModifiers = 0;
    bool autoRepeat = false;

    static KeyEventData from(const QKeyEvent& event);
};

// The Windows virtual-key code of the key the event is about, whatever the Shift level, or
// nothing for a modifier key alone or a key with no code. A pure function of the fields.
std::optional<std::int16_t> virtualKeyCode(KeyPlatform platform, const KeyEventData& event);

// The modifier state as Form_KeyUp receives it: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t shiftState(Qt::KeyboardModifiers modifiers);

}  // namespace zobu
