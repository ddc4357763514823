#pragma once

#include "app/forms.h"
#include "support/fake_desktop.h"

// The program's windows on a fake desktop.
struct TestApp {
    FakeDesktop desktop;
    int quitCalls = 0;
    Forms forms{desktop, [this] { ++quitCalls; }};

    TestApp();
    void finishLoading(); // Form1's loading animation runs to its end
};

// The command line that shuts this system down.
QString shutdownLine();
