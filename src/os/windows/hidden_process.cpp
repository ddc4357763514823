#include "os/system.h"

#include <QProcess>

#include <windows.h>

void hideProcessWindow(QProcess &process)
{
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments *args) { args->flags |= CREATE_NO_WINDOW; });
}
