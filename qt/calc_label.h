// One label of frmA: a QLabel laid out from its layout row, placed in twips, that passes the
// left button's presses and releases on to the window, which pairs them into clicks.
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

    enum class MouseStep {
        Press,
        SecondPress,  // the second press of a quick pair
        Release,
    };
    // The left button's steps; over: the pointer is over this label (a release comes to the
    // label that had the press, wherever the pointer has gone).
    void setOnMouse(std::function<void(MouseStep step, bool over)> handler) {
        m_onMouse = std::move(handler);
    }

    // What a click runs. A click with the mouse runs it this way, and so does the press
    // action of a screen reader or other assistive technology.
    void setOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }
    void click();

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void passOn(QMouseEvent& event, MouseStep step, bool over);

    const LabelSpec& m_row;
    bool m_fontSet = false;  // the row's font is set once, when the label is first shown
    std::function<void(MouseStep, bool)> m_onMouse;
    std::function<void()> m_onClick;
};

}  // namespace zobu
