// The calculator's window without its toolkit: the load step, folding, the help panel, the
// keyboard and the one dispatcher that clicks and keys share. It owns the engine and drives
// the toolkit's window through FormSurface.
#pragma once

#include <cstddef>
#include <cstdint>

#include "calc_engine.h"
#include "clipboard.h"
#include "form_surface.h"
#include "key_modifiers.h"
#include "label_access.h"
#include "label_lines.h"
#include "window_action.h"

namespace zobu {

class frmA {
public:
    // Nothing is asked of the surface yet: the toolkit may still be creating its labels.
    frmA(FormSurface& surface, Clipboard& clipboard) noexcept;
    frmA(const frmA&) = delete;
    frmA& operator=(const frmA&) = delete;

    // The window's load event: once, after the toolkit has created every label from its
    // layout row and before the window is first shown. Records the fold heights and the
    // mark's two places, puts the mark after the display, places and fills the hidden help
    // panel. Throws CalcFailure(Overflow) when a length does not fit 16 bits.
    void Form_Load();

    // A click, and the second click of a quick pair, on the label of a layout row (kLayout):
    // whatever that row's column binds. While the help panel is shown it covers every other
    // label, so only a click on it acts. A failure the operation leaves unhandled (the
    // 16-bit overflow of folding) passes out to the toolkit.
    void click(std::size_t row);
    void doubleClick(std::size_t row);

    // A key release, by Windows virtual-key code: the key table's operation, or while the
    // help panel is shown only F1, which hides it. Shift (the bits of ShiftState) is not
    // read: modifiers make no difference to any key. A failure the operation leaves
    // unhandled passes out unchanged, as it would from a click.
    void Form_KeyUp(std::int16_t KeyCode, std::int16_t Shift);

    // What a screen reader is told about the label of a layout row now: its caption as last
    // written, and whether a press would act with the help panel as it is. The views hold
    // until the next write.
    LabelAccess access(std::size_t row) const;

private:
    void lblSay_DblClick();
    void ShowHelp();
    void lblHelp_Click();
    void run(WindowAction action, std::int16_t index);

    FormSurface& m_surface;
    LabelLines m_lines;
    CalcEngine m_engine;
    bool m_helpShown = false;
};

}  // namespace zobu
