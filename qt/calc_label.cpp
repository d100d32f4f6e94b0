#include "calc_label.h"

#include <QMouseEvent>

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

CalcLabel::CalcLabel(const LabelSpec& row, QWidget* parent) : QLabel(parent), m_row(row) {
    // Before the first text is set, so that assistive technology meets every label through
    // the label's own accessible interface from its first announcement on.
    InstallLabelAccessibility();
    // Captions are never markup: what the engine or the clipboard writes is shown as it is.
    setTextFormat(Qt::PlainText);
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
        setFont(FontFor(m_row.font));
    }
    QLabel::showEvent(event);
}

void CalcLabel::click() {
    if (m_onClick) {
        m_onClick();
    }
}

void CalcLabel::mousePressEvent(QMouseEvent* event) {
    passOn(*event, MouseStep::Press, true);
}

void CalcLabel::mouseReleaseEvent(QMouseEvent* event) {
    passOn(*event, MouseStep::Release, rect().contains(event->position().toPoint()));
}

void CalcLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    passOn(*event, MouseStep::SecondPress, true);
}

// Taken, whichever button: no press on a label reaches the window beneath it.
void CalcLabel::passOn(QMouseEvent& event, MouseStep step, bool over) {
    if (event.button() == Qt::LeftButton && m_onMouse) {
        m_onMouse(step, over);
    }
    event.accept();
}

}  // namespace zobu
