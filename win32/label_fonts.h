// The fonts of the labels at one DPI: "Lucida Console" 15 pt for the keys, 15.75 pt for the
// display and its mark, "宋体" 10.5 pt for the history and note lines, and for the help panel
// a Song face in which all of its lines fit the panel.
#pragma once

#include <windows.h>

#include <array>
#include <string_view>

#include "layout_table.h"

namespace zobu {

class LabelFonts {
public:
    LabelFonts() = default;
    ~LabelFonts();
    LabelFonts(const LabelFonts&) = delete;
    LabelFonts& operator=(const LabelFonts&) = delete;

    // Makes the fonts for `dpi`, replacing any made before. Where Windows substitutes a wider
    // face for "Lucida Console", the display's font shrinks until its widest number fits
    // `displayWidth` pixels.
    void create(UINT dpi, int displayWidth);

    // Chooses the help panel's font for `dpi`, measured as the panel lays `text` out inside
    // `panel` pixels, replacing any chosen before. Until then FontRole::Help has none.
    HFONT fitHelp(UINT dpi, std::wstring_view text, SIZE panel);

    HFONT font(FontRole role) const noexcept { return m_fonts[static_cast<std::size_t>(role)]; }

private:
    void release() noexcept;

    std::array<HFONT, 4> m_fonts{};  // by FontRole
};

}  // namespace zobu
