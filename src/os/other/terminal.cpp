#include "os/system.h"

#include <cstdio>

// Qt finds the display, or says why not.
QString missingDisplay()
{
    return {};
}

void useStartingTerminal() {}

void printOnTerminal(const char *utf8)
{
    std::fputs(utf8, stdout);
}
