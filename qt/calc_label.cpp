#include "calc_label.h"

#include "accessibility.h"
#include "label_fonts.h"
#include "window_measure.h"

namespace zobu {
namespace {

Qt::Alignment horizontalAlignment(TextAlign align) {
    switch (align) {
        case TextAlign::Left:
            return Qt::AlignLeft;
        case TextAlign::Right:
            return Qt::AlignRight;
        case TextAlign::Center:
            break;
    }
    return Qt::AlignHCenter;
}

}  // namespace

CalcLabel::CalcLabel(std::size_t layoutRow, QWidget* parent) : QLabel(parent), m_row(layoutRow) {
    const LabelSpec& row = kLayout.at(layoutRow);
    // Before the first text is set, so that assistive technology meets every label through
    // the label's own accessible interface from its first announcement on.
    InstallLabelAccessibility(*this);
    // Captions are never markup, nor selectable: what the engine or the clipboard writes is
    // shown as it is, and the mouse passes on to the window.
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setText(QString::fromUtf8(row.caption));
    setToolTip(QString::fromUtf8(row.tooltip));
    setAlignment(Qt::AlignTop | horizontalAlignment(row.align));
    if (row.border) {
        setFrameShape(QFrame::Box);
        setFrameShadow(QFrame::Plain);
        setLineWidth(kBorderPixels);
        setIndent(kTextIndentPixels);
    } else {
        setIndent(0);
    }
    moveTwips(row.left, row.top, row.width, row.height);
    setVisible(row.visible);
}

// Edges are rounded, not sizes, so labels that touch in twips touch in pixels and never overlap.
void CalcLabel::moveTwips(double left, double top, double width, double height) {
    const int x = TwipsToPixels(left);
    const int y = TwipsToPixels(top);
    setGeometry(x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y);
}

// A label takes its font when it is first shown, before its first paint: the help panel,
// hidden until F1, chooses and loads its face at the first F1, not before the window's
// first frame (fitting its lines loads and measures Chinese faces).
void CalcLabel::showEvent(QShowEvent* event) {
    if (!m_fontSet) {
        m_fontSet = true;
        setFont(FontFor(row().font));
    }
    QLabel::showEvent(event);
}

}  // namespace zobu
