// The program: builds the application and the calculator's window, shows it, runs the event loop.
#include <QApplication>
#include <cstdlib>

#include "form_window.h"
#include "startup_failure.h"
#include "unhandled_failure.h"
#include "x11_auto_repeat.h"

int main(int argc, char* argv[]) {
    const std::unique_ptr<QApplication> app = zobu::StartApplication(argc, argv);
    // The id of the installed desktop entry (cmake/install.cmake), so that desktops match the
    // window to its entry and icon (Wayland's app id, X's startup notification).
    QGuiApplication::setDesktopFileName(QStringLiteral(ZOBU_APP_ID));
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
