// The X server's keymap, read through Xlib's XKB: what a key types at levels 1 and 2 of the
// group its event was typed in. Follows a new layout (setxkbmap, xdotool's spare keycodes)
// from the next key on.
#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <memory>

#include "native_key.h"

namespace zobu {

class X11Keymap : public QAbstractNativeEventFilter {
public:
    // Watches the X connection for keymap changes; reads the keymap at the first key. Inert
    // anywhere but X11, or before the QGuiApplication exists.
    X11Keymap();
    ~X11Keymap() override;
    X11Keymap(const X11Keymap&) = delete;
    X11Keymap& operator=(const X11Keymap&) = delete;

    // The keysyms of `keycode` at levels 1 and 2 of the group in `state` (an X event's core
    // state); both 0 when there is no keymap.
    KeyLevels levels(std::uint32_t keycode, std::uint32_t state);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// The group a key of `groups` groups is looked up in for an event typed in `group`: where that
// is beyond the key's own, as the key's XKB group info `info` tells the X server.
int EffectiveGroup(int groups, unsigned char info, int group);

}  // namespace zobu
