#include "os/system.h"

QString powerCommandLine(PowerAction action)
{
    return windowsCommandLine(action);
}
