// What the window makes of the left mouse button over its labels, on every platform: a click
// is a press and a release on the same label; the second press of a quick pair is never a
// click; and it is a double-click only on the label where the pair's first click ended, so
// that a double-click whose first click hides the help panel does not also fold the window
// beneath it. Labels are named by their layout row; none is a press outside every label.
#pragma once

#include <cstddef>
#include <optional>

namespace zobu {

class ClickPairing {
public:
    using Row = std::optional<std::size_t>;

    // A press over `row`. secondOfPair: the platform has paired it with the press before as a
    // quick double-click. Returns the label to double-click, if any.
    Row press(Row row, bool secondOfPair) noexcept;

    // The release, over `row`. Returns the label clicked, if any.
    Row release(Row row) noexcept;

    // The platform took the mouse away (a dialog, say): the press under way clicks nothing.
    void cancel() noexcept { m_pressed.reset(); }

private:
    Row m_pressed;  // the label a press began on, while the button is down
    Row m_clicked;  // the label the last click ended on, until the next press
};

}  // namespace zobu
