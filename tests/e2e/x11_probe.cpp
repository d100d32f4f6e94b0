// Two small X clients for the end-to-end tests.
//   x11_probe bell          prints "ready", then a line per X bell: the calculator's beep heard
//   x11_probe close WINDOW  asks WINDOW to close as a window manager does (WM_DELETE_WINDOW)
#include <X11/XKBlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr || argc < 2) {
        std::fputs("usage: x11_probe bell | close WINDOW (on a reachable display)\n", stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "close") == 0 && argc == 3) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = std::strtoul(argv[2], nullptr, 0);
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
        XCloseDisplay(display);
        return 0;
    }
    int opcode = 0, xkbEvent = 0, xkbError = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &xkbEvent, &xkbError, &major, &minor)) {
        return 1;
    }
    XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSync(display, False);
    std::puts("ready");
    for (std::fflush(stdout);;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == xkbEvent &&
            reinterpret_cast<XkbEvent*>(&event)->any.xkb_type == XkbBellNotify) {
            std::puts("bell");
            std::fflush(stdout);
        }
    }
}
