// The calculator engine: the operations behind the 21 keys, working on CalcState and
// writing the four display lines. One instance per window; not thread-safe by design,
// every operation runs to completion on the user-interface thread.
#pragma once

#include <cstdint>

#include "calc_state.h"
#include "clipboard.h"
#include "display_lines.h"

namespace zobu {

// Operator indices of lblMix.
inline constexpr std::int16_t kOpEquals = 0;
inline constexpr std::int16_t kOpAdd = 1;
inline constexpr std::int16_t kOpSubtract = 2;
inline constexpr std::int16_t kOpMultiply = 3;
inline constexpr std::int16_t kOpDivide = 4;

// Element indices of lblNum and lblFun.
inline constexpr std::int16_t kNumZero = 0;  // the digits 0-9 are their own index
inline constexpr std::int16_t kNumPoint = 10;
inline constexpr std::int16_t kFunNegate = 0;
inline constexpr std::int16_t kFunReciprocal = 1;

class CalcEngine {
public:
    CalcEngine(DisplayLines& lines, Clipboard& clipboard) noexcept
        : m_lines(lines), m_clipboard(clipboard) {}

    CalcState& state() noexcept { return m_state; }
    const CalcState& state() const noexcept { return m_state; }

    void lblNum_Click(std::int16_t Index);  // digit 0-9, 10 decimal point
    void lblMix_Click(std::int16_t Index);  // operator index 0-4, taken by value
    void lblFun_Click(std::int16_t Index);  // 0 sign change, 1 reciprocal
    void lblDel_Click();
    void lblCopy_Click();
    void lblPaste_Click();

private:
    DisplayLines& m_lines;
    Clipboard& m_clipboard;
    CalcState m_state;
};

}  // namespace zobu
