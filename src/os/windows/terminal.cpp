#include "os/system.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <io.h>
#include <string>

namespace {

// Whether the program was handed a stream of its own here: output redirected to a file or a
// pipe, or a console it shares.
bool handed(DWORD stream)
{
    const HANDLE handle = GetStdHandle(stream);
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

// A Windows program always has its desktop.
QString missingDisplay()
{
    return {};
}

// A windowed program started from a console has neither its output nor its error stream,
// unless they were redirected: it borrows the console of the program that started it for the
// streams it lacks. Redirected ones stay where they were sent.
void useStartingTerminal()
{
    const bool output = handed(STD_OUTPUT_HANDLE), error = handed(STD_ERROR_HANDLE);
    if ((output && error) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return; // nothing lacking, or started from the desktop: no console to answer on
    if (!output)
        std::freopen("CONOUT$", "w", stdout);
    if (!error)
        std::freopen("CONOUT$", "w", stderr);
}

// A console is given the text as UTF-16, which it shows whatever its code page: bytes written
// to it would be read in that code page (437 or 936, not UTF-8). A file or a pipe gets the
// UTF-8 bytes, with Windows line ends.
void printOnTerminal(const char *utf8)
{
    std::fflush(stdout);
    const auto console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout)));
    DWORD mode = 0;
    if (console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode)) {
        std::fputs(utf8, stdout);
        return;
    }
    // The length counts the closing null; 0 means the text could not be converted, and then
    // it goes out as the bytes it is rather than as a length that underflows.
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring text(std::max(length, 0), L'\0');
    if (length <= 0 || MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length) != length) {
        std::fputs(utf8, stdout);
        return;
    }
    DWORD written = 0;
    WriteConsoleW(console, text.data(), DWORD(length - 1), &written, nullptr);
}
