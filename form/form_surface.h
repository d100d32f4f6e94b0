// What frmA needs of the toolkit window that shows it: its labels, its outer height and the
// beep. Qt (Linux) and Win32 (Windows) each implement it; frmA's behaviour stays toolkit-free.
#pragma once

#include <cstddef>
#include <string_view>

namespace zobu {

// A label's place and size in twips, from the client area's top-left corner.
struct TwipRect {
    double left;
    double top;
    double width;
    double height;

    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

// Labels are named by their row in the layout table (kLayout). The toolkit creates every label
// from its row before frmA runs: caption, font, alignment, border, tooltip, place, visibility,
// and the stacking (lblHelp above all others). frmA keeps the record of what it set: captions,
// places and visibility are never read back from the toolkit.
class FormSurface {
public:
    virtual ~FormSurface() = default;

    // UTF-8; lines separated by "\r\n". Called for every write, also one that leaves the
    // text as it was. heard: a screen reader is told of this write, once, whether the text
    // changed or not (label_access.h says which writes are).
    virtual void setCaption(std::size_t row, std::string_view text, bool heard) = 0;
    virtual void moveLabel(std::size_t row, const TwipRect& place) = 0;
    virtual void setLabelVisible(std::size_t row, bool visible) = 0;

    // The window's outer height in twips, title bar and borders included: the one measure
    // the load step reads and folding sets.
    virtual double windowHeight() const = 0;
    virtual void setWindowHeight(double twips) = 0;

    virtual void beep() = 0;
};

}  // namespace zobu
