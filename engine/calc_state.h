// The calculator's whole state: the running result, the record of the last completed
// operation for undo, the entry-state bits, and four lengths the window measures at start-up.
#pragma once

#include <cstdint>

namespace zobu {

// Bits of CalcState::intState.
inline constexpr std::int16_t kStateNewNumber = 1;  // the display holds an unconsumed operand
inline constexpr std::int16_t kStateTyping = 2;     // digits are appended to the display
inline constexpr std::int16_t kStateClearedOnce =
    4;                                               // DEL cleared the display; next DEL clears all
inline constexpr std::int16_t kStateClearedAll = 8;  // everything is cleared; DEL does nothing

// Field order and widths are fixed: doubles first, then 16-bit signed integers.
struct CalcState {
    double dblLastNum = 0.0;         // operand consumed by the last completed operation
    double dblLastResult = 0.0;      // running result before the last completed operation
    double dblResult = 0.0;          // running result, the left operand of the pending operation
    std::int16_t intLastOp = 0;      // pending operator before the last completed operation
    std::int16_t intOp = 0;          // pending operator index 0-4 (0: none)
    std::int16_t intState = 0;       // entry-state bits, see kState*
    std::int16_t intFullHeight = 0;  // unfolded window height, twips
    std::int16_t intFoldHeight = 0;  // folded window height, twips
    std::int16_t intTieLeft = 0;     // Left of the operator mark before the display, twips
    std::int16_t intTieRight = 0;    // Left of the operator mark after the display, twips
};

}  // namespace zobu
