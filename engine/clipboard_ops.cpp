// Copy and paste through the system clipboard. Copy also takes part in the DEL ladder:
// after one DEL it does nothing, after a clear-all it re-arms undo.
#include "calc_engine.h"
#include "calc_failure.h"
#include "number_text.h"
#include "paste_reader.h"

namespace zobu {

void CalcEngine::lblCopy_Click() {
    const bool clearedOnce = m_state.intState & kStateClearedOnce;
    const bool clearedAll = m_state.intState & kStateClearedAll;
    if (clearedOnce && clearedAll) {
        m_lines.setText(Line::lblNext, "DEL");
        m_state.intState = 0;
        return;
    }
    if (clearedOnce) {
        return;
    }

    m_state.intState &= kStateNewNumber;
    try {
        m_clipboard.ClipboardClear();
        m_clipboard.ClipboardPutText(m_lines.text(Line::lblSay));
        m_lines.setText(Line::lblNext, "复制 成功");
    } catch (...) {
        // Any failure of the clipboard: the number on the display is the user's, and stays.
        m_lines.setText(Line::lblNext, std::string("复制 失败 ") + std::string(CurrentErrorText()));
        m_lines.beep();
    }
}

void CalcEngine::lblPaste_Click() {
    try {
        const double x = ReadPastedNumber(m_clipboard.ClipboardGetText());
        m_lines.setText(Line::lblLast, NumToText(m_state.dblResult));
        if (m_state.intState & kStateNewNumber) {
            m_lines.setText(Line::lblNext, m_lines.text(Line::lblSay));
        }
        m_state.intState = kStateNewNumber;
        m_lines.setTieLeft(m_state.intTieLeft);
        m_lines.setText(Line::lblSay, NumToText(x));
    } catch (...) {
        m_lines.setText(Line::lblNext, std::string("粘贴 失败 ") + std::string(CurrentErrorText()));
        m_state.intState &= kStateNewNumber;
        m_lines.beep();
    }
}

}  // namespace zobu
