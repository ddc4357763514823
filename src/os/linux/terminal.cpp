#include "os/system.h"

#include <cstdio>

QString missingDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return QStringLiteral("no display found (DISPLAY and WAYLAND_DISPLAY are not set); "
                              "start it from a desktop session.");
    return {};
}
