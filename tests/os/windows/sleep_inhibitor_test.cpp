#include "os/qt_desktop.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// The UI thread's execution state; asking with no flags changes nothing and answers with it.
EXECUTION_STATE executionState()
{
    return SetThreadExecutionState(0);
}

// While a timed shutdown is pending the real desktop keeps the system awake, and nothing more
// (the display may sleep); released, the thread asks for nothing any longer.
TEST(SystemSleepInhibitor, TheDesktopHoldsTheSystemAwakeExactlyWhileAsked)
{
    QtDesktop desktop;
    for (bool on : {true, true, false, true, false}) {
        desktop.setSleepInhibited(on);
        EXPECT_EQ(executionState(), on ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS) << on;
    }
}

} // namespace
