#include "startup_failure.h"

#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(ZOBU_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace zobu {
namespace {

constexpr const char* kCannotOpen = "zobu: cannot open the window: ";

// What Qt says while the application starts, and where its window was to go. A message
// handler is a plain function, so this is the one place the start keeps state outside the
// application.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
struct StartMessages {
    QtMessageHandler previous = nullptr;
    std::vector<HeldMessage> held;  // passed on once the start has succeeded
    QString platform;               // as Qt takes it: its -platform option, else QT_QPA_PLATFORM
    QString display;                // for X: its -display option, else DISPLAY
};
StartMessages& startMessages() {
    static StartMessages messages;
    return messages;
}

// The value of one of Qt's own options, which Qt also takes with two dashes; else the variable.
QString optionOr(int argc, char** argv, const char* option, const char* variable) {
    for (int i = 1; i + 1 < argc; ++i) {
        const char* arg = argv[i];
        if (std::strncmp(arg, "--", 2) == 0) {
            ++arg;
        }
        if (std::strcmp(arg, option) == 0) {
            return QString::fromLocal8Bit(argv[i + 1]);
        }
    }
    return qEnvironmentVariable(variable);
}

// X and Wayland clients need to be told their display; Windows and macOS have one.
bool displayNamed(const StartMessages& messages) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !messages.platform.isEmpty() || !messages.display.isEmpty() ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(messages);
    return true;
#endif
}

bool xDisplayAnswers(const QString& display) {
#if defined(ZOBU_HAVE_XCB)
    xcb_connection_t* x = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    const bool answers = xcb_connection_has_error(x) == 0;
    xcb_disconnect(x);
    return answers;
#else
    Q_UNUSED(display);
    return true;
#endif
}

// The cause, decided from where the window was to go and the display itself; Qt's reasons
// follow it.
QString cause(const QString& platform, const QString& display) {
    const bool onX = platform.isEmpty() || platform == QLatin1String("xcb");
    if (onX && !display.isEmpty() && !xDisplayAnswers(display)) {
        return QStringLiteral("the display \"%1\" could not be reached").arg(display);
    }
    if (platform == QLatin1String("xcb") && display.isEmpty()) {
        return QStringLiteral("no X display named (DISPLAY is unset)");
    }
    if (!platform.isEmpty()) {
        return QStringLiteral("the platform plugin \"%1\" could not be started").arg(platform);
    }
    return QStringLiteral("Qt's platform plugin could not be started");
}

// Qt ends a start that found no working platform plugin with a fatal message after its
// warnings, which hold the reasons. All of it goes on the one line, in Qt's words.
void onStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    StartMessages& messages = startMessages();
    if (type != QtFatalMsg) {
        messages.held.push_back({type, context.category, text});
        return;
    }
    QStringList said;
    for (const HeldMessage& message : messages.held) {
        said.append(message.text);
    }
    said.append(text);
    const QString line = kCannotOpen + cause(messages.platform, messages.display) +
                         QStringLiteral(" (Qt: ") + said.join(QStringLiteral("; ")).simplified() +
                         QStringLiteral(")\n");
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

}  // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    StartMessages& messages = startMessages();
    messages.platform = optionOr(argc, argv, "-platform", "QT_QPA_PLATFORM");
    messages.display = optionOr(argc, argv, "-display", "DISPLAY");
    if (!displayNamed(messages)) {
        std::fprintf(stderr, "%sno display named (DISPLAY and WAYLAND_DISPLAY are unset)\n",
                     kCannotOpen);
        std::exit(EXIT_FAILURE);
    }
    messages.previous = qInstallMessageHandler(onStartMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(messages.previous);
    // Warnings of a start that succeeded (a plugin tried before the one that worked, say)
    // are the user's to see, as Qt would show them.
    for (const HeldMessage& message : messages.held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        if (messages.previous != nullptr) {
            messages.previous(message.type, context, message.text);
        }
    }
    messages.held.clear();
    return app;
}

}  // namespace zobu
