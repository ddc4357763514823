#include "support/system_sleep_lock.h"

#include "support/private_bus.h"

// logind's list on the private bus; QtDBus reads the system bus address at its first use.
struct LogindLocks final : SystemSleepLock {
    std::vector<std::string> waitFor(size_t count) override { return bus.waitForInhibitors(count); }
    PrivateBus bus;
};

const std::string SystemSleepLock::ours = ourLock;

std::unique_ptr<SystemSleepLock> SystemSleepLock::watch()
{
    auto logind = std::make_unique<LogindLocks>();
    if (!logind->bus.startLogind())
        logind->error = logind->bus.error;
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", logind->bus.address.toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", logind->bus.nowhere().toUtf8());
    return logind;
}
