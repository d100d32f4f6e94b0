// Starts a program and watches the X server for its window: when the window is mapped and
// when its pixels stop changing (the first complete frame). Then reads the program's CPU
// time and memory from /proc, ends it and prints one JSON line. Used by bench/startup.
//
//   startup_probe [--f1] QUIET_MS TIMEOUT_MS PROGRAM [ARGS...]
//
// With --f1, once the first frame is complete the probe gives the window the keyboard and
// presses F1 three times through XTEST (help panel shown, hidden, shown again), timing each
// from the key's release to the window's last change, and reads the memory again after the
// first. The probe must be the only client creating top-level windows on its display.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// "Rss:" / "Pss:" lines of smaps_rollup, in KiB.
long smapsField(pid_t pid, const std::string& field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::strtol(line.c_str() + field.size(), nullptr, 10);
        }
    }
    return -1;
}

// CPU time of the process so far, all its threads, in milliseconds: the scheduler's own
// count in nanoseconds, which a busy machine does not inflate as it does wall time.
double cpuMs(pid_t pid) {
    double total = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream in(task.path() / "schedstat");
        double ns = 0;
        in >> ns;
        total += ns / 1e6;
    }
    return total;
}

// What the probe has seen of the program's window; times in ms from the program's start.
struct Watch {
    Display* display = nullptr;
    int damageEvent = 0;
    Clock::time_point start;
    Window window = 0;
    double mappedMs = -1;
    double lastDamageMs = -1;
    int damageCount = 0;
};

void readEvents(Watch& w) {
    while (XPending(w.display) > 0) {
        XEvent event;
        XNextEvent(w.display, &event);
        if (event.type == MapNotify && w.window == 0 && !event.xmap.override_redirect) {
            w.window = event.xmap.window;
            w.mappedMs = msSince(w.start);
            XDamageCreate(w.display, w.window, XDamageReportRawRectangles);
        } else if (event.type == w.damageEvent + XDamageNotify) {
            w.lastDamageMs = msSince(w.start);
            ++w.damageCount;
        }
    }
}

// Waits until the window has changed after `sinceMs` and then stayed unchanged for `quietMs`.
// False once `untilMs` has passed without that.
bool waitQuiet(Watch& w, double sinceMs, double quietMs, double untilMs) {
    for (;;) {
        readEvents(w);
        const double now = msSince(w.start);
        if (w.lastDamageMs >= sinceMs && now - w.lastDamageMs >= quietMs) {
            return true;
        }
        if (now >= untilMs) {
            return false;
        }
        pollfd fd{XConnectionNumber(w.display), POLLIN, 0};
        poll(&fd, 1, 5);
    }
}

// Presses and lets go F1 in the window; ms from the release to the window's last change, or
// -1 when it does not change.
double timeF1(Watch& w, double quietMs, double timeoutMs) {
    const KeyCode f1 = XKeysymToKeycode(w.display, XK_F1);
    XTestFakeKeyEvent(w.display, f1, True, CurrentTime);
    XSync(w.display, False);
    const double releaseMs = msSince(w.start);
    XTestFakeKeyEvent(w.display, f1, False, CurrentTime);
    XFlush(w.display);
    if (!waitQuiet(w, releaseMs, quietMs, releaseMs + timeoutMs)) {
        return -1;
    }
    return w.lastDamageMs - releaseMs;
}

}  // namespace

int main(int argc, char** argv) {
    const bool f1 = argc > 1 && std::string(argv[1]) == "--f1";
    argv += f1 ? 1 : 0;
    argc -= f1 ? 1 : 0;
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_probe [--f1] QUIET_MS TIMEOUT_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const double quietMs = std::atof(argv[1]);
    const double timeoutMs = std::atof(argv[2]);

    Watch w;
    w.display = XOpenDisplay(nullptr);
    if (w.display == nullptr) {
        std::fprintf(stderr, "startup_probe: cannot open the display\n");
        return 2;
    }
    int damageError = 0;
    int xtest[4] = {};
    if (!XDamageQueryExtension(w.display, &w.damageEvent, &damageError) ||
        !XTestQueryExtension(w.display, &xtest[0], &xtest[1], &xtest[2], &xtest[3])) {
        std::fprintf(stderr, "startup_probe: the X server lacks DAMAGE or XTEST\n");
        return 2;
    }
    XSelectInput(w.display, XDefaultRootWindow(w.display), SubstructureNotifyMask);
    XSync(w.display, False);

    w.start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(XConnectionNumber(w.display));
        execvp(argv[3], argv + 3);
        _exit(127);
    }

    const bool timedOut = !waitQuiet(w, 0, quietMs, timeoutMs);
    const double frameMs = w.lastDamageMs;
    const double cpu = cpuMs(pid);
    const long rss = smapsField(pid, "Rss:");
    const long pss = smapsField(pid, "Pss:");
    std::string f1Fields;
    if (f1 && !timedOut) {
        XSetInputFocus(w.display, w.window, RevertToPointerRoot, CurrentTime);
        const double first = timeF1(w, quietMs, timeoutMs);
        const double afterFirst = cpuMs(pid);
        const long pssAfter = smapsField(pid, "Pss:");
        const double hide = timeF1(w, quietMs, timeoutMs);
        const double beforeAgain = cpuMs(pid);
        const double again = timeF1(w, quietMs, timeoutMs);
        char text[256];
        std::snprintf(text, sizeof text,
                      ", \"f1_first_ms\": %.2f, \"f1_first_cpu_ms\": %.2f, \"f1_hide_ms\": %.2f, "
                      "\"f1_again_ms\": %.2f, \"f1_again_cpu_ms\": %.2f, \"f1_pss_kib\": %ld",
                      first, afterFirst - cpu, hide, again, cpuMs(pid) - beforeAgain, pssAfter);
        f1Fields = text;
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    XCloseDisplay(w.display);

    std::printf(
        "{\"mapped_ms\": %.2f, \"frame_ms\": %.2f, \"damage_events\": %d, \"cpu_ms\": %.2f, "
        "\"rss_kib\": %ld, \"pss_kib\": %ld%s, \"timed_out\": %s}\n",
        w.mappedMs, frameMs, w.damageCount, cpu, rss, pss, f1Fields.c_str(),
        timedOut ? "true" : "false");
    return timedOut ? 1 : 0;
}
