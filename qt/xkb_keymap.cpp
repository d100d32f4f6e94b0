#include "xkb_keymap.h"

#include <xkbcommon/xkbcommon.h>

namespace zobu {

void XkbKeymap::Free::operator()(xkb_keymap* keymap) const {
    xkb_keymap_unref(keymap);
}

void XkbKeymap::Free::operator()(xkb_state* state) const {
    xkb_state_unref(state);
}

XkbKeymap::XkbKeymap(xkb_keymap* keymap) : m_keymap(keymap), m_state(xkb_state_new(keymap)) {}

std::uint32_t XkbKeymap::keyLayout(std::uint32_t keycode, std::uint32_t layout) const {
    if (!m_state) {
        return XKB_LAYOUT_INVALID;
    }
    xkb_state_update_mask(m_state.get(), 0, 0, 0, 0, 0, layout);
    return xkb_state_key_get_layout(m_state.get(), keycode);
}

KeyLevels XkbKeymap::levels(std::uint32_t keycode, std::uint32_t layout) const {
    const xkb_layout_index_t own = keyLayout(keycode, layout);
    if (own == XKB_LAYOUT_INVALID) {
        return {};
    }
    const auto level = [&](xkb_level_index_t index) {
        const xkb_keysym_t* syms = nullptr;
        const int count =
            xkb_keymap_key_get_syms_by_level(m_keymap.get(), keycode, own, index, &syms);
        return count > 0 ? std::uint32_t{syms[0]} : std::uint32_t{0};
    };
    return {level(0), level(1)};
}

std::optional<std::uint32_t> XkbKeymap::layoutTyping(std::uint32_t keycode, std::uint32_t keysym,
                                                     std::uint32_t preferred) const {
    const auto types = [&](xkb_layout_index_t own) {
        const xkb_level_index_t levels =
            xkb_keymap_num_levels_for_key(m_keymap.get(), keycode, own);
        for (xkb_level_index_t index = 0; index < levels; ++index) {
            const xkb_keysym_t* syms = nullptr;
            const int count =
                xkb_keymap_key_get_syms_by_level(m_keymap.get(), keycode, own, index, &syms);
            for (int i = 0; i < count; ++i) {
                if (syms[i] == keysym) {
                    return true;
                }
            }
        }
        return false;
    };
    std::optional<std::uint32_t> found;
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts(m_keymap.get());
    for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
        const xkb_layout_index_t own = keyLayout(keycode, layout);
        if (own == XKB_LAYOUT_INVALID || !types(own)) {
            continue;
        }
        if (layout == preferred) {
            return layout;
        }
        if (!found) {
            found = layout;
        }
    }
    return found;
}

}  // namespace zobu
