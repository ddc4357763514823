#include "app/terminal.h"

void useStartingTerminal() {}
