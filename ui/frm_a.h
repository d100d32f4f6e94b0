// The calculator's window: 26 labels laid out from the layout table, the load step, folding,
// the help panel and the keyboard. It owns the engine and binds it to its labels, the system
// clipboard and the key releases it receives.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "calc_engine.h"
#include "key_release_tracker.h"
#include "label_lines.h"
#include "layout_table.h"
#include "qt_clipboard.h"
#include "x11_keymap.h"

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

    // A key release, by Windows virtual-key code: the key table's operation, or while the
    // help panel is shown only F1, which hides it. Shift (1 Shift, 2 Ctrl, 4 Alt) is not
    // read: modifiers make no difference to any key. A failure the operation leaves
    // unhandled passes out unchanged, as it would from a click.
    void Form_KeyUp(std::int16_t KeyCode, std::int16_t Shift);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void Form_Load();
    void run(WindowAction action, std::int16_t index);

    std::array<CalcLabel*, kLabelCount> m_labels{};
    LabelLines m_lines;
    QtClipboard m_clipboard;
    CalcEngine m_engine{m_lines, m_clipboard};
    X11Keymap m_keymap;
    KeyReleaseTracker m_keys{currentKeyPlatform(),
                             [this](std::uint32_t keycode, std::uint32_t state) {
                                 return m_keymap.levels(keycode, state);
                             }};
};

}  // namespace zobu
