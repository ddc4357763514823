#pragma once

#include "forms/forms.h"
#include "os/system.h"
#include "support/fake_desktop.h"

// The program's windows on a fake desktop.
struct TestApp {
    FakeDesktop desktop;
    int quitCalls = 0;
    Forms forms{desktop, [this] { ++quitCalls; }};

    TestApp() { forms.start(); }
    void finishLoading() { desktop.advance(2000); } // past Form1's loading animation
};

// The command line that shuts this system down.
inline QString shutdownLine()
{
    return powerCommandLine(PowerAction::Shutdown);
}
