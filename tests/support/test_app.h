#pragma once

#include "forms/forms.h"
#include "support/fake_desktop.h"

// The program's windows on a fake desktop.
struct TestApp {
    FakeDesktop desktop;
    int quitCalls = 0;
    Forms forms{desktop, [this] { ++quitCalls; }};

    TestApp() { forms.start(); }
    void finishLoading() { desktop.advance(2000); } // past Form1's loading animation
};

// The lines that shut down, restart and log off this system (the session "c7").
#ifdef Q_OS_WIN
const QStringList PowerLines{"shutdown -f -s -t 0", "shutdown -f -r -t 0", "shutdown -l"};
#else
const QStringList PowerLines{"systemctl poweroff", "systemctl reboot", "loginctl terminate-session c7"};
#endif
const QString ShutdownLine = PowerLines[0];
