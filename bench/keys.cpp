// Key latency of the real window: from a key's release to the display repainted, measured in
// process under the offscreen platform over a few thousand keys of an everyday mix.
//
//   build/release/bench/keys [KEYS]
//
// Prints the median, the 99th percentile and the maximum. A benchmark, not a test.
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "calc_label.h"
#include "form_window.h"
#include "keystrokes.h"

namespace {

using Clock = std::chrono::steady_clock;

// Notes each paint of the display, which follows the key's handling within the event loop.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

// The Qt key a user types for each key of the keystroke language: the keypad's "*" and "+",
// Enter for "=", "~" for "-n", "\\" for "1/n", Backspace for DEL.
Key keyFor(char c) {
    const zobu::testing::Keystroke k = *zobu::testing::KeystrokeFor(c);
    static constexpr Key kMixKeys[] = {{Qt::Key_Return, Qt::NoModifier},
                                       {Qt::Key_Plus, Qt::KeypadModifier},
                                       {Qt::Key_Minus, Qt::NoModifier},
                                       {Qt::Key_Asterisk, Qt::KeypadModifier},
                                       {Qt::Key_Slash, Qt::NoModifier}};
    switch (k.group) {
        case zobu::testing::KeyGroup::lblNum:
            return {k.index < 10 ? static_cast<Qt::Key>(Qt::Key_0 + k.index) : Qt::Key_Period,
                    Qt::NoModifier};
        case zobu::testing::KeyGroup::lblMix:
            return kMixKeys[k.index];
        case zobu::testing::KeyGroup::lblFun:
            return k.index == 0 ? Key{Qt::Key_AsciiTilde, Qt::ShiftModifier}
                                : Key{Qt::Key_Backslash, Qt::NoModifier};
        default:
            return {Qt::Key_Backspace, Qt::NoModifier};
    }
}

constexpr std::string_view kMix = "1234.56+78*9=n/3.5=D7-2r+12345678901234*0.5=DD99/7=";

double percentile(std::vector<double> sorted, double p) {
    const auto i = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1));
    return sorted[i];
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 5000;

    zobu::FormWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "keys: the window was not shown\n");
        return 1;
    }
    PaintWatch watch;
    window.label(zobu::LabelName::lblSay).installEventFilter(&watch);

    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(count));
    long changedKeys = 0;
    long repainted = 0;
    for (long i = 0; i < count; ++i) {
        const Key k = keyFor(kMix[static_cast<std::size_t>(i) % kMix.size()]);
        QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers);
        QKeyEvent release(QEvent::KeyRelease, k.key, k.modifiers);
        QCoreApplication::sendEvent(&window, &press);
        QCoreApplication::processEvents();
        const QString before = window.label(zobu::LabelName::lblSay).text();
        watch.painted = false;

        const Clock::time_point start = Clock::now();
        QCoreApplication::sendEvent(&window, &release);
        const bool changed = window.label(zobu::LabelName::lblSay).text() != before;
        // The repaint runs when the event loop handles the window's update request.
        for (int round = 0; round < 100 && (round == 0 || (changed && !watch.painted)); ++round) {
            QCoreApplication::processEvents();
        }
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        changedKeys += changed ? 1 : 0;
        repainted += changed && watch.painted ? 1 : 0;
    }

    std::sort(micros.begin(), micros.end());
    std::printf(
        "key release to repainted display, %zu keys (%ld changed the display, %ld of them "
        "seen repainted): median %.1f us, p99 %.1f us, max %.1f us\n",
        micros.size(), changedKeys, repainted, percentile(micros, 0.5), percentile(micros, 0.99),
        micros.back());
    return 0;
}
