#include "os/system.h"

#include <windows.h>

// The installer and the uninstaller look for this name (packaging/windows/morvane.nsi) and change
// nothing while it exists. Its handle is never closed: Windows closes it when the program ends,
// however it ends, and the name goes with the last handle.
void holdRunningMarker()
{
    CreateMutexW(nullptr, FALSE, L"Global\\Morvane.Running");
}
