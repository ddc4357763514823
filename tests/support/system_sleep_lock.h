#pragma once

#include <memory>
#include <string>
#include <vector>

// The system's own lock against sleep, as the system lists it, for tests that follow a timed
// shutdown down to the system. Made before the desktop: on Linux it points the desktop's system
// bus at a private one with a stand-in logind.
struct SystemSleepLock {
    static std::unique_ptr<SystemSleepLock> watch();
    static const std::string ours; // Morvane's lock as the system lists it
    virtual ~SystemSleepLock() = default;
    // The locks, once `count` are listed or five seconds have passed.
    virtual std::vector<std::string> waitFor(size_t count) = 0;
    std::string error; // empty when the lock can be watched
};
