// The 26 labels of the layout as static controls of the calculator's window: created once with
// their captions and tooltips, placed and given their fonts at the window's DPI, their texts
// written and told to screen readers. Places arrive in twips and become pixels at that DPI.
// The labels let the mouse through (no SS_NOTIFY): the window finds the label under a press
// itself, as the calculator's keys expect a press and a release on the same label, where a
// static control would report a click at the press.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "accessible_labels.h"
#include "form_surface.h"
#include "label_fonts.h"
#include "layout_table.h"

namespace zobu {

class LabelControls {
public:
    // `port` tells what a screen reader is told of each label.
    explicit LabelControls(AccessPort& port) noexcept : m_access(port) {}
    LabelControls(const LabelControls&) = delete;
    LabelControls& operator=(const LabelControls&) = delete;

    // Creates every label in `window` as laid out, lblHelp above all, and the tooltips, then
    // places them at `dpi`. Throws std::runtime_error when Windows refuses a label.
    void create(HWND window, HINSTANCE instance, UINT dpi);
    // Fonts and places for a (new) DPI.
    void useDpi(UINT dpi);
    // heard: readers are told of the write, also where the text stays as it was.
    void setText(std::size_t row, std::string_view text, bool heard);
    void move(std::size_t row, const TwipRect& place);
    void setVisible(std::size_t row, bool visible);

    // The topmost shown label under a point of the client area, the help panel lying above all.
    std::optional<std::size_t> labelAt(POINT point) const;

private:
    void createTooltips(HINSTANCE instance);
    void fitHelp();
    void place(std::size_t row);
    RECT pixelRect(std::size_t row) const noexcept;

    HWND m_window = nullptr;
    HWND m_tooltips = nullptr;
    std::array<HWND, kLabelCount> m_labels{};
    // Each label's place as frmA last set it, kept in twips so that a change of DPI places it
    // again exactly.
    std::array<TwipRect, kLabelCount> m_places{};
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    LabelFonts m_fonts;
    bool m_helpFitted = false;  // the help panel's font is chosen for m_dpi
    AccessibleLabels m_access;
};

}  // namespace zobu
