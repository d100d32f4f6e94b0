// X keycodes (evdev + 8) of a pc105 keyboard: where a key is, whatever the layout types on it.
// The keys the calculator finds by their place, under their US names.
#pragma once

#include <cstdint>

namespace zobu {

inline constexpr std::uint32_t kKeycode1 = 10;  // the digit row: 1-9, then 0
inline constexpr std::uint32_t kKeycode0 = 19;
inline constexpr std::uint32_t kKeycodeApostrophe = 48;
inline constexpr std::uint32_t kKeycodeGrave = 49;
inline constexpr std::uint32_t kKeycodeBackslash = 51;
inline constexpr std::uint32_t kKeycodeC = 54;
inline constexpr std::uint32_t kKeycodeV = 55;
inline constexpr std::uint32_t kKeycodeSlash = 61;
inline constexpr std::uint32_t kKeycodeKeypadDecimal = 91;
inline constexpr std::uint32_t kKeycodeKeypadComma = 129;  // Brazilian and Japanese keypads only

}  // namespace zobu
