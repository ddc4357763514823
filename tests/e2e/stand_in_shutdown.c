/* Windows' shutdown.exe as the end-to-end runs meet it: it switches nothing off, it only
 * appends "<seconds since 1970> shutdown <arguments>" to the file that MORVANE_CALLS_LOG
 * names, as the Linux stand-ins do, then " (with a console window)" when it was given one,
 * which a tool the program launches must not be. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int main(int argc, char **argv)
{
    const char *log = getenv("MORVANE_CALLS_LOG");
    FILE *out = log ? fopen(log, "ab") : NULL; /* "\n" alone ends a line, as the scripts read it */
    FILETIME now;
    ULARGE_INTEGER t;

    if (!out)
        return 2;
    GetSystemTimePreciseAsFileTime(&now);
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart -= 116444736000000000ULL; /* from 1601 to 1970, in 100 ns */
    fprintf(out, "%llu.%07llu shutdown", t.QuadPart / 10000000, t.QuadPart % 10000000);
    for (int i = 1; i < argc; ++i)
        fprintf(out, " %s", argv[i]);
    fputs(GetConsoleWindow() ? " (with a console window)\n" : "\n", out);
    return fclose(out) == 0 ? 0 : 2;
}
