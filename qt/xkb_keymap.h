// A keymap compiled by xkbcommon, whether the X server or the Wayland compositor gave it: what
// a key types at levels 1 and 2 of a layout, and which of its layouts types a given keysym.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "native_key.h"

struct xkb_keymap;
struct xkb_state;

namespace zobu {

class XkbKeymap {
public:
    // Takes over the keymap, which must not be null.
    explicit XkbKeymap(xkb_keymap* keymap);

    // What `keycode` types at levels 1 and 2 of `layout`, a layout (an X group) of the whole
    // keymap; a key with fewer layouts is read in the one it falls back to, by its own rule
    // (wrap, clamp or redirect) as the server applies it. Both 0 for a key not in the keymap.
    KeyLevels levels(std::uint32_t keycode, std::uint32_t layout) const;

    // The layout of the keymap in which `keycode` types `keysym`, at any level: `preferred` when
    // it is one of those, else the first; nothing when none is.
    std::optional<std::uint32_t> layoutTyping(std::uint32_t keycode, std::uint32_t keysym,
                                              std::uint32_t preferred) const;

private:
    struct Free {
        void operator()(xkb_keymap* keymap) const;
        void operator()(xkb_state* state) const;
    };

    // The key's own layout for a layout of the keymap, or XKB_LAYOUT_INVALID.
    std::uint32_t keyLayout(std::uint32_t keycode, std::uint32_t layout) const;

    std::unique_ptr<xkb_keymap, Free> m_keymap;
    std::unique_ptr<xkb_state, Free> m_state;  // only to apply a key's fallback rule
};

}  // namespace zobu
