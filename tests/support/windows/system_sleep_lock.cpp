#include "support/system_sleep_lock.h"

#include <windows.h>

// The UI thread's execution state, which changes at once. Asking with no flags changes nothing
// and answers with the state; it is a lock while continuous and requiring more than that.
struct ExecutionState final : SystemSleepLock {
    std::vector<std::string> waitFor(size_t) override
    {
        const EXECUTION_STATE state = SetThreadExecutionState(0);
        if (!(state & ES_CONTINUOUS) || state == ES_CONTINUOUS)
            return {};
        std::string flags = "ES_CONTINUOUS";
        for (const auto &[flag, name] : {std::pair{ES_SYSTEM_REQUIRED, "|ES_SYSTEM_REQUIRED"},
                                         {ES_DISPLAY_REQUIRED, "|ES_DISPLAY_REQUIRED"},
                                         {ES_AWAYMODE_REQUIRED, "|ES_AWAYMODE_REQUIRED"}})
            if (state & flag)
                flags += name;
        return {flags};
    }
};

const std::string SystemSleepLock::ours = "ES_CONTINUOUS|ES_SYSTEM_REQUIRED";

std::unique_ptr<SystemSleepLock> SystemSleepLock::watch()
{
    return std::make_unique<ExecutionState>();
}
