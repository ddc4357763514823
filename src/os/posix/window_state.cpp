#include "os/system.h"

#include <QGuiApplication>

// Only X11 keeps a window's "start iconic" request across a restore by the window manager.
bool restoredWindowsStartIconic()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}
