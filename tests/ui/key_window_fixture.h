// A shown calculator window driven from the keyboard: key releases straight into Form_KeyUp,
// Qt key events through the window's QWindow as the platform delivers them, and a snapshot of
// everything a key can change, to prove that a key did nothing.
#pragma once

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <array>
#include <cstdint>
#include <ostream>
#include <tuple>

#include "window_fixture.h"

namespace zobu::testing {

// What a key can change: the state, the four lines, the height, the help panel, the clipboard.
struct WindowSnapshot {
    CalcState state;
    std::array<QString, 4> lines;
    int clientHeight = 0;
    bool help = false;
    QString clipboard;

    static auto fields(const WindowSnapshot& w) {
        const CalcState& s = w.state;
        return std::tie(s.dblLastNum, s.dblLastResult, s.dblResult, s.intLastOp, s.intOp,
                        s.intState, s.intFullHeight, s.intFoldHeight, s.intTieLeft, s.intTieRight,
                        w.lines, w.clientHeight, w.help, w.clipboard);
    }
    friend bool operator==(const WindowSnapshot& a, const WindowSnapshot& b) {
        return fields(a) == fields(b);
    }
    friend void PrintTo(const WindowSnapshot& w, std::ostream* os) {
        const CalcState& s = w.state;
        *os << "{result " << s.dblResult << ", last " << s.dblLastResult << " " << s.dblLastNum
            << ", op " << s.intOp << "/" << s.intLastOp << ", state " << s.intState << ", lines";
        for (const QString& line : w.lines) {
            *os << " \"" << line.toStdString() << '"';
        }
        *os << ", height " << w.clientHeight << ", help " << w.help << ", clipboard \""
            << w.clipboard.toStdString() << "\"}";
    }
};

class KeyWindowTest : public WindowTest {
protected:
    // The release of a key with this virtual-key code, no modifiers.
    void keyUp(std::int16_t code) { window.Form_KeyUp(code, 0); }

    // A press and release through the window, modifiers pressed around it, as QTest types.
    void tap(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window.windowHandle(), key, modifiers);
    }

    // One key event with the fields a platform fills in, delivered through the window.
    void send(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              bool autoRepeat = false, quint32 scanCode = 0, quint32 nativeKey = 0) {
        QKeyEvent event(type, key, modifiers, scanCode, nativeKey, 0, QString(), autoRepeat);
        QCoreApplication::sendEvent(window.windowHandle(), &event);
    }

    static void setClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }

    WindowSnapshot snapshot() {
        return {window.state(),
                {label(LabelName::lblSay).text(), label(LabelName::lblTie).text(),
                 label(LabelName::lblLast).text(), label(LabelName::lblNext).text()},
                clientHeight(),
                window.helpVisible(),
                clipboard()};
    }
};

}  // namespace zobu::testing
