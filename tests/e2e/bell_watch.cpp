// Listens to the X server for bells and prints one line per bell ("bell <server time>"), so
// that end-to-end tests can hear the calculator's beep. Prints "ready" once it listens.
// Runs until it is ended or the X server goes away.
#include <X11/XKBlib.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("bell_watch: cannot open the display\n", stderr);
        return 1;
    }
    int opcode = 0;
    int xkbEvent = 0;
    int xkbError = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &xkbEvent, &xkbError, &major, &minor)) {
        std::fputs("bell_watch: the X server has no XKB extension\n", stderr);
        return 1;
    }
    XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSync(display, False);
    std::puts("ready");
    std::fflush(stdout);

    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != xkbEvent) {
            continue;
        }
        const auto* xkb = reinterpret_cast<const XkbEvent*>(&event);
        if (xkb->any.xkb_type == XkbBellNotify) {
            std::printf("bell %lu\n", xkb->bell.time);
            std::fflush(stdout);
        }
    }
}
