// The window's layout: all 26 labels of frmA as one table in twips, one row per label,
// with what a click and a double-click on it run and whether it is a key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "form_surface.h"
#include "window_action.h"

namespace zobu {

// The program's name as its users know it, and the window's title, which says F1 explains it.
inline constexpr const char* kProgramName = ZOBU_CHINESE_NAME;
inline constexpr const char* kWindowTitle = ZOBU_CHINESE_NAME " (按F1键有说明)";
inline constexpr double kClientWidthTwips = 5205.0;
inline constexpr double kClientHeightTwips = 3420.0;

// Label names; the keys of lblNum, lblMix and lblFun are told apart by their element index.
enum class LabelName {
    lblLast,
    lblSay,
    lblTie,
    lblNext,
    lblHelp,
    lblDel,
    lblNum,
    lblMix,
    lblFun,
    lblCopy,
    lblPaste,
};

// The help panel's place and size once the load step has run: it covers every other label.
inline constexpr TwipRect kHelpPlace{50, 50, 5100, 3300};

// Whether the help panel keeps the mouse, and a screen reader's press, from a label: the shown
// panel lies over every other label, and the hidden one is not there to click.
constexpr bool CoveredByHelp(LabelName name, bool helpShown) {
    return (name == LabelName::lblHelp) != helpShown;
}

enum class FontRole {
    Key,      // the window font: "Lucida Console" 15 pt
    Display,  // "Lucida Console" 15.75 pt
    Chinese,  // "宋体" 10.5 pt
    Help,     // "宋体" 10.5 pt where the help text fits the panel at that size
};

// A font's size in points, normal weight: the window font for the keys, the display's, and
// the Chinese lines' (the help panel starts from that size and shrinks only where the face's
// line spacing does not let the text fit).
constexpr double FontPoints(FontRole role) {
    return role == FontRole::Key ? 15.0 : role == FontRole::Display ? 15.75 : 10.5;
}

enum class TextAlign { Left, Center, Right };

struct LabelSpec {
    LabelName name;
    std::int16_t index;  // element index in its group, 0 for single labels
    const char* caption;
    const char* tag;
    const char* tooltip;
    double left;  // twips, from the client area's top-left corner
    double top;
    double width;
    double height;
    FontRole font;
    TextAlign align;
    bool border;  // a single line around the label
    bool visible;
    bool key;                  // one of the 21 keys of the keypad
    WindowAction click;        // run by a click on the label
    WindowAction doubleClick;  // run by the second click of a quick pair on the label
};

inline constexpr std::size_t kLabelCount = 26;

// Stacking: the labels are created in this order, then lblHelp is raised above all of them.
// A label's row is its position here; FormSurface names labels by it.
extern const std::array<LabelSpec, kLabelCount> kLayout;

// The row of a label; index is the element index for lblNum, lblMix and lblFun.
// Returns the row's position in kLayout. Throws std::out_of_range for a label not laid out.
std::size_t LayoutRow(LabelName name, std::int16_t index = 0);

}  // namespace zobu
