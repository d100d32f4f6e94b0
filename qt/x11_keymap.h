// The X server's keymap, read through xkbcommon: what a key types at levels 1 and 2 of the
// group its event was typed in. Follows a new layout (setxkbmap, xdotool's spare keycodes)
// from the next key on.
#pragma once

#include <QAbstractNativeEventFilter>

#include <optional>

#include "native_key.h"
#include "xkb_keymap.h"

struct xcb_connection_t;

namespace zobu {

class X11Keymap : public QAbstractNativeEventFilter {
public:
    // Watches the X connection for keymap changes; reads the keymap at the first key. Inert
    // anywhere but X11, or before the QGuiApplication exists.
    X11Keymap();
    X11Keymap(const X11Keymap&) = delete;
    X11Keymap& operator=(const X11Keymap&) = delete;

    // The keysyms of the event's key at levels 1 and 2 of the group in its state (the X
    // event's core state); both 0 when there is no keymap.
    KeyLevels levels(const KeyEventData& event);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    // The keymap as the server has it now.
    void read();

    xcb_connection_t* m_connection = nullptr;
    int m_xkbEventBase = -1;  // known from the first key on
    std::optional<XkbKeymap> m_keymap;
    bool m_stale = true;
};

}  // namespace zobu
