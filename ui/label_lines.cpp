#include "label_lines.h"

#include <QApplication>

#include "accessibility.h"
#include "calc_label.h"

namespace zobu {

CalcLabel& LabelLines::label(Line line) const {
    return *m_labels.at(static_cast<std::size_t>(line));
}

std::string LabelLines::text(Line line) const {
    return label(line).text().toStdString();
}

// A screen reader hears each write of the display, also one that leaves it as it was (DEL on
// "0"), so that the user knows the key took effect; the other lines are heard when they change.
void LabelLines::setText(Line line, std::string_view text) {
    const QString next = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (line == Line::lblSay) {
        SetTextAnnounced(label(line), next);
    } else {
        label(line).setText(next);
    }
}

void LabelLines::setTieLeft(std::int16_t left) {
    label(Line::lblTie).moveTwips(left);
}

// Tags are read from the layout rows of the keys, as the keys carry them.
std::string LabelLines::mixTag(std::int16_t index) const {
    return kLayout[LayoutRow(LabelName::lblMix, index)].tag;
}

std::string LabelLines::funTag(std::int16_t index) const {
    return kLayout[LayoutRow(LabelName::lblFun, index)].tag;
}

void LabelLines::beep() {
    QApplication::beep();
}

}  // namespace zobu
