// SPDX-License-Identifier: MIT
// Start-up: one window in its designed state, then the event loop until the window is closed.
#include "main_window.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kNoWindow = "malvoran: cannot open the window: %s\n"
                                  "Malvoran is a desktop program; start it from a graphical session.\n";

// Qt ends the process with abort() when it finds no display; say plainly what happened instead.
void reportStartFailure(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, kNoWindow, qPrintable(message));
        std::_Exit(EXIT_FAILURE);
    }
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

bool displayConfigured()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty())
        return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.startsWith("xcb"))
        return !qEnvironmentVariableIsEmpty("DISPLAY");
#endif
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!displayConfigured()) {
        std::fprintf(stderr, kNoWindow, "no display (DISPLAY is not set)");
        return EXIT_FAILURE;
    }

    const QtMessageHandler previous = qInstallMessageHandler(reportStartFailure);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);

    QApplication::setApplicationName("Malvoran");
    QApplication::setApplicationVersion(MALVORAN_VERSION);
    QGuiApplication::setDesktopFileName(MALVORAN_APP_ID);

    Malvoran window;
    if (!window.fontNotice().isEmpty())
        std::fprintf(stderr, "malvoran: %s\n", qPrintable(window.fontNotice()));
    window.show();
    return QApplication::exec();
}
