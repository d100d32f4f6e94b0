// The program on Windows: creates the calculator's window, runs its load step, shows it and
// runs its messages until it is closed.
#include <windows.h>

#include <cstdlib>

#include "dpi.h"
#include "frm_a.h"
#include "unhandled_failure.h"
#include "win32_clipboard.h"
#include "win32_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    // Before the first window: its twips are measured at its own monitor's DPI.
    zobu::EnablePerMonitorDpi();
    int status = EXIT_FAILURE;
    zobu::RunEventHandler([&] {
        zobu::Win32Window window(instance);
        zobu::Win32Clipboard clipboard(window.handle());
        zobu::frmA form(window, clipboard);
        form.Form_Load();
        window.setEvents({[&form](std::size_t row) { form.click(row); },
                          [&form](std::size_t row) { form.doubleClick(row); },
                          [&form](std::int16_t KeyCode, std::int16_t Shift) {
                              form.Form_KeyUp(KeyCode, Shift);
                          }});
        window.show(show);
        status = window.run();
    });
    return status;
}
