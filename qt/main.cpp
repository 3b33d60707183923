// SPDX-License-Identifier: MIT
// Start-up: one window in its designed state, then the event loop until the window is closed.
#include "main_window.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// What Qt says while it looks for a display is held back: a window that opens needs none of it, and
// one that cannot open is explained in a single sentence rather than Qt's list of plugins.
QStringList& heldMessages()
{
    static QStringList messages;
    return messages;
}

QString displayName()
{
    return qEnvironmentVariable("WAYLAND_DISPLAY", qEnvironmentVariable("DISPLAY"));
}

QString whyNoWindow()
{
    const bool noAnswer = std::ranges::any_of(heldMessages(), [](const QString& message) {
        return message.contains("connect to display", Qt::CaseInsensitive) ||
               message.contains("wl_display", Qt::CaseInsensitive);
    });
    if (noAnswer)
        return QString("the display \"%1\" does not answer; start Malvoran from a desktop session")
            .arg(displayName());
    return QString("Qt's display plugin \"%1\" did not start")
        .arg(qEnvironmentVariable("QT_QPA_PLATFORM", "xcb"));
}

// Qt ends the process with abort() when it finds no display; say plainly what happened instead.
void holdStartMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        heldMessages() += message;
        return;
    }
    std::fprintf(stderr, "malvoran: cannot open the window: %s.\n", qPrintable(whyNoWindow()));
    std::_Exit(EXIT_FAILURE);
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
        std::fputs(
            "malvoran: cannot open the window: no display is set; start Malvoran from a desktop session.\n",
            stderr);
        return EXIT_FAILURE;
    }

    const QtMessageHandler previous = qInstallMessageHandler(holdStartMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& message : std::as_const(heldMessages()))
        std::fprintf(stderr, "%s\n", qPrintable(message));

    QApplication::setApplicationName("Malvoran");
    QApplication::setApplicationVersion(MALVORAN_VERSION);
    QGuiApplication::setDesktopFileName(MALVORAN_APP_ID);

    const QStringList setUpNotices = setUpApplication();
    Malvoran window;
    window.show();
    // Shown, the lists know their size and whether the colour names had to be set smaller.
    for (const QString& notice : window.notices() + setUpNotices)
        std::fprintf(stderr, "malvoran: %s\n", qPrintable(notice));
    return QApplication::exec();
}
