#include "support/test_app.h"

#include "app/form1.h"
#include "app/power.h"

TestApp::TestApp()
{
    forms.start();
}

void TestApp::finishLoading()
{
    desktop.advance(2000);
}

QString shutdownLine()
{
    return powerCommandLine(PowerAction::Shutdown);
}
