#include "app/core/displaycheck.h"

#include <cstring>

QString MissingDisplayReason(int argc, char **argv)
{
    // A platform chosen on the command line or in the environment is the
    // user's decision (offscreen, vnc, ...).
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0)
            return QString();
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool hasX11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool hasWayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return QString();
    if (platform.startsWith("xcb") && !hasX11)
        return QStringLiteral("QT_QPA_PLATFORM asks for X11, but DISPLAY is not set.");
    if (platform.startsWith("wayland") && !hasWayland)
        return QStringLiteral("QT_QPA_PLATFORM asks for Wayland, but WAYLAND_DISPLAY is not set.");
    if (!hasX11 && !hasWayland)
        return QStringLiteral("there is no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY "
                              "is set).");
    return QString();
}

QString MissingDisplayAdvice()
{
    return QStringLiteral("Start Lodex from a desktop session, or on a machine without one through a virtual "
                          "display:\n    xvfb-run -a lodex [FILE.ldx]");
}
