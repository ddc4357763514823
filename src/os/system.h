#pragma once

// What each operating system provides, one folder each (linux/, windows/, other/), with what
// every POSIX system shares in posix/; the OS block of the top CMakeLists.txt picks the files
// of the system it builds for.

#include "core/power_commands.h"

#include <QString>

#include <functional>

class QObject;
class QProcess;

// The command line that carries the action out here; empty where the system has no way.
QString powerCommandLine(PowerAction action);

// True where a window that the window manager restored from minimised still asks to start
// minimised, as the program's last minimise told it (X11): hidden and shown again, it would
// come back minimised unless told otherwise first.
bool restoredWindowsStartIconic();

// Asks the system not to open a console window for the launched program.
void hideProcessWindow(QProcess &process);

// Picks the windowing system the windows are shown on, before the application starts (on
// Linux: X11 where an X display is at hand, else Wayland; a platform the user chose stays), or
// says why none can be used here. Empty when the windows can be shown.
QString missingDisplay();

// Makes standard output and error reach the terminal the program was started from, so
// that --help and --version can answer there. A windowed program on Windows has none of
// its own; elsewhere they already do.
void useStartingTerminal();

// Writes UTF-8 text to standard output so that a terminal shows it as written, whatever its
// own code page.
void printOnTerminal(const char *utf8);

// Calls `cancelled` when a session end that the system announced is called off (another
// program refused it), for as long as `owner` lives.
void watchSessionEndCancelled(QObject &owner, const std::function<void()> &cancelled);

// Marks the program as running for as long as it runs, so that its installer and uninstaller can
// see it (on Windows: the named mutex Global\Morvane.Running); elsewhere nothing.
void holdRunningMarker();
