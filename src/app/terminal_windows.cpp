#include "app/terminal.h"

#include <windows.h>

#include <cstdio>

void useStartingTerminal()
{
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return; // started from the desktop: there is no terminal to answer on
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
    SetConsoleOutputCP(CP_UTF8); // the texts are UTF-8
}
