#include "x11_keymap.h"

#include <QByteArray>
#include <QGuiApplication>

#include <xkbcommon/xkbcommon-x11.h>

namespace zobu {
namespace {

// XKB's kinds of event, as <xcb/xkb.h> numbers them (a header C++ cannot include).
constexpr std::uint8_t kXkbNewKeyboardNotify = 0;
constexpr std::uint8_t kXkbMapNotify = 1;

}  // namespace

X11Keymap::X11Keymap() {
#if QT_CONFIG(xcb)
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    m_connection = x11->connection();
    qGuiApp->installNativeEventFilter(this);
#endif
}

void X11Keymap::read() {
    std::uint8_t eventBase = 0;
    if (m_xkbEventBase < 0 &&
        xkb_x11_setup_xkb_extension(
            m_connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &eventBase, nullptr) != 0) {
        m_xkbEventBase = eventBase;
    }
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
    xkb_keymap* keymap = xkb_x11_keymap_new_from_device(
        context, m_connection, xkb_x11_get_core_keyboard_device_id(m_connection),
        XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_context_unref(context);
    m_keymap.reset();
    if (keymap != nullptr) {
        m_keymap.emplace(keymap);
    }
    m_stale = false;
}

KeyLevels X11Keymap::levels(const KeyEventData& event) {
    if (m_connection == nullptr) {
        return {};
    }
    if (m_stale) {
        read();
    }
    // The group is in bits 13 and 14 of an X event's state.
    return m_keymap ? m_keymap->levels(event.nativeScanCode, (event.nativeModifiers >> 13) & 3)
                    : KeyLevels{};
}

bool X11Keymap::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    // Qt reads the X connection and keeps its own keymap: this one is dropped when a
    // notification of a new one passes by. An xcb event starts with its type; an XKB event
    // follows it with its own kind.
    const auto* bytes = static_cast<const std::uint8_t*>(message);
    const int type = bytes[0] & 0x7f;
    if (type == XCB_MAPPING_NOTIFY ||
        (type == m_xkbEventBase &&
         (bytes[1] == kXkbNewKeyboardNotify || bytes[1] == kXkbMapNotify))) {
        m_stale = true;
    }
    return false;
}

}  // namespace zobu
