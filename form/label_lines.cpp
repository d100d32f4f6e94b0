#include "label_lines.h"

#include "label_access.h"

namespace zobu {
namespace {

std::size_t LineRow(Line line) {
    static constexpr std::array<LabelName, 4> kNames = {LabelName::lblSay, LabelName::lblTie,
                                                        LabelName::lblLast, LabelName::lblNext};
    return LayoutRow(kNames.at(static_cast<std::size_t>(line)));
}

}  // namespace

LabelLines::LabelLines(FormSurface& surface) : m_surface(surface) {
    for (std::size_t row = 0; row < kLabelCount; ++row) {
        m_text[row] = kLayout[row].caption;
    }
}

std::string LabelLines::text(Line line) const {
    return m_text[LineRow(line)];
}

void LabelLines::setText(Line line, std::string_view text) {
    write(LineRow(line), text);
}

// Every write reaches the surface, also one that leaves the text as it was: a screen reader
// may still have to hear that the key took effect.
void LabelLines::write(std::size_t row, std::string_view text) {
    const bool heard = WriteHeard(kLayout.at(row), m_text[row], text);
    m_text[row] = text;
    m_surface.setCaption(row, text, heard);
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
