// Operators and equals: strictly left to right, one pending operation at a time.
#include "arithmetic.h"
#include "calc_engine.h"
#include "number_text.h"

namespace zobu {
namespace {

Checked compute(std::int16_t op, double left, double x) {
    switch (op) {
        case kOpAdd:
            return checkedResult(left + x);
        case kOpSubtract:
            return checkedResult(left - x);
        case kOpMultiply:
            return checkedResult(left * x);
        case kOpDivide:
            return checkedDivide(left, x);
        default:
            return {x, std::nullopt};  // equals: nothing pending, the operand is the result
    }
}

}  // namespace

void CalcEngine::lblMix_Click(std::int16_t Index) {
    const bool computes =
        (Index == kOpEquals && m_state.intOp > 0) || (m_state.intState & kStateNewNumber);
    if (computes) {
        const double x = TextToNum(m_lines.text(Line::lblSay));
        const Checked result = compute(m_state.intOp, m_state.dblResult, x);
        if (result.failure) {
            m_lines.setText(Line::lblLast, NumToText(m_state.dblResult));
            m_lines.setText(Line::lblNext, "运算失败 " + std::string(ErrorText(*result.failure)));
            m_state.intState &= kStateNewNumber;
            m_lines.setTieLeft(m_state.intTieLeft);
            m_lines.beep();
            return;
        }
        m_lines.setText(Line::lblLast, NumToText(m_state.dblResult) + " " +
                                           m_lines.mixTag(m_state.intOp) + " " + NumToText(x));
        m_lines.setText(Line::lblNext, "");
        m_state.intState = 0;
        m_lines.setTieLeft(m_state.intTieRight);
        m_state.dblLastNum = x;
        m_state.dblLastResult = m_state.dblResult;
        m_state.intLastOp = m_state.intOp;
        m_state.dblResult = result.value;
        m_lines.setText(Line::lblSay, NumToText(result.value));
        m_state.intOp = Index;
        m_lines.setText(Line::lblTie, m_lines.mixTag(Index));
        return;
    }

    if (Index == m_state.intOp) {
        Index = kOpEquals;  // the pending operator pressed again cancels it
    }
    m_state.intOp = Index;
    m_lines.setText(Line::lblTie, m_lines.mixTag(Index));
}

}  // namespace zobu
