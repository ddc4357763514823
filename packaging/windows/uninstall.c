/* uninstall.exe: Morvane's uninstaller as users and "Apps & features" start it.
 *
 * The NSIS uninstaller itself is uninstall-core.exe, beside it. Started on its own (without
 * "_?="), an NSIS uninstaller copies itself to %TEMP%, starts the copy and returns 0 at once,
 * before anything is removed and whatever the copy then does. This program instead starts it
 * in place ("_?=<folder>", which stops that copy), waits for it and returns its exit status:
 * 0 removed, 1 cancelled, 2 refused (Morvane is running) or failed; 3 when it could not be
 * started. Its arguments (/S, /AllUsers, /CurrentUser) go to the uninstaller as they are.
 *
 * A running program's file cannot be deleted on Windows, but it can be renamed. Once the
 * uninstaller has removed everything else, this program deletes uninstall-core.exe (ended by
 * then), moves its own file out of the folder into %TEMP% (to be deleted at the next start of
 * Windows where it may ask for that) and removes the folder if nothing else is left in it, so
 * that no file of the install stays behind in the folder. */
#include <wchar.h>
#include <windows.h>

#define CORE L"uninstall-core.exe"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR arguments, int show)
{
    (void)instance;
    (void)previous;
    (void)show;
    static wchar_t self[MAX_PATH], folder[MAX_PATH], core[MAX_PATH], line[3 * MAX_PATH + 4096];
    static wchar_t temp[MAX_PATH], moved[MAX_PATH];

    DWORD n = GetModuleFileNameW(NULL, self, MAX_PATH);
    if (!n || n >= MAX_PATH)
        return 3;
    wcscpy(folder, self);
    wchar_t *slash = wcsrchr(folder, L'\\');
    if (!slash)
        return 3;
    *slash = 0;
    if (_snwprintf(core, MAX_PATH, L"%ls\\" CORE, folder) < 0)
        return 3;
    /* "_?=" must come last, unquoted, after a space (NSIS's own rule). */
    if (_snwprintf(line, sizeof line / sizeof *line, L"\"%ls\" %ls _?=%ls", core, arguments ? arguments : L"",
                   folder) < 0)
        return 3;

    STARTUPINFOW startup = {.cb = sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessW(core, line, NULL, NULL, FALSE, 0, NULL, folder, &startup, &process))
        return 3;
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 3;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    if (status != 0)
        return (int)status; /* refused or cancelled: nothing was removed */

    DeleteFileW(core);
    BOOL away = FALSE;
    if (GetFileAttributesW(self) != INVALID_FILE_ATTRIBUTES && GetTempPathW(MAX_PATH, temp) &&
        GetTempFileNameW(temp, L"mvu", 0, moved)) {
        /* Same volume only: a running file can be renamed, not copied and deleted. */
        away = MoveFileExW(self, moved, MOVEFILE_REPLACE_EXISTING);
        if (away)
            MoveFileExW(moved, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
        else
            DeleteFileW(moved);
    }
    if (!away)
        MoveFileExW(self, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
    if (!RemoveDirectoryW(folder) && !away)
        MoveFileExW(folder, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
    return 0;
}
