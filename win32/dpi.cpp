#include "dpi.h"

#include <algorithm>

#include "icon_resource.h"
#include "layout_table.h"

namespace zobu {
namespace {

// The address of a user32 function that older Windows may lack, as its own type.
template <typename Function>
Function user32(const char* name) noexcept {
    HMODULE module = GetModuleHandleW(L"user32.dll");
    if (module == nullptr) {
        return nullptr;
    }
    // GetProcAddress returns every function as one generic type; this one is `Function`.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

void EnablePerMonitorDpi() noexcept {
    using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (auto set = user32<SetContext>("SetProcessDpiAwarenessContext")) {
        if (set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
            return;
        }
    }
    SetProcessDPIAware();
}

UINT WindowDpi(HWND window) noexcept {
    using GetForWindow = UINT(WINAPI*)(HWND);
    if (auto get = user32<GetForWindow>("GetDpiForWindow")) {
        if (const UINT dpi = get(window)) {
            return dpi;
        }
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

SIZE OuterSize(SIZE client, DWORD style, DWORD exStyle, UINT dpi) noexcept {
    RECT rect{0, 0, client.cx, client.cy};
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    if (auto adjust = user32<AdjustForDpi>("AdjustWindowRectExForDpi")) {
        adjust(&rect, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

int SystemMetric(int index, UINT dpi) noexcept {
    using GetForDpi = int(WINAPI*)(int, UINT);
    if (auto get = user32<GetForDpi>("GetSystemMetricsForDpi")) {
        return get(index, dpi);
    }
    return GetSystemMetrics(index);
}

void WindowSize::madeAt(UINT dpi) noexcept {
    const int client = TwipsToPixels(kClientHeightTwips, dpi);
    m_frame = OuterHeight(OuterSize({0, client}, m_style, m_exStyle, dpi).cy - client, dpi);
    m_outerTwips = m_frame.twips(client, dpi);
}

double WindowSize::outerTwips(int clientPixels, UINT dpi) const noexcept {
    return m_frame.twips(clientPixels, dpi);
}

SIZE WindowSize::at(UINT dpi) const noexcept {
    const int height = std::max(0, m_frame.clientPixels(m_outerTwips, dpi));
    return OuterSize({TwipsToPixels(kClientWidthTwips, dpi), height}, m_style, m_exStyle, dpi);
}

HICON LoadCalculatorIcon(HINSTANCE instance, int size) noexcept {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR));
}

WindowIcons::~WindowIcons() {
    for (HICON icon : m_icons) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

void WindowIcons::use(HWND window, UINT dpi) noexcept {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const int sizes[] = {SystemMetric(SM_CXICON, dpi), SystemMetric(SM_CXSMICON, dpi)};
    const WPARAM kinds[] = {ICON_BIG, ICON_SMALL};
    for (std::size_t i = 0; i < m_icons.size(); ++i) {
        HICON icon = LoadCalculatorIcon(instance, sizes[i]);
        if (icon == nullptr) {
            continue;  // the class's icon stays
        }
        SendMessageW(window, WM_SETICON, kinds[i], reinterpret_cast<LPARAM>(icon));
        if (m_icons[i] != nullptr) {
            DestroyIcon(m_icons[i]);
        }
        m_icons[i] = icon;
    }
}

}  // namespace zobu
