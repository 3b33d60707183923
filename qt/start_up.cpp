// SPDX-License-Identifier: MIT
// Start-up: the application, its one window, and a plain sentence where the window cannot open.
#include "start_up.h"

#include "form_window.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The program being started, for Qt's message handler, which is a plain function.
const Program* starting = nullptr;

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
        return QString("the display \"%1\" does not answer; start %2 from a desktop session")
            .arg(displayName(), QString::fromUtf8(starting->shownName));
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
    std::fprintf(stderr, "%s: cannot open the window: %s.\n", starting->command, qPrintable(whyNoWindow()));
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

int runProgram(int argc, char** argv, const Program& program,
               const std::function<std::unique_ptr<FormWindow>()>& makeWindow)
{
    starting = &program;
    if (!displayConfigured()) {
        std::fprintf(stderr,
                     "%s: cannot open the window: no display is set; start %s from a desktop session.\n",
                     program.command, program.shownName);
        return EXIT_FAILURE;
    }

    const QtMessageHandler previous = qInstallMessageHandler(holdStartMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& message : std::as_const(heldMessages()))
        std::fprintf(stderr, "%s\n", qPrintable(message));

    QApplication::setApplicationName(QString::fromUtf8(program.applicationName));
    QApplication::setApplicationVersion(MALVORAN_VERSION);
    QGuiApplication::setDesktopFileName(QString::fromUtf8(program.appId));

    const QStringList setUpNotices = setUpApplication();
    const std::unique_ptr<FormWindow> window = makeWindow();
    window->show();
    // Shown, the lists know their size and whether the colour names had to be set smaller.
    for (const QString& notice : window->notices() + setUpNotices)
        std::fprintf(stderr, "%s: %s\n", program.command, qPrintable(notice));
    return QApplication::exec();
}
