// Windows virtual-key codes, the numbering the calculator's keys are written in, under the
// names Windows gives them (digits and letters have none there: VK_0, VK_C are ours).
// Never include this beside <windows.h>: its macros carry the same names.
#pragma once

#include <cstdint>

namespace zobu {

inline constexpr std::int16_t VK_BACK = 0x08;
inline constexpr std::int16_t VK_RETURN = 0x0D;
inline constexpr std::int16_t VK_ESCAPE = 0x1B;
inline constexpr std::int16_t VK_SPACE = 0x20;
inline constexpr std::int16_t VK_DELETE = 0x2E;
inline constexpr std::int16_t VK_0 = 0x30;  // the digit row: '0'..'9'
inline constexpr std::int16_t VK_1 = 0x31;
inline constexpr std::int16_t VK_2 = 0x32;
inline constexpr std::int16_t VK_9 = 0x39;
inline constexpr std::int16_t VK_A = 0x41;  // letters: 'A'..'Z' in order
inline constexpr std::int16_t VK_C = 0x43;
inline constexpr std::int16_t VK_V = 0x56;
inline constexpr std::int16_t VK_NUMPAD0 = 0x60;
inline constexpr std::int16_t VK_NUMPAD9 = 0x69;
inline constexpr std::int16_t VK_MULTIPLY = 0x6A;
inline constexpr std::int16_t VK_ADD = 0x6B;
inline constexpr std::int16_t VK_SEPARATOR = 0x6C;
inline constexpr std::int16_t VK_SUBTRACT = 0x6D;
inline constexpr std::int16_t VK_DECIMAL = 0x6E;
inline constexpr std::int16_t VK_DIVIDE = 0x6F;
inline constexpr std::int16_t VK_F1 = 0x70;
inline constexpr std::int16_t VK_OEM_PLUS = 0xBB;    // the key that types "+"
inline constexpr std::int16_t VK_OEM_MINUS = 0xBD;   // the key that types "-"
inline constexpr std::int16_t VK_OEM_PERIOD = 0xBE;  // the key that types "."
inline constexpr std::int16_t VK_OEM_2 = 0xBF;       // US "/?"
inline constexpr std::int16_t VK_OEM_3 = 0xC0;       // US "`~"
inline constexpr std::int16_t VK_OEM_5 = 0xDC;       // US "\|"
inline constexpr std::int16_t VK_OEM_7 = 0xDE;       // US "'\""

}  // namespace zobu
