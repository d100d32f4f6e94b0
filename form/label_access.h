// What a screen reader is told about each label of frmA, the same on every platform: the keys
// are buttons a reader can press, the other labels text; what describes each one; which are
// live regions; and which writes the reader must hear. A front end only hands it to its
// platform's accessibility API.
#pragma once

#include <cstddef>
#include <string_view>

#include "layout_table.h"

namespace zobu {

// The word a reader speaks for a label's press, in the interface's language.
inline constexpr std::string_view kPressWord = "按下";

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
    // Spoken as it is written, wherever the reader's focus is: the display says that a key
    // took effect, the note line what failed.
    bool live;
};

// The label of a layout row, now showing caption, with the help panel shown or not. The views
// point into caption and the layout table.
LabelAccess DescribeLabel(const LabelSpec& row, std::string_view caption, bool helpShown);

// Whether a reader hears a write of the label from `before` to `after`: each write of the
// display, also one that leaves it as it was ("0" again after DEL, so that the user hears the
// key take effect); the other labels as they change.
bool WriteHeard(const LabelSpec& row, std::string_view before, std::string_view after);

// What a label's accessible object asks the window it lies on, by the label's layout row; each
// front end's window answers from its frmA.
class AccessPort {
public:
    virtual LabelAccess access(std::size_t row) const = 0;
    // Clicks the label once the reader's call has returned, so that nothing the click waits
    // for (a held clipboard, a failure's message) holds the reader up.
    virtual void press(std::size_t row) = 0;

protected:
    ~AccessPort() = default;
};

}  // namespace zobu
