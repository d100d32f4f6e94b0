// The calculator's window on Qt: 26 labels laid out from the layout table, fonts, mouse,
// the keyboard translated to virtual-key codes, the system clipboard. It owns frmA, the
// window's behaviour, and is the surface frmA draws on.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "calc_label.h"
#include "click_pairing.h"
#include "form_surface.h"
#include "frm_a.h"
#include "key_release_tracker.h"
#include "layout_table.h"
#include "qt_clipboard.h"

namespace zobu {

class FormWindow : public QWidget, public FormSurface {
public:
    // Creates the labels as laid out and runs the load step; the window is not yet shown.
    // Throws CalcFailure(Overflow) when a length does not fit 16 bits.
    explicit FormWindow(QWidget* parent = nullptr);

    // index is the element index for lblNum, lblMix and lblFun.
    CalcLabel& label(LabelName name, std::int16_t index = 0) const;

    void setCaption(std::size_t row, std::string_view text) override;
    void moveLabel(std::size_t row, const TwipRect& place) override;
    void setLabelVisible(std::size_t row, bool visible) override;
    // The client height plus a fixed 480-twip frame (see kFrameHeightTwips).
    double windowHeight() const override;
    void setWindowHeight(double twips) override;
    void beep() override;

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void mouse(CalcLabel::MouseStep step, ClickPairing::Row row);

    std::array<CalcLabel*, kLabelCount> m_labels{};
    ClickPairing m_pairing;
    QtClipboard m_clipboard;
    frmA m_form{*this, m_clipboard};
    KeyReleaseTracker m_keys;
};

}  // namespace zobu
