#include "os/system.h"

#include <cstdio>

// A POSIX program started from a terminal writes to it already, in UTF-8.
void useStartingTerminal() {}

void printOnTerminal(const char *utf8)
{
    std::fputs(utf8, stdout);
}
