// The program: builds the application and the calculator's window, shows it, runs the event loop.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "form_window.h"
#include "unhandled_failure.h"
#include "x11_auto_repeat.h"

namespace {

bool nonEmpty(const char* value) {
    return value != nullptr && *value != '\0';
}

// Without a display Qt's platform plugin would abort with a page of advice; the user gets
// one line instead. With QT_QPA_PLATFORM set, Qt is told where to draw and is trusted.
bool displayAvailable() {
    return nonEmpty(std::getenv("QT_QPA_PLATFORM")) || nonEmpty(std::getenv("DISPLAY")) ||
           nonEmpty(std::getenv("WAYLAND_DISPLAY"));
}

// The id of the installed desktop entry, so that desktops match the window to its entry and
// icon (Wayland's app id, X's startup notification).
constexpr const char* kDesktopFileName = "io.github.zobu.zobu";

constexpr const char* kNoDisplay = "zobu: cannot open the window: no display to show it on\n";

// While the application starts, a display that is named but cannot be reached makes Qt's
// platform plugin fail fatally: say so in one line and end, instead of Qt's abort.
void startupMessages(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplay, stderr);
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fputs(kNoDisplay, stderr);
        return EXIT_FAILURE;
    }
    const QtMessageHandler previous = qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    // A held key acts once, at its release: on X, ask for one release per hold instead of a
    // release-press pair per repeat. Elsewhere repeats come flagged and this does nothing.
    zobu::requestDetectableAutoRepeat();

    int status = EXIT_FAILURE;
    zobu::RunEventHandler([&] {
        zobu::FormWindow window;
        window.show();
        status = QApplication::exec();
    });
    return status;
}
