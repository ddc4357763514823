#include "app/terminal.h"

#include <cstdio>

void useStartingTerminal() {}

void printOnTerminal(const char *utf8)
{
    std::fputs(utf8, stdout);
}
