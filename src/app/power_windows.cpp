#include "app/power.h"

QString powerCommandLine(PowerAction action)
{
    return windowsCommandLine(action);
}
