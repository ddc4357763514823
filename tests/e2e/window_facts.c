/* What Windows knows of the shown window titled argv[1]: "above" when it stays above every other
 * window (WS_EX_TOPMOST) or "normal", "maximisable" when it has a Maximize box or "fixed", then
 * the title of the window that owns it, if any:
 *
 *     window_facts 提示   ->   normal fixed Morvane_V1.0
 *
 * With "query" or "cancel" after the title it sends that window, as Windows does when the user
 * logs off, the question whether the session may end (WM_QUERYENDSESSION), or the word that it
 * does not end after all (WM_ENDSESSION with FALSE). Status 1 when no such window shows. */
#include <stdio.h>
#include <windows.h>

int main(void)
{
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    wchar_t owner[256] = L"";
    char line[1024];
    HWND found = NULL;

    if (argc != 2 && argc != 3)
        return 2;
    for (HWND window = NULL; (window = FindWindowExW(NULL, window, NULL, argv[1]));)
        found = IsWindowVisible(window) ? window : found;
    if (!found)
        return 1;
    if (argc == 3) {
        SendMessageW(found, wcscmp(argv[2], L"query") ? WM_ENDSESSION : WM_QUERYENDSESSION, FALSE,
                     ENDSESSION_LOGOFF);
        return 0;
    }
    GetWindowTextW(GetWindow(found, GW_OWNER), owner, 256); /* none: stays empty */
    WideCharToMultiByte(CP_UTF8, 0, owner, -1, line, sizeof line, NULL, NULL);
    printf("%s %s %s\n", (GetWindowLongW(found, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "above" : "normal",
           (GetWindowLongW(found, GWL_STYLE) & WS_MAXIMIZEBOX) ? "maximisable" : "fixed", line);
    return 0;
}
