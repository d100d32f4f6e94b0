// The window's operations by name, as its two tables bind them: the layout table to a
// label's click (or the display's double-click), the key table to a released key.
#pragma once

namespace zobu {

enum class WindowAction {
    None,
    lblNum_Click,  // element index: digit 0-9, 10 the decimal point
    lblMix_Click,  // element index: 0 "=", 1 "+", 2 "-", 3 "*", 4 "/"
    lblFun_Click,  // element index: 0 sign change, 1 reciprocal
    lblDel_Click,
    lblCopy_Click,
    lblPaste_Click,
    lblHelp_Click,    // hide the help panel
    lblSay_DblClick,  // fold or unfold the window
    ShowHelp,         // unfold the window and show the help panel
};

}  // namespace zobu
