#include "wayland_keymap.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstring>

namespace zobu {

void WaylandLayouts::setKeymap(std::string_view text) {
    m_keymap.reset();
    // A keymap sent as text includes nothing: no include path is looked at.
    xkb_context* context = xkb_context_new(static_cast<xkb_context_flags>(
        XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
    if (context == nullptr) {
        return;
    }
    xkb_keymap* keymap = xkb_keymap_new_from_buffer(
        context, text.data(), text.size(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_context_unref(context);
    if (keymap != nullptr) {
        m_keymap.emplace(keymap);
    }
}

KeyLevels WaylandLayouts::levels(std::uint32_t keycode, std::uint32_t keysym) {
    const std::optional<std::uint32_t> layout =
        m_keymap ? m_keymap->layoutTyping(keycode, keysym, m_layout) : std::nullopt;
    if (!layout) {
        return {};
    }
    m_layout = *layout;
    return m_keymap->levels(keycode, m_layout);
}

// The seat's keyboard, bound only for its keymap: without a window this connection is never
// sent keys or modifiers. A compositor sends the keymap when the keyboard is bound and again
// whenever the seat's keyboard or its keymap changes.
struct WaylandKeymap::Connection {
    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_seat* seat = nullptr;
    wl_keyboard* keyboard = nullptr;
    WaylandLayouts* layouts = nullptr;

    template <typename... Args>
    static void ignore(void*, Args...) {}

    static void keymap(void* data, wl_keyboard*, std::uint32_t format, std::int32_t fd,
                       std::uint32_t size) {
        void* text = format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1
                         ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0)
                         : MAP_FAILED;
        if (text != MAP_FAILED) {
            const auto* chars = static_cast<const char*>(text);
            static_cast<Connection*>(data)->layouts->setKeymap({chars, strnlen(chars, size)});
            munmap(text, size);
        }
        close(fd);
    }

    static constexpr wl_keyboard_listener kKeyboard{keymap, ignore, ignore, ignore, ignore, ignore};

    static void capabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
        auto& c = *static_cast<Connection*>(data);
        const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
        if (keyboard && c.keyboard == nullptr) {
            c.keyboard = wl_seat_get_keyboard(seat);
            wl_keyboard_add_listener(c.keyboard, &kKeyboard, &c);
        } else if (!keyboard && c.keyboard != nullptr) {
            wl_keyboard_destroy(c.keyboard);
            c.keyboard = nullptr;
        }
    }

    static constexpr wl_seat_listener kSeat{capabilities, ignore};

    // The first seat: the one a desktop has, and Qt's first.
    static void global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t) {
        auto& c = *static_cast<Connection*>(data);
        if (c.seat == nullptr && std::strcmp(interface, wl_seat_interface.name) == 0) {
            c.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
            wl_seat_add_listener(c.seat, &kSeat, &c);
        }
    }

    static constexpr wl_registry_listener kRegistry{global, ignore};
};

void WaylandKeymap::Close::operator()(Connection* c) const {
    if (c->keyboard != nullptr) {
        wl_keyboard_destroy(c->keyboard);
    }
    if (c->seat != nullptr) {
        wl_seat_destroy(c->seat);
    }
    if (c->registry != nullptr) {
        wl_registry_destroy(c->registry);
    }
    wl_display_disconnect(c->display);
    delete c;
}

WaylandKeymap::WaylandKeymap() = default;
WaylandKeymap::~WaylandKeymap() = default;

KeyLevels WaylandKeymap::levels(const KeyEventData& event) {
    if (!m_tried) {
        m_tried = true;
        if (wl_display* display = wl_display_connect(nullptr)) {
            m_connection.reset(new Connection{display, wl_display_get_registry(display), nullptr,
                                              nullptr, &m_layouts});
            wl_registry_add_listener(m_connection->registry, &Connection::kRegistry,
                                     m_connection.get());
            // The seat's announcement, then its keyboard's; the keymap comes below.
            wl_display_roundtrip(display);
            wl_display_roundtrip(display);
        }
    }
    // The compositor answers this after whatever it sent before the key, a new keymap
    // included, so the key is read in the keymap it was typed in.
    if (m_connection && wl_display_roundtrip(m_connection->display) < 0) {
        m_connection.reset();
    }
    return m_layouts.levels(event.nativeScanCode, event.nativeVirtualKey);
}

}  // namespace zobu
