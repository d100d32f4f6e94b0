// Starts a program and watches the X server for its window: when the window is mapped and
// when its pixels stop changing (the first complete frame). Then reads the program's CPU
// time and memory from /proc, ends it and prints one JSON line. Used by bench/startup.
//
//   startup_probe QUIET_MS TIMEOUT_MS PROGRAM [ARGS...]
//
// The probe must be the only client creating top-level windows on its display.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
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

// User + system CPU time of the process, in milliseconds.
double cpuMs(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(in, stat);
    std::istringstream rest(stat.substr(stat.rfind(')') + 2));
    std::string field;
    long utime = 0;
    long stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) {
            utime = std::stol(field);
        } else if (i == 15) {
            stime = std::stol(field);
        }
    }
    return 1000.0 * static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_probe QUIET_MS TIMEOUT_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const double quietMs = std::atof(argv[1]);
    const double timeoutMs = std::atof(argv[2]);

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "startup_probe: cannot open the display\n");
        return 2;
    }
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "startup_probe: the X server has no DAMAGE extension\n");
        return 2;
    }
    const Window root = XDefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(XConnectionNumber(display));
        execvp(argv[3], argv + 3);
        _exit(127);
    }

    double mappedMs = -1;
    double lastDamageMs = -1;
    int damageCount = 0;
    Window window = 0;
    bool timedOut = false;
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && window == 0 && !event.xmap.override_redirect) {
                window = event.xmap.window;
                mappedMs = msSince(start);
                XDamageCreate(display, window, XDamageReportRawRectangles);
            } else if (event.type == damageEvent + XDamageNotify) {
                lastDamageMs = msSince(start);
                ++damageCount;
            }
        }
        const double now = msSince(start);
        if (lastDamageMs >= 0 && now - lastDamageMs >= quietMs) {
            break;
        }
        if (now >= timeoutMs) {
            timedOut = true;
            break;
        }
        pollfd fd{XConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 5);
    }

    const double cpu = cpuMs(pid);
    const long rss = smapsField(pid, "Rss:");
    const long pss = smapsField(pid, "Pss:");
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    XCloseDisplay(display);

    std::printf(
        "{\"mapped_ms\": %.2f, \"frame_ms\": %.2f, \"damage_events\": %d, \"cpu_ms\": %.1f, "
        "\"rss_kib\": %ld, \"pss_kib\": %ld, \"timed_out\": %s}\n",
        mappedMs, lastDamageMs, damageCount, cpu, rss, pss, timedOut ? "true" : "false");
    return timedOut ? 1 : 0;
}
