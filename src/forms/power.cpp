#include "forms/power.h"

#include "core/desktop.h"
#include "core/runtime_error.h"
#include "os/system.h"

void PerformPowerAction(Desktop &desktop, PowerAction action)
{
    const QString line = powerCommandLine(action);
    if (line.isEmpty()) {
        desktop.postMessage(actionNotSupportedText(), QStringLiteral("提示"));
        return;
    }
    try {
        desktop.runCommand(line);
    } catch (const RuntimeError &) {
        desktop.postMessage(commandNotStartedText(line), QStringLiteral("提示"));
    }
}
