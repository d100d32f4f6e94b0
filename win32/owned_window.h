// The calculator's window handle, destroyed with the object that owns it: also when the
// owner's constructor fails after the window exists, so that no window outlives its object.
#pragma once

#include <windows.h>

namespace zobu {

class OwnedWindow {
public:
    explicit OwnedWindow(HWND window) noexcept : m_window(window) {}
    // The window stops reaching its owner (GWLP_USERDATA) before it is destroyed: what the
    // destruction sends it (WM_DESTROY among them) goes to Windows' defaults, not to an object
    // that is going or gone.
    ~OwnedWindow() {
        if (m_window != nullptr) {
            SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
            DestroyWindow(m_window);
        }
    }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    operator HWND() const noexcept { return m_window; }
    // Windows has destroyed the window (the user closed it): nothing is left to destroy.
    void release() noexcept { m_window = nullptr; }

private:
    HWND m_window;
};

}  // namespace zobu
