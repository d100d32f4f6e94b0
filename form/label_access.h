// What a screen reader is told about each label of frmA, the same on every platform: the keys
// are buttons a reader can press, the other labels text; what describes each one; and which
// writes the reader must hear. A front end only hands it to its platform's accessibility API.
#pragma once

#include <string_view>

#include "layout_table.h"

namespace zobu {

enum class AccessRole {
    Key,   // one of the 21 keys: a button, with a press action
    Line,  // the four lines and the help panel: static text
};

struct LabelAccess {
    // Button or static text.
    AccessRole role;
    // The caption as it is now, ampersands included: a caption here is never a mnemonic.
    std::string_view name;
    // The tooltip; a line without one says what it is ("历史", "提示", "运算符").
    std::string_view description;
    // A press would act now, as a click with the mouse would: the label runs something when
    // clicked and the help panel does not cover it. A key stays pressable on the folded window.
    bool pressAvailable;
    // Each write is heard, also one that leaves the text as it was (the display: "0" again
    // after DEL, so that the user hears the key take effect); other labels only as they change.
    bool everyWriteHeard;
};

// The label of a layout row, now showing caption, with the help panel shown or not. The views
// point into caption and the layout table.
LabelAccess DescribeLabel(const LabelSpec& row, std::string_view caption, bool helpShown);

}  // namespace zobu
