// The Wayland compositor's keymap, read through a connection of the program's own (Qt keeps
// the keymap it is sent to itself): what a key types at levels 1 and 2 of the layout it was
// typed in. Follows a new keymap, and a switch of layout, from the next key on.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "native_key.h"
#include "xkb_keymap.h"

namespace zobu {

// A compositor tells the current layout (the group) only to the client with the keyboard
// focus, which a connection without a window never has: the layout is told by the key itself,
// as the one whose levels hold the keysym Qt delivered.
class WaylandLayouts {
public:
    // A keymap the compositor sent, as its text: the keys after it are read in it. Text that
    // does not compile leaves no keymap.
    void setKeymap(std::string_view text);

    // What `keycode` types at levels 1 and 2 of the layout in which it types `keysym`: of
    // several, the last one found, since the layout changes only when a key shows it has. Both
    // 0 when no layout types it there, or before the first keymap.
    KeyLevels levels(std::uint32_t keycode, std::uint32_t keysym);

private:
    std::optional<XkbKeymap> m_keymap;
    std::uint32_t m_layout = 0;
};

class WaylandKeymap {
public:
    // Connects to the compositor of WAYLAND_DISPLAY at the first key, so a start pays nothing.
    WaylandKeymap();
    ~WaylandKeymap();
    WaylandKeymap(const WaylandKeymap&) = delete;
    WaylandKeymap& operator=(const WaylandKeymap&) = delete;

    // The keysyms of the event's key at levels 1 and 2 of its layout, in the keymap the
    // compositor had when it sent the key; both 0 without one.
    KeyLevels levels(const KeyEventData& event);

private:
    struct Connection;
    struct Close {
        void operator()(Connection* connection) const;
    };

    std::unique_ptr<Connection, Close> m_connection;
    bool m_tried = false;
    WaylandLayouts m_layouts;
};

}  // namespace zobu
