#pragma once

// Makes standard output and error reach the terminal the program was started from, so
// that --help and --version can answer there. A windowed program on Windows has none of
// its own; elsewhere they already do.
void useStartingTerminal();

// Writes UTF-8 text to standard output so that a terminal shows it as written, whatever its
// own code page.
void printOnTerminal(const char *utf8);
