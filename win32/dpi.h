// Dots per inch, per monitor: the window's twips become pixels at its own monitor's
// resolution, so that at 150 % and 200 % Windows draws the text itself instead of
// enlarging a 96-DPI bitmap. The newer calls are looked up at run time: Windows before
// 10 (version 1703) lacks them, and the program falls back to the system's one DPI there.
#pragma once

#include <windows.h>

#include <array>

#include "outer_height.h"

namespace zobu {

// Once, before the first window: per-monitor aware (version 2) where Windows offers it.
void EnablePerMonitorDpi() noexcept;

// The DPI the window is drawn at.
UINT WindowDpi(HWND window) noexcept;

// The outer size of a window of this style whose client area is `client` pixels, at `dpi`.
SIZE OuterSize(SIZE client, DWORD style, DWORD exStyle, UINT dpi) noexcept;

// A system measure (borders, icon sizes) at `dpi`, where Windows can give it for a DPI other
// than the system's.
int SystemMetric(int index, UINT dpi) noexcept;

// The window's outer size at each DPI: Windows draws the frame in whole pixels of each DPI,
// while the client area keeps the layout's width in twips and takes its height from the outer
// height frmA last set, with the frame counted as it was when the window was made.
class WindowSize {
public:
    WindowSize(DWORD style, DWORD exStyle) noexcept : m_style(style), m_exStyle(exStyle) {}

    // The frame at the DPI the window is made at, around the laid-out client area.
    void madeAt(UINT dpi) noexcept;
    // The outer height in twips of a client area `clientPixels` high at `dpi`.
    double outerTwips(int clientPixels, UINT dpi) const noexcept;
    void setOuterTwips(double twips) noexcept { m_outerTwips = twips; }
    // The outer size at `dpi`, as WM_GETDPISCALEDSIZE is answered and WM_DPICHANGED sets it:
    // Windows would scale the outer size, frame included.
    SIZE at(UINT dpi) const noexcept;

private:
    DWORD m_style;
    DWORD m_exStyle;
    OuterHeight m_frame{0, USER_DEFAULT_SCREEN_DPI};
    double m_outerTwips = 0;
};

// The calculator's icon drawn for `size` pixels; null where the program file lacks it.
HICON LoadCalculatorIcon(HINSTANCE instance, int size) noexcept;

// The window's own icons, big (task switcher) and small (title bar), drawn for its DPI rather
// than scaled from the system's.
class WindowIcons {
public:
    WindowIcons() = default;
    ~WindowIcons();
    WindowIcons(const WindowIcons&) = delete;
    WindowIcons& operator=(const WindowIcons&) = delete;

    // Gives `window` icons for `dpi`; an icon Windows cannot draw leaves the one before.
    void use(HWND window, UINT dpi) noexcept;

private:
    std::array<HICON, 2> m_icons{};  // big and small
};

}  // namespace zobu
