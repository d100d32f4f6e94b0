// DEL: discard the new operand or step back over the last operation; twice clears all.
// Neither branch touches the undo record, so copy after a clear-all can re-arm undo.
#include "calc_engine.h"
#include "number_text.h"

namespace zobu {

void CalcEngine::lblDel_Click() {
    if (m_state.intState & kStateClearedAll) {
        return;
    }
    if (m_state.intState & kStateClearedOnce) {
        m_lines.setText(Line::lblLast, "");
        m_lines.setText(Line::lblNext, "");
        m_state.intState = kStateClearedOnce | kStateClearedAll;
        m_lines.setTieLeft(m_state.intTieRight);
        m_state.dblResult = 0.0;
        m_lines.setText(Line::lblSay, "0");
        m_state.intOp = kOpEquals;
        m_lines.setText(Line::lblTie, "");
        return;
    }

    if (m_state.intState & kStateNewNumber) {
        m_lines.setText(Line::lblNext, m_lines.text(Line::lblSay) + " ?");
    } else {
        m_lines.setText(Line::lblLast, NumToText(m_state.dblLastResult));
        m_lines.setText(Line::lblNext, NumToText(m_state.dblLastNum) + " ?");
        m_lines.setTieLeft(m_state.intTieLeft);
        m_state.dblResult = m_state.dblLastResult;
        m_state.intOp = m_state.intLastOp;
        m_lines.setText(Line::lblTie, m_lines.mixTag(m_state.intOp));
    }
    m_state.intState = kStateClearedOnce;
    m_lines.setText(Line::lblSay, "0");
}

}  // namespace zobu
