#include "os/system.h"

#include <unistd.h>

QString powerCommandLine(PowerAction action)
{
    return linuxCommandLine(action, qEnvironmentVariable("XDG_SESSION_ID"), unsigned(getuid()));
}
