// Number entry: the display text is the entry buffer; digits are appended as typed.
#include "calc_engine.h"
#include "number_text.h"

namespace zobu {

void CalcEngine::lblNum_Click(std::int16_t Index) {
    if (m_state.intState & kStateTyping) {
        const std::string T = m_lines.text(Line::lblSay);
        if (T.size() >= kMaxEntryLength) {
            return;
        }
        if (Index < kNumPoint) {
            m_lines.setText(Line::lblSay, T + DigitText(Index));
        } else if (T.find('.') == std::string::npos) {
            m_lines.setText(Line::lblSay, T + ".");
        }
        return;
    }

    m_lines.setText(Line::lblLast, NumToText(m_state.dblResult));
    if (m_state.intState & kStateNewNumber) {
        m_lines.setText(Line::lblNext, m_lines.text(Line::lblSay));
    }
    m_state.intState = kStateNewNumber | kStateTyping;
    m_lines.setTieLeft(m_state.intTieLeft);
    m_lines.setText(Line::lblSay, Index < kNumPoint ? DigitText(Index) : std::string("0."));
}

}  // namespace zobu
