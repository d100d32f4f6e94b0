#include "form_window.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "accessibility.h"
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
        m_labels[row] = new CalcLabel(row, this);
    }
    // The help panel lies over every label and hides them while it is shown.
    label(LabelName::lblHelp).setAutoFillBackground(true);
    label(LabelName::lblHelp).raise();

    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    m_form.Form_Load();
}

// The labels go first: until they are gone, their accessible interfaces may ask frmA.
FormWindow::~FormWindow() {
    for (CalcLabel*& label : m_labels) {
        delete std::exchange(label, nullptr);
    }
}

CalcLabel& FormWindow::label(LabelName name, std::int16_t index) const {
    return *m_labels[LayoutRow(name, index)];
}

void FormWindow::setCaption(std::size_t row, std::string_view text, bool heard) {
    CalcLabel& target = *m_labels.at(row);
    target.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (heard) {
        AnnounceWrite(target);
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

LabelAccess FormWindow::access(std::size_t row) const {
    return m_form.access(row);
}

// Run from the event loop, after the reader's call has been answered.
void FormWindow::press(std::size_t row) {
    QMetaObject::invokeMethod(
        this, [this, row] { RunEventHandler([&] { m_form.click(row); }); }, Qt::QueuedConnection);
}

// The topmost shown label under the pointer, the help panel lying above all; the labels pass
// every mouse event on to the window.
ClickPairing::Row FormWindow::labelAt(const QMouseEvent& event) const {
    if (const auto* label = dynamic_cast<const CalcLabel*>(childAt(event.position().toPoint()))) {
        return label->layoutRow();
    }
    return std::nullopt;
}

void FormWindow::mousePress(const QMouseEvent& event, bool secondOfPair) {
    if (event.button() != Qt::LeftButton) {
        return;
    }
    if (const ClickPairing::Row paired = m_pairing.press(labelAt(event), secondOfPair)) {
        RunEventHandler([&] { m_form.doubleClick(*paired); });
    }
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    mousePress(*event, false);
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePress(*event, true);
}

// The release comes here wherever the pointer has gone: Qt keeps the mouse for the window (or
// the label, which passes it on) that had the press.
void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (const ClickPairing::Row clicked = m_pairing.release(labelAt(*event))) {
        RunEventHandler([&] { m_form.click(*clicked); });
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
