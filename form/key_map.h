// The keyboard commands of the calculator: which Windows virtual-key code runs which
// operation of the window, and what the keyboard does while the help panel is shown.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "vk_codes.h"
#include "window_action.h"

namespace zobu {

struct KeyBinding {
    WindowAction action;
    std::int16_t argument;  // the element index for lblNum, lblMix and lblFun; 0 otherwise

    friend bool operator==(const KeyBinding&, const KeyBinding&) = default;
};

// One row of the key table: the codes first..last run `action`; the first code passes
// `argument` and each following code the next index (the digit rows).
struct KeyRow {
    std::int16_t first;
    std::int16_t last;
    WindowAction action;
    std::int16_t argument;
};

// The whole key table, one row per code or run of codes; no code is in two rows.
std::span<const KeyRow> keyTable();

// The operation bound to a Windows virtual-key code, or nothing for any other code.
std::optional<KeyBinding> lookupKey(std::int16_t KeyCode);

// What a key release does in Form_KeyUp: while the help panel is shown it has the keyboard
// to itself and only F1 acts, hiding it; otherwise the key table decides.
std::optional<KeyBinding> keyUpBinding(std::int16_t KeyCode, bool helpShown);

}  // namespace zobu
