#include "frm_a.h"

#include <QEvent>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include <optional>

#include "calc_label.h"
#include "help_text.h"
#include "key_map.h"
#include "native_key.h"
#include "unhandled_failure.h"
#include "window_icon.h"
#include "window_measure.h"

namespace zobu {

frmA::frmA(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QString::fromUtf8(kWindowTitle));
    setWindowIcon(WindowIcon());

    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        const LabelSpec& row = kLayout[i];
        auto* label = new CalcLabel(row, this);
        if (row.action == WindowAction::lblSay_DblClick) {
            label->setOnDoubleClick([this] { RunEventHandler([this] { lblSay_DblClick(); }); });
        } else if (row.action != WindowAction::None) {
            // A key's operation comes from its row: the group's action and the element index.
            label->setOnClick(
                [this, &row] { RunEventHandler([&] { run(row.action, row.index); }); });
        }
        m_labels[i] = label;
    }
    // The help panel lies over every label and hides them while it is shown.
    label(LabelName::lblHelp).setAutoFillBackground(true);
    label(LabelName::lblHelp).raise();
    m_lines.bind({&label(LabelName::lblSay), &label(LabelName::lblTie), &label(LabelName::lblLast),
                  &label(LabelName::lblNext)});

    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    Form_Load();
}

CalcLabel& frmA::label(LabelName name, std::int16_t index) const {
    return *m_labels[LayoutRow(name, index)];
}

double frmA::windowHeight() const {
    return height() * kTwipsPerPixel + kFrameHeightTwips;
}

void frmA::setWindowHeight(double twips) {
    setFixedHeight(std::max(0, TwipsToPixels(twips - kFrameHeightTwips)));
}

// Measures the layout into the state, puts the mark after the display, and places and fills
// the hidden help panel.
void frmA::Form_Load() {
    CalcState& s = m_engine.state();
    const CalcLabel& say = label(LabelName::lblSay);
    CalcLabel& tie = label(LabelName::lblTie);

    s.intFullHeight = ToInt16(windowHeight());
    s.intFoldHeight = ToInt16(
        s.intFullHeight -
        (label(LabelName::lblNum, 0).twipTop() - label(LabelName::lblNext).twipTop()) - 300.0);
    s.intTieLeft = ToInt16(say.twipLeft() - tie.twipWidth());
    s.intTieRight = ToInt16(say.twipWidth() + say.twipLeft());
    tie.moveTwips(s.intTieRight);

    CalcLabel& help = label(LabelName::lblHelp);
    help.moveTwips(kHelpLeft, kHelpTop, kHelpWidth, kHelpHeight);
    help.setText(QString::fromStdString(HelpText()));
}

void frmA::lblSay_DblClick() {
    const CalcState& s = m_engine.state();
    setWindowHeight(FoldToggleHeight(windowHeight(), s.intFullHeight, s.intFoldHeight));
}

void frmA::ShowHelp() {
    setWindowHeight(m_engine.state().intFullHeight);
    label(LabelName::lblHelp).show();
}

void frmA::lblHelp_Click() {
    label(LabelName::lblHelp).hide();
}

bool frmA::helpVisible() const {
    return !label(LabelName::lblHelp).isHidden();
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

void frmA::Form_KeyUp(std::int16_t KeyCode, [[maybe_unused]] std::int16_t Shift) {
    if (const std::optional<KeyBinding> binding = keyUpBinding(KeyCode, helpVisible())) {
        run(binding->action, binding->argument);
    }
}

bool frmA::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Every key belongs to the calculator: no shortcut may take it first.
            event->accept();
            return true;
        case QEvent::WindowDeactivate:
        case QEvent::FocusOut:
            // The releases of keys held now go to whichever window has the keyboard next.
            m_keys.clear();
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

// A press only records the key; it acts when it is let go.
void frmA::keyPressEvent(QKeyEvent* event) {
    m_keys.press(KeyEventData::from(*event));
}

void frmA::keyReleaseEvent(QKeyEvent* event) {
    const std::optional<std::int16_t> code = m_keys.release(KeyEventData::from(*event));
    if (code) {
        const std::int16_t shift = shiftState(event->modifiers());
        RunEventHandler([this, &code, shift] { Form_KeyUp(*code, shift); });
    }
}

// Tab and Shift+Tab are keys like any other: they never move the focus between labels.
bool frmA::focusNextPrevChild(bool /*next*/) {
    return false;
}

}  // namespace zobu
