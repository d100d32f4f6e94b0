// The program on Windows: creates the calculator's window, which runs its load step, shows it
// and runs its messages until it is closed.
#include <windows.h>

#include <cstdlib>

#include "dpi.h"
#include "unhandled_failure.h"
#include "win32_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    // Before the first window: its twips are measured at its own monitor's DPI.
    zobu::EnablePerMonitorDpi();
    int status = EXIT_FAILURE;
    zobu::RunEventHandler([&] {
        zobu::Win32Window window(instance);
        window.show(show);
        status = window.run();
    });
    return status;
}
