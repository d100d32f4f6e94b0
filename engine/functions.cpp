// Sign change and reciprocal: replace the displayed number by a new operand.
#include "arithmetic.h"
#include "calc_engine.h"
#include "number_text.h"

namespace zobu {

void CalcEngine::lblFun_Click(std::int16_t Index) {
    double x = TextToNum(m_lines.text(Line::lblSay));
    m_lines.setText(Line::lblNext, m_lines.funTag(Index) + " " + NumToText(x));
    try {
        x = Index == kFunNegate ? -x : checkedDivide(1.0, x);
        m_lines.setText(Line::lblLast, NumToText(m_state.dblResult));
        m_state.intState = kStateNewNumber;
        m_lines.setTieLeft(m_state.intTieLeft);
        m_lines.setText(Line::lblSay, NumToText(x));
    } catch (const CalcFailure& failure) {
        m_lines.setText(Line::lblNext,
                        m_lines.text(Line::lblNext) + " 失败 " + std::string(ErrorText(failure)));
        m_state.intState &= kStateNewNumber;
        m_lines.beep();
    }
}

}  // namespace zobu
