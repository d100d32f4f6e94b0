#include "x11_auto_repeat.h"

#include <QGuiApplication>

// Xlib's headers define None, Bool, KeyPress and friends as macros: they stay in this file.
#if QT_CONFIG(xcb) && defined(ZOBU_HAVE_XLIB)
#include <X11/XKBlib.h>
#endif

namespace zobu {

bool requestDetectableAutoRepeat() {
#if QT_CONFIG(xcb) && defined(ZOBU_HAVE_XLIB)
    if (qGuiApp == nullptr) {
        return false;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) {
        return false;
    }
    Bool supported = False;
    return XkbSetDetectableAutoRepeat(x11->display(), True, &supported) != False &&
           supported != False;
#else
    return false;
#endif
}

}  // namespace zobu
