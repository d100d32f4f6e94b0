#include "win32_window.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

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

// Static controls: no focus ever, and their text is what screen readers read. Without
// SS_NOTIFY they let the mouse through to the window, which finds the label under it.
// SS_NOPREFIX: an "&" is shown as is.
DWORD labelStyle(const LabelSpec& row) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | SS_NOPREFIX | alignmentStyle(row.align);
    if (row.visible) {
        style |= WS_VISIBLE;
    }
    if (row.border) {
        style |= WS_BORDER;
    }
    return style;
}

HICON loadIcon(HINSTANCE instance, int size) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR));
}

void registerClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    // CS_DBLCLKS: Windows marks the second press of a quick pair (GetDoubleClickTime, within
    // SM_CXDOUBLECLK x SM_CYDOUBLECLK), on whichever labels the two presses land.
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = loadIcon(instance, GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = loadIcon(instance, GetSystemMetrics(SM_CXSMICON));
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
    // No input method: the calculator composes no text, and every key must reach Form_KeyUp
    // as its own virtual-key code, also while a Pinyin input method is in Chinese mode (which
    // would take C and V for itself, and the Esc that closes its window).
    ImmAssociateContextEx(m_window, nullptr, 0);
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        const LabelSpec& laidOut = kLayout[row];
        m_places[row] = {laidOut.left, laidOut.top, laidOut.width, laidOut.height};
    }
    createLabels(instance);
    createTooltips(instance);

    // The size follows the DPI of the monitor Windows has put the window on.
    useDpi(WindowDpi(m_window));
    const int client = pixels(kClientHeightTwips);
    m_frame =
        OuterHeight(OuterSize({0, client}, kWindowStyle, kWindowExStyle, m_dpi).cy - client, m_dpi);
    m_outerTwips = m_frame.twips(client, m_dpi);
    const SIZE outer = outerSize(m_dpi);
    SetWindowPos(m_window, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32Window::~Win32Window() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
    for (HICON icon : m_icons) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
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
    m_access.attach(m_labels);
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
        // By rectangle: the mouse never reaches the labels themselves.
        TTTOOLINFOW tool{};
        // The size the tooltips of every comctl32 version accept.
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.uId = row;
        tool.lpszText = text.data();
        SendMessageW(m_tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

int Win32Window::pixels(double twips) const noexcept {
    return TwipsToPixels(twips, m_dpi);
}

// The outer size at `dpi`: the client area's width as laid out, its height from the outer
// height frmA last set, and the frame as Windows draws it at that DPI.
SIZE Win32Window::outerSize(UINT dpi) const noexcept {
    const int height = std::max(0, m_frame.clientPixels(m_outerTwips, dpi));
    return OuterSize({TwipsToPixels(kClientWidthTwips, dpi), height}, kWindowStyle, kWindowExStyle,
                     dpi);
}

// Fonts, places and icons for a (new) DPI. Edges are rounded, not sizes, so that labels that
// touch in twips touch in pixels.
void Win32Window::useDpi(UINT dpi) {
    m_dpi = dpi;
    useIcons(dpi);
    const TwipRect& say = m_places[LayoutRow(LabelName::lblSay)];
    const int border = 2 * SystemMetric(SM_CXBORDER, dpi);
    m_fonts.create(dpi, pixels(say.left + say.width) - pixels(say.left) - border);
    // The tips are Chinese: they get the Chinese labels' font, wherever the system's tip
    // font lacks the characters.
    if (m_tooltips != nullptr) {
        SendMessageW(m_tooltips, WM_SETFONT,
                     reinterpret_cast<WPARAM>(m_fonts.font(FontRole::Chinese)), FALSE);
    }
    // The help panel's face is measured when the panel is shown: until then it holds the
    // lines' font, which exists already.
    const std::size_t help = LayoutRow(LabelName::lblHelp);
    m_helpFitted = false;
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        const FontRole role = row == help ? FontRole::Chinese : kLayout[row].font;
        SendMessageW(m_labels[row], WM_SETFONT, reinterpret_cast<WPARAM>(m_fonts.font(role)),
                     FALSE);
        placeLabel(row);
    }
    if (IsWindowVisible(m_labels[help])) {
        fitHelp();
    }
}

void Win32Window::useIcons(UINT dpi) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const int sizes[] = {SystemMetric(SM_CXICON, dpi), SystemMetric(SM_CXSMICON, dpi)};
    const WPARAM kinds[] = {ICON_BIG, ICON_SMALL};
    for (std::size_t i = 0; i < m_icons.size(); ++i) {
        HICON icon = loadIcon(instance, sizes[i]);
        if (icon == nullptr) {
            continue;  // the class's icon stays
        }
        SendMessageW(m_window, WM_SETICON, kinds[i], reinterpret_cast<LPARAM>(icon));
        if (m_icons[i] != nullptr) {
            DestroyIcon(m_icons[i]);
        }
        m_icons[i] = icon;
    }
}

// The help panel's face and size, measured at the window's DPI so that all of its lines
// show: chosen at the panel's first showing, and again at its first showing on a monitor of
// another DPI.
void Win32Window::fitHelp() {
    const std::size_t help = LayoutRow(LabelName::lblHelp);
    HWND label = m_labels[help];
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    const RECT panel = labelRect(help);
    HFONT font = m_fonts.fitHelp(m_dpi, text, {panel.right - panel.left, panel.bottom - panel.top});
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    m_helpFitted = true;
}

RECT Win32Window::labelRect(std::size_t row) const noexcept {
    const TwipRect& place = m_places[row];
    return {pixels(place.left), pixels(place.top), pixels(place.left + place.width),
            pixels(place.top + place.height)};
}

void Win32Window::placeLabel(std::size_t row) {
    const RECT rect = labelRect(row);
    MoveWindow(m_labels[row], rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               TRUE);
    if (m_tooltips != nullptr && *kLayout[row].tooltip != '\0') {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = m_window;
        tool.uId = row;
        tool.rect = rect;
        SendMessageW(m_tooltips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
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

void Win32Window::setEvents(Events events) {
    m_events = std::move(events);
    // A screen reader's press is a click.
    m_access.setClick([this](std::size_t row) {
        if (m_events.click) {
            RunEventHandler([&] { m_events.click(row); });
        }
    });
}

void Win32Window::setCaption(std::size_t row, std::string_view text) {
    m_access.write(row, ToUtf16(text));
}

void Win32Window::moveLabel(std::size_t row, const TwipRect& place) {
    m_places.at(row) = place;
    placeLabel(row);
}

void Win32Window::setLabelVisible(std::size_t row, bool visible) {
    if (kLayout.at(row).name == LabelName::lblHelp) {
        if (visible && !m_helpFitted) {
            fitHelp();
        }
        // The shown panel covers every label, and with them their tips.
        if (m_tooltips != nullptr) {
            SendMessageW(m_tooltips, TTM_ACTIVATE, !visible, 0);
        }
    }
    ShowWindow(m_labels.at(row), visible ? SW_SHOWNA : SW_HIDE);
}

// The outer height, title bar and borders included, with the frame as it was made.
double Win32Window::windowHeight() const {
    RECT client{};
    GetClientRect(m_window, &client);
    return m_frame.twips(client.bottom, m_dpi);
}

void Win32Window::setWindowHeight(double twips) {
    m_outerTwips = twips;
    const SIZE outer = outerSize(m_dpi);
    RECT rect{};
    GetWindowRect(m_window, &rect);
    SetWindowPos(m_window, nullptr, 0, 0, rect.right - rect.left, outer.cy,
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
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            pressed(lParam, message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_LBUTTONUP:
            released(lParam);
            return 0;
        case WM_CAPTURECHANGED:
            m_pressed.reset();  // taken away (by a dialog, say): no click
            return 0;
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
        case WM_GETDPISCALEDSIZE:
            // Windows would scale the outer size, frame included; the client area's twips
            // are what must stay.
            *reinterpret_cast<SIZE*>(lParam) = outerSize(static_cast<UINT>(wParam));
            return TRUE;
        case WM_DPICHANGED: {
            useDpi(HIWORD(wParam));
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            const SIZE outer = outerSize(m_dpi);
            SetWindowPos(m_window, nullptr, suggested->left, suggested->top, outer.cx, outer.cy,
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

// The topmost shown label under a point of the client area (the help panel lies above all).
std::optional<std::size_t> Win32Window::labelAt(LPARAM point) const {
    HWND child = ChildWindowFromPointEx(m_window, {GET_X_LPARAM(point), GET_Y_LPARAM(point)},
                                        CWP_SKIPINVISIBLE);
    const int id = child != nullptr && child != m_window ? GetDlgCtrlID(child) : 0;
    if (id < kFirstLabelId || id >= kFirstLabelId + static_cast<int>(kLabelCount)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(id - kFirstLabelId);
}

// The second press of a quick pair is never a click, whichever label it lands on: a quick
// double-click on a key acts once, and one that hides the help panel enters nothing. It is
// a double-click only when the first click of the pair ended on the same label.
void Win32Window::pressed(LPARAM point, bool secondOfPair) {
    const std::optional<std::size_t> row = labelAt(point);
    const std::optional<std::size_t> clicked = std::exchange(m_clicked, std::nullopt);
    if (secondOfPair) {
        m_pressed.reset();
        if (row && row == clicked && m_events.doubleClick) {
            RunEventHandler([&] { m_events.doubleClick(*row); });
        }
        return;
    }
    m_pressed = row;
    if (row) {
        SetCapture(m_window);  // the release comes here wherever the pointer has gone
    }
}

// A click: the release over the label the press began on.
void Win32Window::released(LPARAM point) {
    const std::optional<std::size_t> row = std::exchange(m_pressed, std::nullopt);
    if (GetCapture() == m_window) {
        ReleaseCapture();
    }
    if (row && labelAt(point) == row) {
        m_clicked = row;
        if (m_events.click) {
            RunEventHandler([&] { m_events.click(*row); });
        }
    }
}

void Win32Window::keyReleased(WPARAM key) {
    if (m_events.keyUp) {
        const auto KeyCode = static_cast<std::int16_t>(key);
        const std::int16_t Shift = modifierState();
        RunEventHandler([&] { m_events.keyUp(KeyCode, Shift); });
    }
}

}  // namespace zobu
