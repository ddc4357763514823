#include "support/system_sleep_lock.h"

#include "support/private_bus.h"

// logind's list on a private bus, which the real desktop takes for the system bus: QtDBus reads
// that address once per process, at its first use.
struct SystemSleepLock::Watch {
    PrivateBus bus;
};

const std::string SystemSleepLock::ours = ourLock;

SystemSleepLock::SystemSleepLock() : watch_(std::make_unique<Watch>())
{
    PrivateBus &bus = watch_->bus;
    if (!bus.startLogind()) {
        error = bus.error;
        return;
    }
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", bus.address.toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.nowhere().toUtf8());
}

SystemSleepLock::~SystemSleepLock() = default;

std::vector<std::string> SystemSleepLock::waitFor(size_t count)
{
    return watch_->bus.waitForInhibitors(count);
}
