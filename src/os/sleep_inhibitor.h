#pragma once

#include <memory>

// Keeps the computer from going to sleep while a timed shutdown is pending, so the
// countdown or the clock-time target cannot pass unnoticed while the machine sleeps.
// setInhibited(true) holds one lock however often it is called; false lets it go, and
// so does the destructor. Neither blocks the UI thread for long or shows a box: where
// the system offers no way to stay awake, the program carries on without it.
class SleepInhibitor {
public:
    virtual ~SleepInhibitor() = default;
    virtual void setInhibited(bool on) = 0;
};

// The inhibitor of this operating system.
std::unique_ptr<SleepInhibitor> createSystemSleepInhibitor();
