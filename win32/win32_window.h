// The calculator's window on Win32: a fixed-size frame with a title bar, a system menu and a
// minimise box, and the 26 labels of the layout as static controls. It gives frmA its
// labels, its outer height and the beep, and passes on the clicks, double-clicks and key
// releases it receives. Lengths arrive in twips and become pixels at the window's DPI.
// The labels let the mouse through: the window itself makes a click of a press and a
// release on the same label, as the calculator's keys expect (a static control reports one
// at the press), and pairs presses into double-clicks across labels.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "accessible_labels.h"
#include "form_surface.h"
#include "label_fonts.h"
#include "layout_table.h"
#include "outer_height.h"

namespace zobu {

class Win32Window final : public FormSurface {
public:
    // What the window's events run; a row is the label's row in the layout table.
    struct Events {
        std::function<void(std::size_t row)> click;
        std::function<void(std::size_t row)> doubleClick;
        std::function<void(std::int16_t KeyCode, std::int16_t Shift)> keyUp;
    };

    // Creates the window, not yet shown, with every label as laid out and the client area
    // 5205 x 3420 twips. Throws std::runtime_error when Windows refuses to create it.
    explicit Win32Window(HINSTANCE instance);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    HWND handle() const noexcept { return m_window; }
    void setEvents(Events events);
    void show(int how) noexcept;
    // Runs the window's messages until it is closed; returns the program's exit status.
    int run() noexcept;

    void setCaption(std::size_t row, std::string_view text) override;
    void moveLabel(std::size_t row, const TwipRect& place) override;
    void setLabelVisible(std::size_t row, bool visible) override;
    double windowHeight() const override;
    void setWindowHeight(double twips) override;
    void beep() override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void pressed(LPARAM point, bool secondOfPair);
    void released(LPARAM point);
    std::optional<std::size_t> labelAt(LPARAM point) const;
    void keyReleased(WPARAM key);

    void createLabels(HINSTANCE instance);
    void createTooltips(HINSTANCE instance);
    void useDpi(UINT dpi);
    void useIcons(UINT dpi);
    void fitHelp();
    void placeLabel(std::size_t row);
    RECT labelRect(std::size_t row) const noexcept;
    SIZE outerSize(UINT dpi) const noexcept;
    int pixels(double twips) const noexcept;

    HWND m_window = nullptr;
    HWND m_tooltips = nullptr;
    std::array<HWND, kLabelCount> m_labels{};
    // Each label's place as frmA last set it, kept in twips so that a change of DPI
    // places it again exactly.
    std::array<TwipRect, kLabelCount> m_places{};
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    // The frame as made, and the outer height frmA last set (or the laid-out one): at a new
    // DPI the client area takes its height from them again.
    OuterHeight m_frame{0, USER_DEFAULT_SCREEN_DPI};
    double m_outerTwips = 0;
    LabelFonts m_fonts;
    bool m_helpFitted = false;       // the help panel's font is chosen for m_dpi
    std::array<HICON, 2> m_icons{};  // big and small, at m_dpi
    // The label a press began on, while the button is down; the label the last click ended on,
    // until the next press: a double-click needs both presses of the pair on it.
    std::optional<std::size_t> m_pressed;
    std::optional<std::size_t> m_clicked;
    Events m_events;
    AccessibleLabels m_access;
};

}  // namespace zobu
