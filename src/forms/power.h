#pragma once

#include "core/power_commands.h"

class Desktop;

// Launches the action's command line for this system and returns at once. A tool that
// cannot be started, or a system with no way to carry the action out, is reported in a
// box; the program keeps running.
void PerformPowerAction(Desktop &desktop, PowerAction action);
