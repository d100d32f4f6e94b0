// The calculator's window: 26 labels laid out from the layout table, the load step, folding
// and the help panel. It owns the engine and binds it to its labels and the system clipboard.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "calc_engine.h"
#include "label_lines.h"
#include "layout_table.h"
#include "qt_clipboard.h"

namespace zobu {

class CalcLabel;

class frmA : public QWidget {
public:
    // Creates the labels as laid out and runs the load step; the window is not yet shown.
    // Throws CalcFailure(Overflow) when a length does not fit 16 bits.
    explicit frmA(QWidget* parent = nullptr);

    // The engine behind the keys, for the keyboard to run the same operations.
    CalcEngine& engine() noexcept { return m_engine; }
    const CalcState& state() const noexcept { return m_engine.state(); }

    // index is the element index for lblNum, lblMix and lblFun.
    CalcLabel& label(LabelName name, std::int16_t index = 0) const;

    // The window height in twips: the client height plus a fixed 480-twip frame (see
    // kFrameHeightTwips), the one measure the load step reads and folding sets.
    double windowHeight() const;
    void setWindowHeight(double twips);

    // Folds the window to its top rows, or unfolds it. Throws CalcFailure(Overflow) when the
    // two recorded heights add up beyond 16 bits; the height then stays.
    void lblSay_DblClick();
    // Unfolds the window and shows the help panel over it.
    void ShowHelp();
    // Hides the help panel; the height stays.
    void lblHelp_Click();
    bool helpVisible() const;

private:
    void Form_Load();
    void runClick(const LabelSpec& row);

    std::array<CalcLabel*, kLabelCount> m_labels{};
    LabelLines m_lines;
    QtClipboard m_clipboard;
    CalcEngine m_engine{m_lines, m_clipboard};
};

}  // namespace zobu
