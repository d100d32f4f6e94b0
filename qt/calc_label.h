// One label of frmA: a QLabel laid out from its layout row, placed in twips. It takes no mouse
// event of its own: the window finds the label under a press and pairs presses into clicks.
#pragma once

#include <QLabel>
#include <cstddef>

#include "layout_table.h"

namespace zobu {

class CalcLabel : public QLabel {
public:
    // The label of layout row `row`.
    CalcLabel(std::size_t row, QWidget* parent);

    std::size_t layoutRow() const noexcept { return m_row; }
    const LabelSpec& row() const noexcept { return kLayout[m_row]; }

    void moveTwips(double left, double top, double width, double height);

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::size_t m_row;
    bool m_fontSet = false;  // the row's font is set once, when the label is first shown
};

}  // namespace zobu
