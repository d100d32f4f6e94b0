// The calculator's window on Win32: a fixed-size frame with a title bar, a system menu and a
// minimise box around the labels. It owns frmA, the window's behaviour, and is the surface
// frmA draws on: it gives frmA its labels, its outer height and the beep, and passes on the
// clicks, double-clicks and key releases it receives, one small function per message.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "click_pairing.h"
#include "dpi.h"
#include "form_surface.h"
#include "frm_a.h"
#include "label_controls.h"
#include "owned_window.h"
#include "win32_clipboard.h"

namespace zobu {

class Win32Window final : public FormSurface, public AccessPort {
public:
    // Creates the window, not yet shown, with every label as laid out and the client area
    // 5205 x 3420 twips, and runs the load step. Throws std::runtime_error when Windows
    // refuses to create it, CalcFailure(Overflow) when a length does not fit 16 bits.
    explicit Win32Window(HINSTANCE instance);
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    void show(int how) noexcept;
    // Runs the window's messages until it is closed; returns the program's exit status.
    int run() noexcept;

    void setCaption(std::size_t row, std::string_view text, bool heard) override;
    void moveLabel(std::size_t row, const TwipRect& place) override;
    void setLabelVisible(std::size_t row, bool visible) override;
    double windowHeight() const override;
    void setWindowHeight(double twips) override;
    void beep() override;

    LabelAccess access(std::size_t row) const override;
    // Posted to the window: the click runs from its message loop.
    void press(std::size_t row) override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onPress(LPARAM point, bool secondOfPair);
    LRESULT onRelease(LPARAM point);
    LRESULT onReaderPress(WPARAM row);
    void onKeyUp(WPARAM key);
    LRESULT onDpiChanged(UINT dpi, const RECT& suggested);

    static HWND createWindow(HINSTANCE instance);
    void useDpi(UINT dpi);

    static constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    static constexpr DWORD kWindowExStyle = 0;

    // First: destroyed last, after every member that uses the window.
    OwnedWindow m_window;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    WindowIcons m_icons;
    WindowSize m_size{kWindowStyle, kWindowExStyle};
    ClickPairing m_pairing;
    Win32Clipboard m_clipboard{m_window};
    frmA m_form{*this, m_clipboard};
    // After frmA: destroyed before it, while the labels' objects may still ask it.
    LabelControls m_labels{*this};
};

}  // namespace zobu
