#include "os/sleep_inhibitor.h"

#include <windows.h>

namespace {

// Windows keeps the system awake while a thread has set ES_SYSTEM_REQUIRED with
// ES_CONTINUOUS, until that thread sets ES_CONTINUOUS alone. The setting belongs to the
// thread, not to an object, so the inhibitors (all on the UI thread) share one count and
// the setting changes only when the first one starts holding and the last one stops.
int holders = 0;

class ExecutionStateSleepInhibitor final : public SleepInhibitor {
public:
    ~ExecutionStateSleepInhibitor() override { setInhibited(false); }

    void setInhibited(bool on) override
    {
        if (on == held_)
            return;
        held_ = on;
        if (on && holders++ == 0)
            SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
        else if (!on && --holders == 0)
            SetThreadExecutionState(ES_CONTINUOUS);
    }

private:
    bool held_ = false;
};

} // namespace

std::unique_ptr<SleepInhibitor> createSystemSleepInhibitor()
{
    return std::make_unique<ExecutionStateSleepInhibitor>();
}
