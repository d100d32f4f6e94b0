// The Windows window in its own process, where a reader from outside cannot look: no input
// method, the help panel's face at a high DPI, and a change of DPI that Wine never sends.
// Run at 192 DPI. Prints each failed check and ends with "N passed, N failed".
#include <windows.h>

#include <imm.h>

#include <cstdio>
#include <string>

#include "dpi.h"
#include "help_text.h"
#include "outer_height.h"
#include "utf16.h"
#include "win32_window.h"

namespace {

int g_passed = 0;
int g_failed = 0;

void Check(bool ok, const char* what) {
    ++(ok ? g_passed : g_failed);
    if (!ok) {
        std::printf("FAILED: %s\n", what);
    }
}

HWND LabelWithText(HWND window, const std::wstring& text) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t shown[2048]{};
        GetWindowTextW(child, shown, 2048);
        if (text == shown) {
            return child;
        }
    }
    return nullptr;
}

// The client area's height in twips at `dpi`: the outer height less the frame that Windows
// draws at that DPI (Wine keeps drawing it at the system's).
double ClientTwips(HWND window, unsigned dpi) {
    RECT outer{};
    GetWindowRect(window, &outer);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const int frame = zobu::OuterSize({0, 0}, style, exStyle, dpi).cy;
    return zobu::PixelsToTwips(outer.bottom - outer.top - frame, dpi);
}

// Whether the panel's text, in the panel's own font, fits the panel.
bool HelpFits(HWND panel, const std::wstring& text) {
    RECT room{};
    GetClientRect(panel, &room);
    HDC dc = GetDC(panel);
    auto* font = reinterpret_cast<HFONT>(SendMessageW(panel, WM_GETFONT, 0, 0));
    HGDIOBJ before = SelectObject(dc, font);
    RECT need{};
    DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, before);
    ReleaseDC(panel, dc);
    return need.right <= room.right && need.bottom <= room.bottom;
}

}  // namespace

int main() {
    zobu::EnablePerMonitorDpi();
    zobu::Win32Window window(GetModuleHandleW(nullptr));
    window.show(SW_SHOWNORMAL);
    const HWND handle = FindWindowW(L"ZobuCalculator", nullptr);
    const auto release = [handle](WPARAM key) { SendMessageW(handle, WM_KEYUP, key, 0); };
    Check(zobu::WindowDpi(handle) == 192, "the window is drawn at 192 DPI");
    Check(ImmGetContext(handle) == nullptr, "the window has no input context");

    const std::wstring help = zobu::ToUtf16(zobu::HelpText());
    const HWND panel = LabelWithText(handle, help);
    const LRESULT lineFont = panel != nullptr ? SendMessageW(panel, WM_GETFONT, 0, 0) : 0;
    release(VK_F1);
    Check(panel != nullptr && SendMessageW(panel, WM_GETFONT, 0, 0) != lineFont,
          "the first F1 chooses the help panel's face");
    Check(panel != nullptr && HelpFits(panel, help), "the help panel's 13 lines fit it at 192 DPI");
    release(VK_F1);

    release(VK_SPACE);
    const double folded = ClientTwips(handle, 192);
    RECT suggested{};
    GetWindowRect(handle, &suggested);
    SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    // Wine's DPI for the window stays the system's: the message's is the one to measure at. A
    // pixel at 96 DPI is 15 twips: the heights keep to within one.
    const double refolded = ClientTwips(handle, 96);
    Check(refolded > folded - 15 && refolded < folded + 15,
          "a change of DPI keeps the folded height");
    release(VK_SPACE);
    Check(ClientTwips(handle, 96) == zobu::kClientHeightTwips, "and unfolds to the full height");
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
