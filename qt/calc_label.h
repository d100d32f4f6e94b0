// One label of frmA: a QLabel laid out from its layout row, placed in twips, that turns
// mouse presses into the click and double-click its row binds.
#pragma once

#include <QLabel>
#include <functional>

#include "layout_table.h"

namespace zobu {

class CalcLabel : public QLabel {
public:
    CalcLabel(const LabelSpec& row, QWidget* parent);

    const LabelSpec& row() const noexcept { return m_row; }

    void moveTwips(double left, double top, double width, double height);

    // A press and release of the left button over the label.
    void setOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }
    // The second click of a quick pair whose first click was on this label too.
    void setOnDoubleClick(std::function<void()> handler) { m_onDoubleClick = std::move(handler); }

    // Whether a click runs anything, and running it as a click with the mouse does: the
    // press action of a screen reader or other assistive technology comes this way.
    bool clickable() const noexcept { return static_cast<bool>(m_onClick); }
    void click();

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const LabelSpec& m_row;
    bool m_fontSet = false;  // the row's font is set once, when the label is first shown
    std::function<void()> m_onClick;
    std::function<void()> m_onDoubleClick;
    bool m_pressed = false;        // a press here that a release may complete as a click
    bool m_clickedBefore = false;  // a click here has ended ...
    quint64 m_clickTime = 0;       // ... at this event time (ms)
};

}  // namespace zobu
