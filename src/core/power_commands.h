#pragma once

#include <QString>

// What the program can do to the computer.
enum class PowerAction { Shutdown, Restart, LogOff };

// The command line of each action on Windows, for its own `shutdown` tool.
QString windowsCommandLine(PowerAction action);
// The same actions on a Linux desktop. Log-off ends the user's graphical session,
// or, without a usable session id, every session of the user.
QString linuxCommandLine(PowerAction action, const QString &sessionId, unsigned userId);
