#include "win32_window.h"

#include <imm.h>
#include <windowsx.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "unhandled_failure.h"
#include "utf16.h"

namespace zobu {
namespace {

constexpr wchar_t kWindowClass[] = L"ZobuCalculator";
// A screen reader's press of the label whose layout row is the message's wParam.
constexpr UINT kPressMessage = WM_APP;

void registerClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    // CS_DBLCLKS: Windows marks the second press of a quick pair (GetDoubleClickTime, within
    // SM_CXDOUBLECLK x SM_CYDOUBLECLK), on whichever labels the two presses land.
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadCalculatorIcon(instance, GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = LoadCalculatorIcon(instance, GetSystemMetrics(SM_CXSMICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The platform's face colour, as for push buttons; the labels paint the same.
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error("cannot register the window class");
    }
}

std::int16_t modifierState() noexcept {
    return ShiftState(GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                      GetKeyState(VK_MENU) < 0);
}

POINT clientPoint(LPARAM point) noexcept {
    return {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
}

// Alt or F10 alone would put the window in menu mode and the next keys into its (empty) menu;
// the keyboard stays the calculator's. The mouse opens the menu.
bool keyboardMenu(WPARAM command, LPARAM lParam) noexcept {
    return (command & 0xFFF0) == SC_KEYMENU && lParam == 0;
}

LRESULT staticColours(HDC dc) noexcept {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace

// Until the window is made, and its messages reach this object, Windows' defaults answer.
HWND Win32Window::createWindow(HINSTANCE instance) {
    registerClass(instance, &Win32Window::windowProc);
    const std::wstring title = ToUtf16(kWindowTitle);
    HWND window = CreateWindowExW(kWindowExStyle, kWindowClass, title.c_str(), kWindowStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        throw std::runtime_error("cannot create the calculator's window");
    }
    // No input method: the calculator composes no text, and every key must reach Form_KeyUp
    // as its own virtual-key code, also while a Pinyin input method is in Chinese mode (which
    // would take C and V for itself, and the Esc that closes its window).
    ImmAssociateContextEx(window, nullptr, 0);
    return window;
}

Win32Window::Win32Window(HINSTANCE instance) : m_window(createWindow(instance)) {
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // The size follows the DPI of the monitor Windows has put the window on.
    m_dpi = WindowDpi(m_window);
    m_icons.use(m_window, m_dpi);
    m_labels.create(m_window, instance, m_dpi);
    m_size.madeAt(m_dpi);
    const SIZE outer = m_size.at(m_dpi);
    SetWindowPos(m_window, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_form.Form_Load();
}

void Win32Window::useDpi(UINT dpi) {
    m_dpi = dpi;
    m_icons.use(m_window, dpi);
    m_labels.useDpi(dpi);
}

// The window has a fixed size and no maximise box: a shortcut set to "Run: Maximised", or
// `start /max`, starts it at its normal size. Windows may take the first show's command
// from the starting program instead of from here, so a maximised window is restored too.
void Win32Window::show(int how) noexcept {
    ShowWindow(m_window, how == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : how);
    if (IsZoomed(m_window)) {
        ShowWindow(m_window, SW_RESTORE);
    }
    UpdateWindow(m_window);
}

int Win32Window::run() noexcept {
    MSG message;
    BOOL got;
    // No TranslateMessage: the calculator reads no typed characters, and without them
    // Windows finds no Alt+key menu shortcuts to beep at. Every key acts at its release.
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
        DispatchMessageW(&message);
    }
    return got == -1 ? EXIT_FAILURE : static_cast<int>(message.wParam);
}

void Win32Window::setCaption(std::size_t row, std::string_view text, bool heard) {
    m_labels.setText(row, text, heard);
}

void Win32Window::moveLabel(std::size_t row, const TwipRect& place) {
    m_labels.move(row, place);
}

void Win32Window::setLabelVisible(std::size_t row, bool visible) {
    m_labels.setVisible(row, visible);
}

// The outer height, title bar and borders included, with the frame as it was made.
double Win32Window::windowHeight() const {
    RECT client{};
    GetClientRect(m_window, &client);
    return m_size.outerTwips(client.bottom, m_dpi);
}

void Win32Window::setWindowHeight(double twips) {
    m_size.setOuterTwips(twips);
    const SIZE outer = m_size.at(m_dpi);
    RECT rect{};
    GetWindowRect(m_window, &rect);
    SetWindowPos(m_window, nullptr, 0, 0, rect.right - rect.left, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::beep() {
    MessageBeep(MB_OK);
}

LabelAccess Win32Window::access(std::size_t row) const {
    return m_form.access(row);
}

void Win32Window::press(std::size_t row) {
    PostMessageW(m_window, kPressMessage, row, 0);
}

LRESULT CALLBACK Win32Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        self->m_window.release();  // closed by the user: nothing left to destroy
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return onPress(lParam, message == WM_LBUTTONDBLCLK);
        case WM_LBUTTONUP:
            return onRelease(lParam);
        case kPressMessage:
            return onReaderPress(wParam);
        case WM_CAPTURECHANGED:
            m_pairing.cancel();  // taken away (by a dialog, say): no click
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            onKeyUp(wParam);
            break;  // not taken from Windows: Alt+F4 and the like still work
        case WM_SYSCOMMAND:
            return keyboardMenu(wParam, lParam) ? 0
                                                : DefWindowProcW(m_window, message, wParam, lParam);
        case WM_CTLCOLORSTATIC:
            return staticColours(reinterpret_cast<HDC>(wParam));
        case WM_GETDPISCALEDSIZE:
            *reinterpret_cast<SIZE*>(lParam) = m_size.at(static_cast<UINT>(wParam));
            return TRUE;
        case WM_DPICHANGED:
            return onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

// The label under the press begins a click; the release comes here wherever the pointer
// has gone.
LRESULT Win32Window::onPress(LPARAM point, bool secondOfPair) {
    const std::optional<std::size_t> row = m_labels.labelAt(clientPoint(point));
    if (const std::optional<std::size_t> paired = m_pairing.press(row, secondOfPair)) {
        RunEventHandler([&] { m_form.doubleClick(*paired); });
    } else if (row && !secondOfPair) {
        SetCapture(m_window);
    }
    return 0;
}

// Paired before the capture ends: its end would cancel the press.
LRESULT Win32Window::onRelease(LPARAM point) {
    const std::optional<std::size_t> clicked =
        m_pairing.release(m_labels.labelAt(clientPoint(point)));
    if (GetCapture() == m_window) {
        ReleaseCapture();
    }
    if (clicked) {
        RunEventHandler([&] { m_form.click(*clicked); });
    }
    return 0;
}

// Any program may post it: a row that is no label's is nobody's press.
LRESULT Win32Window::onReaderPress(WPARAM row) {
    if (row < kLabelCount) {
        RunEventHandler([&] { m_form.click(row); });
    }
    return 0;
}

void Win32Window::onKeyUp(WPARAM key) {
    const auto KeyCode = static_cast<std::int16_t>(key);
    const std::int16_t Shift = modifierState();
    RunEventHandler([&] { m_form.Form_KeyUp(KeyCode, Shift); });
}

LRESULT Win32Window::onDpiChanged(UINT dpi, const RECT& suggested) {
    useDpi(dpi);
    const SIZE outer = m_size.at(m_dpi);
    SetWindowPos(m_window, nullptr, suggested.left, suggested.top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

}  // namespace zobu
