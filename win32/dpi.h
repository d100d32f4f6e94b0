// Dots per inch, per monitor: the window's twips become pixels at its own monitor's
// resolution, so that at 150 % and 200 % Windows draws the text itself instead of
// enlarging a 96-DPI bitmap. The newer calls are looked up at run time: Windows before
// 10 (version 1703) lacks them, and the program falls back to the system's one DPI there.
#pragma once

#include <windows.h>

#include <array>

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
