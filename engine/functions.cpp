// Sign change and reciprocal: replace the displayed number by a new operand.
#include "arithmetic.h"
#include "calc_engine.h"
#include "number_text.h"

namespace zobu {

void CalcEngine::lblFun_Click(std::int16_t Index) {
    const double x = TextToNum(m_lines.text(Line::lblSay));
    m_lines.setText(Line::lblNext, m_lines.funTag(Index) + " " + NumToText(x));
    const Checked result = Index == kFunNegate ? Checked{-x, std::nullopt} : checkedDivide(1.0, x);
    if (result.failure) {
        m_lines.setText(Line::lblNext, m_lines.text(Line::lblNext) + " 失败 " +
                                           std::string(ErrorText(*result.failure)));
        m_state.intState &= kStateNewNumber;
        m_lines.beep();
        return;
    }
    m_lines.setText(Line::lblLast, NumToText(m_state.dblResult));
    m_state.intState = kStateNewNumber;
    m_lines.setTieLeft(m_state.intTieLeft);
    m_lines.setText(Line::lblSay, NumToText(result.value));
}

}  // namespace zobu
