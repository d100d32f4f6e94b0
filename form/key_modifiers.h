// The Shift argument of Form_KeyUp: which modifier keys were held at a key's release, one bit
// each, as Windows forms programs have always been told them.
#pragma once

#include <cstdint>

namespace zobu {

inline constexpr std::int16_t kShiftMask = 1;
inline constexpr std::int16_t kCtrlMask = 2;
inline constexpr std::int16_t kAltMask = 4;

constexpr std::int16_t ShiftState(bool shift, bool ctrl, bool alt) noexcept {
    return static_cast<std::int16_t>((shift ? kShiftMask : 0) | (ctrl ? kCtrlMask : 0) |
                                     (alt ? kAltMask : 0));
}

}  // namespace zobu
