#include "os/system.h"

// A window restored from the task bar is simply restored.
bool restoredWindowsStartIconic()
{
    return false;
}
