#include "win32_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>

#include "dpi.h"
#include "icon_resource.h"
#include "unhandled_failure.h"
#include "utf16.h"

namespace zobu {
namespace {

constexpr wchar_t kWindowClass[] = L"ZobuCalculator";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = 0;
// Control ids of the labels: the layout row plus this.
constexpr int kFirstLabelId = 100;

DWORD alignmentStyle(TextAlign align) {
    switch (align) {
        case TextAlign::Left:
            // The help panel's lines end where its text says, never where a wider stand-in
            // font would wrap them (a wrapped rule pushes the last lines out of the panel).
            return SS_LEFTNOWORDWRAP;
        case TextAlign::Right:
            return SS_RIGHT;
        case TextAlign::Center:
            break;
    }
    return SS_CENTER;
}

// Static controls: no focus ever, their text is what screen readers read, and SS_NOTIFY
// gives clicks and double-clicks to those that have something to do with them; the others
// let the mouse through to the window, which ignores it. SS_NOPREFIX: an "&" is shown as is.
DWORD labelStyle(const LabelSpec& row) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | SS_NOPREFIX | alignmentStyle(row.align);
    if (row.visible) {
        style |= WS_VISIBLE;
    }
    if (row.border) {
        style |= WS_BORDER;
    }
    if (row.click != WindowAction::None || row.doubleClick != WindowAction::None ||
        *row.tooltip != '\0') {
        style |= SS_NOTIFY;
    }
    return style;
}

HICON loadIcon(HINSTANCE instance, int metric) {
    const int size = GetSystemMetrics(metric);
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR));
}

void registerClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = loadIcon(instance, SM_CXICON);
    windowClass.hIconSm = loadIcon(instance, SM_CXSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The platform's face colour, as for push buttons; the labels paint the same.
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error("cannot register the window class");
    }
}

std::int16_t modifierState() noexcept {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        shift |= 1;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        shift |= 2;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= 4;
    }
    return static_cast<std::int16_t>(shift);
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance) {
    registerClass(instance, &Win32Window::windowProc);
    const std::wstring title = ToUtf16(kWindowTitle);
    m_window = CreateWindowExW(kWindowExStyle, kWindowClass, title.c_str(), kWindowStyle,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                               nullptr, instance, this);
    if (m_window == nullptr) {
        throw std::runtime_error("cannot create the calculator's window");
    }
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        const LabelSpec& laidOut = kLayout[row];
        m_places[row] = {laidOut.left, laidOut.top, laidOut.width, laidOut.height};
    }
    createLabels(instance);
    createTooltips(instance);

    // The size follows the DPI of the monitor Windows has put the window on.
    m_dpi = WindowDpi(m_window);
    useDpi(m_dpi);
    const SIZE outer = OuterSize({pixels(kClientWidthTwips), pixels(kClientHeightTwips)},
                                 kWindowStyle, kWindowExStyle, m_dpi);
    SetWindowPos(m_window, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32Window::~Win32Window() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

void Win32Window::createLabels(HINSTANCE instance) {
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        const LabelSpec& laidOut = kLayout[row];
        const std::wstring caption = ToUtf16(laidOut.caption);
        const auto id = static_cast<INT_PTR>(kFirstLabelId + static_cast<int>(row));
        m_labels[row] =
            CreateWindowExW(0, L"STATIC", caption.c_str(), labelStyle(laidOut), 0, 0, 0, 0,
                            m_window, reinterpret_cast<HMENU>(id), instance, nullptr);
        if (m_labels[row] == nullptr) {
            throw std::runtime_error("cannot create the calculator's labels");
        }
    }
    // The help panel lies over every label: it hides them and takes every click inside it.
    SetWindowPos(m_labels[LayoutRow(LabelName::lblHelp)], HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Window::createTooltips(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    m_tooltips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr, instance, nullptr);
    if (m_tooltips == nullptr) {
        return;  // the calculator works without its tooltips
    }
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        if (*kLayout[row].tooltip == '\0') {
            continue;
        }
        std::wstring text = ToUtf16(kLayout[row].tooltip);
        TTTOOLINFOW tool{};
        // The size the tooltips of every comctl32 version accept.
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.uId = reinterpret_cast<UINT_PTR>(m_labels[row]);
        tool.lpszText = text.data();
        SendMessageW(m_tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

int Win32Window::pixels(double twips) const noexcept {
    return TwipsToPixels(twips, m_dpi);
}

// Fonts and places for a (new) DPI. Edges are rounded, not sizes, so that labels that touch
// in twips touch in pixels.
void Win32Window::useDpi(UINT dpi) {
    m_dpi = dpi;
    const TwipRect& say = m_places[LayoutRow(LabelName::lblSay)];
    const int border = 2 * GetSystemMetrics(SM_CXBORDER);
    m_fonts.create(dpi, pixels(say.left + say.width) - pixels(say.left) - border);
    // The tips are Chinese: they get the Chinese labels' font, wherever the system's tip
    // font lacks the characters.
    if (m_tooltips != nullptr) {
        SendMessageW(m_tooltips, WM_SETFONT,
                     reinterpret_cast<WPARAM>(m_fonts.font(FontRole::Chinese)), FALSE);
    }
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        SendMessageW(m_labels[row], WM_SETFONT,
                     reinterpret_cast<WPARAM>(m_fonts.font(kLayout[row].font)), FALSE);
        placeLabel(row);
    }
}

void Win32Window::placeLabel(std::size_t row) {
    const TwipRect& place = m_places[row];
    const int left = pixels(place.left);
    const int top = pixels(place.top);
    MoveWindow(m_labels[row], left, top, pixels(place.left + place.width) - left,
               pixels(place.top + place.height) - top, TRUE);
}

void Win32Window::show(int how) noexcept {
    ShowWindow(m_window, how);
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

void Win32Window::setCaption(std::size_t row, std::string_view text) {
    SetWindowTextW(m_labels.at(row), ToUtf16(text).c_str());
}

void Win32Window::moveLabel(std::size_t row, const TwipRect& place) {
    m_places.at(row) = place;
    placeLabel(row);
}

void Win32Window::setLabelVisible(std::size_t row, bool visible) {
    ShowWindow(m_labels.at(row), visible ? SW_SHOWNA : SW_HIDE);
}

// The outer height, title bar and borders included, as the window's frame really is.
double Win32Window::windowHeight() const {
    RECT rect{};
    GetWindowRect(m_window, &rect);
    return PixelsToTwips(rect.bottom - rect.top, m_dpi);
}

void Win32Window::setWindowHeight(double twips) {
    RECT rect{};
    GetWindowRect(m_window, &rect);
    SetWindowPos(m_window, nullptr, 0, 0, rect.right - rect.left, std::max(0, pixels(twips)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::beep() {
    MessageBeep(MB_OK);
}

LRESULT CALLBACK Win32Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY && self != nullptr) {
        self->m_window = nullptr;  // closed by the user: nothing left to destroy
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    // Until CreateWindowExW returns, the window is still being made: Windows' defaults.
    if (self == nullptr || self->m_window == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (labelCommand(wParam)) {
                return 0;
            }
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            keyReleased(wParam);
            break;  // not taken from Windows: Alt+F4 and the like still work
        case WM_SYSCOMMAND:
            // Alt or F10 alone would put the window in menu mode and the next keys into its
            // (empty) menu; the keyboard stays the calculator's. The mouse opens the menu.
            if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) {
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_DPICHANGED: {
            useDpi(HIWORD(wParam));
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(m_window, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

bool Win32Window::labelCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (id < kFirstLabelId || id >= kFirstLabelId + static_cast<int>(kLabelCount)) {
        return false;
    }
    const auto row = static_cast<std::size_t>(id - kFirstLabelId);
    // Windows reports the second press of a quick pair as a double-click only, so a key,
    // which acts on its click, acts once for it.
    const std::function<void(std::size_t)>* handler = nullptr;
    if (HIWORD(wParam) == STN_CLICKED) {
        handler = &m_events.click;
    } else if (HIWORD(wParam) == STN_DBLCLK) {
        handler = &m_events.doubleClick;
    }
    if (handler != nullptr && *handler) {
        RunEventHandler([&] { (*handler)(row); });
    }
    return true;
}

void Win32Window::keyReleased(WPARAM key) {
    if (m_events.keyUp) {
        const auto KeyCode = static_cast<std::int16_t>(key);
        const std::int16_t Shift = modifierState();
        RunEventHandler([&] { m_events.keyUp(KeyCode, Shift); });
    }
}

}  // namespace zobu
