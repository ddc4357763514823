/* A stand-in for Windows' shutdown.exe for the end-to-end runs: it switches nothing off, it
 * only appends one line to the file named by MORVANE_CALLS_LOG, as the Linux stand-ins do:
 *
 *     <seconds since 1970> shutdown <arguments>
 *
 * followed by " (with a console window)" when it was given one, which a tool launched by the
 * program must not be. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int main(int argc, char **argv)
{
    const char *log = getenv("MORVANE_CALLS_LOG");
    FILETIME now;
    ULARGE_INTEGER t;
    FILE *out;
    int i;

    if (!log || !(out = fopen(log, "ab"))) /* "\n" alone ends a line, as the scripts read it */
        return 2;
    GetSystemTimePreciseAsFileTime(&now);
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart -= 116444736000000000ULL; /* from 1601 to 1970, in 100 ns */
    fprintf(out, "%llu.%07llu shutdown", t.QuadPart / 10000000, t.QuadPart % 10000000);
    for (i = 1; i < argc; ++i)
        fprintf(out, " %s", argv[i]);
    fputs(GetConsoleWindow() ? " (with a console window)\n" : "\n", out);
    return fclose(out) == 0 ? 0 : 2;
}
