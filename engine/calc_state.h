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

// Field order and widths are fixed: doubles first, then 16-bit signed integers; all start at 0.
struct CalcState {
    double dblLastNum{};           // operand consumed by the last completed operation
    double dblLastResult{};        // running result before the last completed operation
    double dblResult{};            // running result, the left operand of the pending operation
    std::int16_t intLastOp{};      // pending operator before the last completed operation
    std::int16_t intOp{};          // pending operator index 0-4 (0: none)
    std::int16_t intState{};       // entry-state bits, see kState*
    std::int16_t intFullHeight{};  // unfolded window height, twips
    std::int16_t intFoldHeight{};  // folded window height, twips
    std::int16_t intTieLeft{};     // Left of the operator mark before the display, twips
    std::int16_t intTieRight{};    // Left of the operator mark after the display, twips
};

}  // namespace zobu
