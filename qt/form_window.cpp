#include "form_window.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <memory>
#include <optional>

#include "accessibility.h"
#include "calc_label.h"
#include "label_access.h"
#include "native_key.h"
#include "unhandled_failure.h"
#include "window_icon.h"
#include "window_measure.h"
#ifdef ZOBU_HAVE_X11_KEYMAP
#include "x11_keymap.h"
#endif
#ifdef ZOBU_HAVE_WAYLAND_KEYMAP
#include "wayland_keymap.h"
#endif

namespace zobu {
namespace {

// The display server's keymap where this build can read it.
template <typename Reader>
KeyReleaseTracker::Keymap Read() {
    auto reader = std::make_shared<Reader>();
    return [reader](const KeyEventData& event) { return reader->levels(event); };
}

KeyReleaseTracker::Keymap DisplayKeymap(KeyPlatform platform) {
#ifdef ZOBU_HAVE_X11_KEYMAP
    if (platform == KeyPlatform::X11) {
        return Read<X11Keymap>();
    }
#endif
#ifdef ZOBU_HAVE_WAYLAND_KEYMAP
    if (platform == KeyPlatform::Wayland) {
        return Read<WaylandKeymap>();
    }
#endif
    static_cast<void>(platform);
    return {};
}

}  // namespace

FormWindow::FormWindow(QWidget* parent)
    : QWidget(parent), m_keys(currentKeyPlatform(), DisplayKeymap(currentKeyPlatform())) {
    setWindowTitle(QString::fromUtf8(kWindowTitle));
    setWindowIcon(WindowIcon());

    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        auto* label = new CalcLabel(kLayout[row], this);
        if (kLayout[row].click != WindowAction::None) {
            label->setOnClick([this, row] { RunEventHandler([&] { m_form.click(row); }); });
        }
        label->setOnMouse([this, row](CalcLabel::MouseStep step, bool over) {
            mouse(step, over ? ClickPairing::Row(row) : std::nullopt);
        });
        m_labels[row] = label;
    }
    // The help panel lies over every label and hides them while it is shown.
    label(LabelName::lblHelp).setAutoFillBackground(true);
    label(LabelName::lblHelp).raise();

    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    m_form.Form_Load();
}

CalcLabel& FormWindow::label(LabelName name, std::int16_t index) const {
    return *m_labels[LayoutRow(name, index)];
}

void FormWindow::setCaption(std::size_t row, std::string_view text) {
    const QString caption = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    CalcLabel& target = *m_labels.at(row);
    if (DescribeLabel(kLayout[row], text, false).everyWriteHeard) {
        SetTextAnnounced(target, caption);
    } else {
        target.setText(caption);
    }
}

void FormWindow::moveLabel(std::size_t row, const TwipRect& place) {
    m_labels.at(row)->moveTwips(place.left, place.top, place.width, place.height);
}

void FormWindow::setLabelVisible(std::size_t row, bool visible) {
    m_labels.at(row)->setVisible(visible);
}

double FormWindow::windowHeight() const {
    return height() * kTwipsPerPixel + kFrameHeightTwips;
}

void FormWindow::setWindowHeight(double twips) {
    setFixedHeight(std::max(0, TwipsToPixels(twips - kFrameHeightTwips)));
}

void FormWindow::beep() {
    QApplication::beep();
}

bool FormWindow::event(QEvent* event) {
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

void FormWindow::mouse(CalcLabel::MouseStep step, ClickPairing::Row row) {
    if (step == CalcLabel::MouseStep::Release) {
        if (const ClickPairing::Row clicked = m_pairing.release(row)) {
            m_labels[*clicked]->click();
        }
        return;
    }
    const bool second = step == CalcLabel::MouseStep::SecondPress;
    if (const ClickPairing::Row paired = m_pairing.press(row, second)) {
        if (kLayout[*paired].doubleClick != WindowAction::None) {
            RunEventHandler([&] { m_form.doubleClick(*paired); });
        }
    }
}

// A press beside the labels ends a pair as one on a label would.
void FormWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        mouse(CalcLabel::MouseStep::Press, std::nullopt);
    }
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        mouse(CalcLabel::MouseStep::SecondPress, std::nullopt);
    }
}

// A press only records the key; it acts when it is let go.
void FormWindow::keyPressEvent(QKeyEvent* event) {
    m_keys.press(KeyEventData::from(*event));
}

void FormWindow::keyReleaseEvent(QKeyEvent* event) {
    const std::optional<std::int16_t> code = m_keys.release(KeyEventData::from(*event));
    if (code) {
        const std::int16_t shift = shiftState(event->modifiers());
        RunEventHandler([this, &code, shift] { m_form.Form_KeyUp(*code, shift); });
    }
}

// Tab and Shift+Tab are keys like any other: they never move the focus between labels.
bool FormWindow::focusNextPrevChild(bool /*next*/) {
    return false;
}

}  // namespace zobu
