// The Windows window in its own process, where a reader from outside cannot look: no input
// method, the help panel's face at 192 DPI, and a change of DPI, which Wine never sends.
// Prints each failed check and ends with "N failed".
#include <windows.h>

#include <imm.h>

#include <cstdio>

#include "dpi.h"
#include "outer_height.h"
#include "win32_window.h"

namespace {

int g_failed = 0;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::printf("FAILED: %s\n", what);
        ++g_failed;
    }
}

// The client area's height in twips at `dpi`: the outer height less the frame that Windows
// draws at that DPI (Wine keeps drawing it at the system's).
double ClientTwips(HWND window, UINT dpi) {
    RECT outer{};
    GetWindowRect(window, &outer);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const int frame = zobu::OuterSize({0, 0}, style, exStyle, dpi).cy;
    return zobu::PixelsToTwips(outer.bottom - outer.top - frame, dpi);
}

// Whether the shown help panel's 13 lines, in its own font, fit it.
bool HelpFits(HWND window) {
    RECT room{};
    GetClientRect(window, &room);
    HWND panel =
        ChildWindowFromPointEx(window, {room.right / 2, room.bottom / 2}, CWP_SKIPINVISIBLE);
    wchar_t text[2048]{};
    GetWindowTextW(panel, text, 2048);
    GetClientRect(panel, &room);
    HDC dc = GetDC(panel);
    HGDIOBJ before =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(panel, WM_GETFONT, 0, 0)));
    RECT need{};
    const int height = DrawTextW(dc, text, -1, &need, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    TEXTMETRICW line{};
    GetTextMetricsW(dc, &line);
    SelectObject(dc, before);
    ReleaseDC(panel, dc);
    return height == 13 * line.tmHeight && need.right <= room.right && need.bottom <= room.bottom;
}

}  // namespace

int main() {
    zobu::EnablePerMonitorDpi();
    zobu::Win32Window window(GetModuleHandleW(nullptr));
    window.show(SW_SHOWNORMAL);
    HWND handle = FindWindowW(L"ZobuCalculator", nullptr);
    const auto release = [handle](WPARAM key) { SendMessageW(handle, WM_KEYUP, key, 0); };
    Check(zobu::WindowDpi(handle) == 192, "the window is drawn at 192 DPI");
    Check(ImmGetContext(handle) == nullptr, "the window has no input context");
    release(VK_F1);
    Check(HelpFits(handle), "the first F1 chooses a face in which the help panel's lines fit");
    release(VK_F1);

    release(VK_SPACE);
    const double folded = ClientTwips(handle, 192);
    RECT suggested{};
    GetWindowRect(handle, &suggested);
    SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    // A pixel at 96 DPI is 15 twips: the folded height keeps to within one.
    const double refolded = ClientTwips(handle, 96);
    Check(refolded > folded - 15 && refolded < folded + 15,
          "a change of DPI keeps the folded height");
    release(VK_SPACE);
    Check(ClientTwips(handle, 96) == zobu::kClientHeightTwips, "and unfolds to the full height");
    std::printf("%d failed\n", g_failed);
    return g_failed == 0 ? 0 : 1;
}
