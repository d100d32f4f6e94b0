// The keyboard commands of the calculator: which Windows virtual-key code runs which
// operation of the window, and what the keyboard does while the help panel is shown.
#pragma once

#include <cstdint>
#include <optional>

#include "window_action.h"

namespace zobu {

struct KeyBinding {
    WindowAction action;
    std::int16_t argument{};  // the element index for lblNum, lblMix and lblFun
};

// What a key release does in Form_KeyUp: while the help panel is shown it has the keyboard
// to itself and only F1 acts, hiding it; otherwise the key table decides.
std::optional<KeyBinding> keyUpBinding(std::int16_t KeyCode, bool helpShown);

}  // namespace zobu
