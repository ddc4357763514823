#include "app/forms.h"
#include "platform/qt_desktop.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
#if defined(Q_OS_LINUX)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("morvane: no display found (DISPLAY and WAYLAND_DISPLAY are not set); "
                   "start it from a desktop session.\n",
                   stderr);
        return 2;
    }
#endif
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // only the exit button ends the program
    QtDesktop desktop;
    Forms forms(desktop, [] { QCoreApplication::exit(0); });
    forms.start();
    return QApplication::exec();
}
