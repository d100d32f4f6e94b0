// The program: builds the application and the calculator's window, shows it, runs the event loop.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "form_window.h"
#include "native_key.h"
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
    // Qt 6.4 on Wayland now and then hangs for good while it takes down its connection (its
    // event thread waits for a read that never comes), so once the window is gone the program
    // ends here. Nothing is lost: the window is already destroyed, and a copied number is
    // served up to this point and no longer, as at any end on X11: Qt's Wayland clipboard
    // hands its text to no one when it goes, and under X only a clipboard manager would take it.
    if (zobu::currentKeyPlatform() == zobu::KeyPlatform::Wayland) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
