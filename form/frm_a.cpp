#include "frm_a.h"

#include "help_text.h"
#include "int16_lengths.h"
#include "key_map.h"
#include "layout_table.h"

namespace zobu {
namespace {

// Folding also takes this much off below the note line's top-to-"0" distance.
constexpr double kFoldMargin = 300.0;

const LabelSpec& Row(LabelName name, std::int16_t index = 0) {
    return kLayout[LayoutRow(name, index)];
}

}  // namespace

frmA::frmA(FormSurface& surface, Clipboard& clipboard) noexcept
    : m_surface(surface), m_lines(surface), m_engine(m_lines, clipboard) {}

// The labels are where the layout put them (only the mark moves, and never before this), so
// their places are read from their rows.
void frmA::Form_Load() {
    CalcState& s = m_engine.state();
    const LabelSpec& say = Row(LabelName::lblSay);
    s.intFullHeight = ToInt16(m_surface.windowHeight());
    s.intFoldHeight =
        ToInt16(s.intFullHeight - (Row(LabelName::lblNum, 0).top - Row(LabelName::lblNext).top) -
                kFoldMargin);
    s.intTieLeft = ToInt16(say.left - Row(LabelName::lblTie).width);
    s.intTieRight = ToInt16(say.width + say.left);
    m_lines.setTieLeft(s.intTieRight);

    const std::size_t help = LayoutRow(LabelName::lblHelp);
    m_surface.moveLabel(help, kHelpPlace);
    m_lines.write(help, HelpText());
}

void frmA::click(std::size_t row) {
    if (!CoveredByHelp(kLayout.at(row).name, m_helpShown)) {
        run(kLayout.at(row).click, kLayout[row].index);
    }
}

void frmA::doubleClick(std::size_t row) {
    if (!CoveredByHelp(kLayout.at(row).name, m_helpShown)) {
        run(kLayout.at(row).doubleClick, kLayout[row].index);
    }
}

void frmA::Form_KeyUp(std::int16_t KeyCode, [[maybe_unused]] std::int16_t Shift) {
    if (const std::optional<KeyBinding> binding = keyUpBinding(KeyCode, m_helpShown)) {
        run(binding->action, binding->argument);
    }
}

LabelAccess frmA::access(std::size_t row) const {
    return DescribeLabel(kLayout.at(row), m_lines.caption(row), m_helpShown);
}

void frmA::lblSay_DblClick() {
    const CalcState& s = m_engine.state();
    m_surface.setWindowHeight(
        FoldToggleHeight(m_surface.windowHeight(), s.intFullHeight, s.intFoldHeight));
}

void frmA::ShowHelp() {
    m_surface.setWindowHeight(m_engine.state().intFullHeight);
    m_helpShown = true;
    m_surface.setLabelVisible(LayoutRow(LabelName::lblHelp), true);
}

void frmA::lblHelp_Click() {
    m_helpShown = false;
    m_surface.setLabelVisible(LayoutRow(LabelName::lblHelp), false);
}

// Runs a window operation as a table row names it. The operations may overwrite their index
// (lblMix_Click does); they get a copy, so the row stays as it is.
void frmA::run(WindowAction action, std::int16_t index) {
    switch (action) {
        case WindowAction::lblNum_Click:
            return m_engine.lblNum_Click(index);
        case WindowAction::lblMix_Click:
            return m_engine.lblMix_Click(index);
        case WindowAction::lblFun_Click:
            return m_engine.lblFun_Click(index);
        case WindowAction::lblDel_Click:
            return m_engine.lblDel_Click();
        case WindowAction::lblCopy_Click:
            return m_engine.lblCopy_Click();
        case WindowAction::lblPaste_Click:
            return m_engine.lblPaste_Click();
        case WindowAction::lblHelp_Click:
            return lblHelp_Click();
        case WindowAction::lblSay_DblClick:
            return lblSay_DblClick();
        case WindowAction::ShowHelp:
            return ShowHelp();
        case WindowAction::None:
            return;
    }
}

}  // namespace zobu
