#include "x11_keymap.h"

#include <QByteArray>
#include <QGuiApplication>

// Xlib's headers define None, Bool, KeyPress and friends as macros: they stay in this file.
#if QT_CONFIG(xcb) && defined(ZOBU_HAVE_XLIB)
#include <X11/XKBlib.h>
#define ZOBU_X11_KEYMAP 1
#endif

namespace zobu {

#ifdef ZOBU_X11_KEYMAP

namespace {

constexpr std::uint8_t kCoreMappingNotify = 34;

struct FreeKeymap {
    void operator()(XkbDescPtr keymap) const {
        XkbFreeKeyboard(keymap, XkbAllComponentsMask, True);
    }
};

}  // namespace

int EffectiveGroup(int groups, unsigned char info, int group) {
    if (group < groups) {
        return group;
    }
    switch (XkbOutOfRangeGroupAction(info)) {
        case XkbClampIntoRange:
            return groups - 1;
        case XkbRedirectIntoRange: {
            const int redirected = XkbOutOfRangeGroupNumber(info);
            return redirected < groups ? redirected : 0;
        }
        default:
            return group % groups;
    }
}

// Qt reads the X connection through xcb, so Xlib never sees the notifications that would
// refresh its own copy of the keymap: this one keeps its own and drops it when one passes by.
struct X11Keymap::Impl {
    Display* display = nullptr;
    int xkbEventBase = -1;
    std::unique_ptr<XkbDescRec, FreeKeymap> keymap;
    bool stale = true;

    XkbDescPtr current() {
        if (stale) {
            keymap.reset(XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd));
            stale = false;
        }
        return keymap.get();
    }
};

X11Keymap::X11Keymap() : m_impl(std::make_unique<Impl>()) {
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    if (x11 == nullptr || x11->display() == nullptr) {
        return;
    }
    int opcode = 0;
    int errorBase = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (XkbQueryExtension(x11->display(), &opcode, &m_impl->xkbEventBase, &errorBase, &major,
                          &minor) == False) {
        return;
    }
    m_impl->display = x11->display();
    qGuiApp->installNativeEventFilter(this);
}

X11Keymap::~X11Keymap() = default;

KeyLevels X11Keymap::levels(std::uint32_t keycode, std::uint32_t state) {
    if (m_impl->display == nullptr) {
        return {};
    }
    const XkbDescPtr keymap = m_impl->current();
    if (keymap == nullptr || keycode < keymap->min_key_code || keycode > keymap->max_key_code ||
        XkbKeyNumGroups(keymap, keycode) == 0) {
        return {};
    }
    const int group = EffectiveGroup(XkbKeyNumGroups(keymap, keycode),
                                     XkbKeyGroupInfo(keymap, keycode), XkbGroupForCoreState(state));
    const int width = XkbKeyGroupWidth(keymap, keycode, group);
    const auto level = [&](int shift) {
        return shift < width
                   ? static_cast<std::uint32_t>(XkbKeySymEntry(keymap, keycode, shift, group))
                   : std::uint32_t{0};
    };
    return {level(0), level(1)};
}

bool X11Keymap::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (m_impl->display == nullptr || eventType != "xcb_generic_event_t") {
        return false;
    }
    // An xcb event starts with its type; an XKB event follows it with its own kind.
    const auto* bytes = static_cast<const std::uint8_t*>(message);
    const int type = bytes[0] & 0x7f;
    if (type == kCoreMappingNotify ||
        (type == m_impl->xkbEventBase &&
         (bytes[1] == XkbNewKeyboardNotify || bytes[1] == XkbMapNotify))) {
        m_impl->stale = true;
    }
    return false;
}

#else

struct X11Keymap::Impl {};

X11Keymap::X11Keymap() = default;
X11Keymap::~X11Keymap() = default;

KeyLevels X11Keymap::levels(std::uint32_t, std::uint32_t) {
    return {};
}

bool X11Keymap::nativeEventFilter(const QByteArray&, void*, qintptr*) {
    return false;
}

#endif

}  // namespace zobu
