#include "label_lines.h"

#include "layout_table.h"

namespace zobu {
namespace {

std::size_t LineRow(Line line) {
    static constexpr std::array<LabelName, 4> kNames = {LabelName::lblSay, LabelName::lblTie,
                                                        LabelName::lblLast, LabelName::lblNext};
    return LayoutRow(kNames.at(static_cast<std::size_t>(line)));
}

}  // namespace

LabelLines::LabelLines(FormSurface& surface) : m_surface(surface) {
    for (const Line line : {Line::lblSay, Line::lblTie, Line::lblLast, Line::lblNext}) {
        m_text[static_cast<std::size_t>(line)] = kLayout[LineRow(line)].caption;
    }
}

std::string LabelLines::text(Line line) const {
    return m_text.at(static_cast<std::size_t>(line));
}

// Every write reaches the surface, also one that leaves the text as it was: a screen reader
// then still hears that the key took effect.
void LabelLines::setText(Line line, std::string_view text) {
    m_text.at(static_cast<std::size_t>(line)) = text;
    m_surface.setCaption(LineRow(line), text);
}

void LabelLines::setTieLeft(std::int16_t left) {
    const std::size_t row = LineRow(Line::lblTie);
    const LabelSpec& tie = kLayout[row];
    m_surface.moveLabel(row, {static_cast<double>(left), tie.top, tie.width, tie.height});
}

// Tags are read from the layout rows of the keys, as the keys carry them.
std::string LabelLines::mixTag(std::int16_t index) const {
    return kLayout[LayoutRow(LabelName::lblMix, index)].tag;
}

std::string LabelLines::funTag(std::int16_t index) const {
    return kLayout[LayoutRow(LabelName::lblFun, index)].tag;
}

void LabelLines::beep() {
    m_surface.beep();
}

}  // namespace zobu
