// The Windows window in its own process, where a reader from outside cannot look: no input
// method, no screen reader's objects in a multithreaded apartment, the help panel's face at
// 192 DPI, and a change of DPI, which Wine never sends; with "refused", a start that fails
// after the window exists. Prints each failed check and "N failed".
#include <windows.h>

#include <imm.h>
#include <objbase.h>

#include <cstdio>
#include <string_view>

#include "dpi.h"
#include "outer_height.h"
#include "unhandled_failure.h"
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

// A start that fails after the window exists: Windows refuses the labels of the calculator's
// window, as it would with no handles left.
LRESULT CALLBACK RefuseLabels(int code, WPARAM window, LPARAM created) {
    wchar_t parent[32]{};
    if (code == HCBT_CREATEWND) {
        GetClassNameW(reinterpret_cast<CBT_CREATEWNDW*>(created)->lpcs->hwndParent, parent, 32);
        return std::wstring_view(parent) == L"ZobuCalculator";
    }
    return CallNextHookEx(nullptr, code, window, created);
}

// The failure's message box, once its loop runs, shows why, stays until it is answered (here),
// and the window has gone with its object.
LRESULT CALLBACK AnswerFailureBox(int code, WPARAM filter, LPARAM message) {
    HWND box = GetAncestor(reinterpret_cast<MSG*>(message)->hwnd, GA_ROOT);
    wchar_t said[512]{};
    GetDlgItemTextW(box, 0xFFFF, said, 512);  // the message box's text
    MSG quit;
    Check(IsWindowVisible(box) && std::wstring_view(said).ends_with(L"cannot create the "
                                                                    L"calculator's labels"),
          "the failure box shows why");
    Check(!PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE), "and stays");
    Check(FindWindowW(L"ZobuCalculator", nullptr) == nullptr, "the window went with it");
    std::printf("%d failed\n", g_failed);
    std::fflush(stdout);
    EndDialog(box, IDOK);
    return CallNextHookEx(nullptr, code, filter, message);
}

}  // namespace

int main(int argc, char* argv[]) {
    zobu::EnablePerMonitorDpi();
    if (argc > 1 && std::string_view(argv[1]) == "refused") {  // ends with status 1
        SetWindowsHookExW(WH_CBT, &RefuseLabels, nullptr, GetCurrentThreadId());
        SetWindowsHookExW(WH_MSGFILTER, &AnswerFailureBox, nullptr, GetCurrentThreadId());
        zobu::RunEventHandler([] { zobu::Win32Window window(GetModuleHandleW(nullptr)); });
    }
    // A thread already in the multithreaded apartment: a reader may not call the labels.
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    zobu::Win32Window window(GetModuleHandleW(nullptr));
    window.show(SW_SHOWNORMAL);
    HWND handle = FindWindowW(L"ZobuCalculator", nullptr);
    const auto release = [handle](WPARAM key) { SendMessageW(handle, WM_KEYUP, key, 0); };
    Check(zobu::WindowDpi(handle) == 192, "the window is drawn at 192 DPI");
    Check(ImmGetContext(handle) == nullptr, "the window has no input context");
    Check(SendMessageW(FindWindowExW(handle, nullptr, L"STATIC", nullptr), WM_GETOBJECT, 0,
                       OBJID_CLIENT) == 0,
          "in the multithreaded apartment the labels stay plain statics");
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
