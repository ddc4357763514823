#include "os/system.h"

#include <QFileInfo>
#include <QLibraryInfo>

#include <wayland-client.h>
#include <xcb/xcb.h>

namespace {

// Whether Qt can load the windowing plugin in `file` here.
bool hasPlugin(const QString &file)
{
    QStringList folders = qEnvironmentVariable("QT_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts);
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const QString &folder : folders)
        if (QFileInfo::exists(folder + QStringLiteral("/platforms/") + file))
            return true;
    return false;
}

bool xDisplayOpens()
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool opens = !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return opens;
}

bool waylandDisplayOpens()
{
    wl_display *display = wl_display_connect(nullptr);
    if (display)
        wl_display_disconnect(display);
    return display;
}

} // namespace

// X11 where an X display is at hand (XWayland too), where everything the windows need works
// as the window manager has it; native Wayland where only Wayland is there; the platform the
// user chose (QT_QPA_PLATFORM) as it is. Qt itself would end the program with its own message
// (and a core dump) where it cannot open the display it picked.
QString missingDisplay()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return {};
    const QString x = qEnvironmentVariable("DISPLAY"), wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (x.isEmpty() && wayland.isEmpty())
        return QStringLiteral("no display found (DISPLAY and WAYLAND_DISPLAY are not set); "
                              "start it from a desktop session.");
    QStringList why;
    if (!x.isEmpty()) {
        if (!hasPlugin(QStringLiteral("libqxcb.so")))
            why << QStringLiteral("Qt's X11 support is not installed (Debian: qt6-qpa-plugins)");
        else if (!xDisplayOpens())
            why << QStringLiteral("the X display %1 (DISPLAY) cannot be opened").arg(x);
        else
            return qputenv("QT_QPA_PLATFORM", "xcb"), QString();
    }
    if (!wayland.isEmpty()) {
        if (!hasPlugin(QStringLiteral("libqwayland-generic.so")))
            why << QStringLiteral("Qt's Wayland support is not installed (Debian: qt6-wayland)");
        else if (!waylandDisplayOpens())
            why << QStringLiteral("the Wayland display %1 (WAYLAND_DISPLAY) cannot be reached").arg(wayland);
        else
            return qputenv("QT_QPA_PLATFORM", "wayland"), QString();
    }
    return why.join(QStringLiteral("; ")) + QStringLiteral("; start it from a desktop session.");
}
