// The engine's four display lines, the operator mark's place, the key tags and the beep, on
// the window's labels through its toolkit; and the record of every label's caption.
#pragma once

#include <array>
#include <string>

#include "display_lines.h"
#include "form_surface.h"
#include "layout_table.h"

namespace zobu {

class LabelLines : public DisplayLines {
public:
    // The labels start with their laid-out captions. Nothing is asked of the surface yet.
    explicit LabelLines(FormSurface& surface);

    std::string text(Line line) const override;
    void setText(Line line, std::string_view text) override;
    void setTieLeft(std::int16_t left) override;
    std::string mixTag(std::int16_t index) const override;
    std::string funTag(std::int16_t index) const override;
    void beep() override;

    // Any label's caption, by layout row, as last written.
    const std::string& caption(std::size_t row) const { return m_text.at(row); }
    void write(std::size_t row, std::string_view text);

private:
    FormSurface& m_surface;
    // What was last written: the display is the entry buffer, so it is read from here, never
    // from a toolkit that might have trimmed or re-encoded it.
    std::array<std::string, kLabelCount> m_text;
};

}  // namespace zobu
