#pragma once

#include <memory>
#include <string>
#include <vector>

// The system's own lock against sleep, as the system itself lists it, for tests that follow a
// timed shutdown through the real desktop. Made before the desktop, it points the desktop at
// what it watches where that takes a stand-in (on Linux, a private bus with a stand-in logind).
class SystemSleepLock {
public:
    SystemSleepLock();
    ~SystemSleepLock();

    std::string error; // empty when the lock can be watched
    // Morvane's lock as the system lists it.
    static const std::string ours;
    // Polls until `count` locks are listed (the system may notice a change a moment later) or
    // five seconds have passed; returns the last list.
    std::vector<std::string> waitFor(size_t count);

private:
    struct Watch;
    std::unique_ptr<Watch> watch_;
};
