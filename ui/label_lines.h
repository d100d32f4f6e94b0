// The engine's four display lines, the operator mark's place, the key tags and the beep,
// bound to the labels of the window.
#pragma once

#include <array>

#include "display_lines.h"

namespace zobu {

class CalcLabel;

class LabelLines : public DisplayLines {
public:
    // The labels lblSay, lblTie, lblLast and lblNext, in the order of Line.
    using LineLabels = std::array<CalcLabel*, 4>;

    // The labels are set once the window has created them, before any operation runs.
    void bind(const LineLabels& labels) noexcept { m_labels = labels; }

    std::string text(Line line) const override;
    void setText(Line line, std::string_view text) override;
    void setTieLeft(std::int16_t left) override;
    std::string mixTag(std::int16_t index) const override;
    std::string funTag(std::int16_t index) const override;
    void beep() override;

private:
    CalcLabel& label(Line line) const;

    LineLabels m_labels{};
};

}  // namespace zobu
