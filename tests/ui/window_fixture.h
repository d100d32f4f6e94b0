// A shown calculator window driven through its QWindow, so that every click and key is
// delivered by Qt the way a user's is: a click reaches whatever label lies on top at that point.
#pragma once

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWindow>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "calc_label.h"
#include "form_window.h"

namespace zobu::testing {

struct KeyRef {
    LabelName name;
    std::int16_t index;
};

// Keys by caption: 0-9 . + - * / = as on the keypad, n "-n", r "1/n", D DEL, C copy, V paste.
inline KeyRef KeyFor(char k) {
    constexpr std::string_view kNum = "0123456789.", kMix = "=+-*/", kFun = "nr";
    for (const auto& [captions, name] :
         {std::pair{kNum, LabelName::lblNum}, std::pair{kMix, LabelName::lblMix},
          std::pair{kFun, LabelName::lblFun}}) {
        if (const auto index = captions.find(k); index != std::string_view::npos) {
            return {name, static_cast<std::int16_t>(index)};
        }
    }
    switch (k) {
        case 'D':
            return {LabelName::lblDel, 0};
        case 'C':
            return {LabelName::lblCopy, 0};
        case 'V':
            return {LabelName::lblPaste, 0};
        default:
            throw std::invalid_argument("unknown key in test sequence");
    }
}

// Everything a key or click can change: the state, the four lines, the height, the help
// panel and the clipboard; equal snapshots prove that nothing happened.
struct WindowSnapshot {
    CalcState state;
    std::array<QString, 4> lines;
    int height = 0;
    bool help = false;
    QString clipboard;

    auto fields() const {
        const CalcState& s = state;
        return std::tie(s.dblLastNum, s.dblLastResult, s.dblResult, s.intLastOp, s.intOp,
                        s.intState, s.intFullHeight, s.intFoldHeight, lines, height, help,
                        clipboard);
    }
    friend bool operator==(const WindowSnapshot& a, const WindowSnapshot& b) {
        return a.fields() == b.fields();
    }
    friend void PrintTo(const WindowSnapshot& w, std::ostream* os) {
        *os << "{display \"" << w.lines[0].toStdString() << "\", state " << w.state.intState
            << ", op " << w.state.intOp << ", height " << w.height << ", help " << w.help << "}";
    }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    CalcLabel& label(LabelName name, std::int16_t index = 0) { return window.label(name, index); }
    QPoint centre(LabelName name, std::int16_t index = 0) {
        return label(name, index).geometry().center();
    }

    void clickAt(QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window.windowHandle(), button, Qt::NoModifier, pos);
    }
    void doubleClickAt(QPoint pos) {
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, pos);
    }
    void click(LabelName name, std::int16_t index = 0) { clickAt(centre(name, index)); }
    void doubleClick(LabelName name, std::int16_t index = 0) { doubleClickAt(centre(name, index)); }

    // Clicks keys by caption (see KeyFor); blanks group the keys for reading.
    void press(std::string_view keys) {
        for (const char k : keys) {
            if (k != ' ') {
                click(KeyFor(k).name, KeyFor(k).index);
            }
        }
    }

    // The release of a key with this virtual-key code, no modifiers.
    void keyUp(std::int16_t code) { window.form().Form_KeyUp(code, 0); }

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

    std::string line(LabelName name) { return label(name).text().toStdString(); }
    std::string say() { return line(LabelName::lblSay); }
    int clientHeight() const { return window.height(); }
    bool helpShown() { return !label(LabelName::lblHelp).isHidden(); }

    WindowSnapshot snapshot() {
        return {window.form().state(),
                {label(LabelName::lblSay).text(), label(LabelName::lblTie).text(),
                 label(LabelName::lblLast).text(), label(LabelName::lblNext).text()},
                clientHeight(),
                helpShown(),
                clipboard()};
    }

    FormWindow window;
};

}  // namespace zobu::testing
