#include "support/system_sleep_lock.h"

#include <QDeadlineTimer>
#include <QTest>

#include <windows.h>

// The UI thread's execution state. Asking with no flags changes nothing and answers with
// the state as it was; a lock is listed while the state is continuous and requires more.
struct SystemSleepLock::Watch {
    static std::vector<std::string> locks()
    {
        const EXECUTION_STATE state = SetThreadExecutionState(0);
        if (!(state & ES_CONTINUOUS) || state == ES_CONTINUOUS)
            return {};
        std::string flags = "ES_CONTINUOUS";
        const struct {
            EXECUTION_STATE flag;
            const char *name;
        } names[] = {{ES_SYSTEM_REQUIRED, "ES_SYSTEM_REQUIRED"},
                     {ES_DISPLAY_REQUIRED, "ES_DISPLAY_REQUIRED"},
                     {ES_AWAYMODE_REQUIRED, "ES_AWAYMODE_REQUIRED"}};
        for (const auto &n : names)
            if (state & n.flag)
                flags += std::string("|") + n.name;
        return {flags};
    }
};

const std::string SystemSleepLock::ours = "ES_CONTINUOUS|ES_SYSTEM_REQUIRED";

SystemSleepLock::SystemSleepLock() = default;
SystemSleepLock::~SystemSleepLock() = default;

std::vector<std::string> SystemSleepLock::waitFor(size_t count)
{
    std::vector<std::string> list = Watch::locks();
    for (QDeadlineTimer end(5000); list.size() != count && !end.hasExpired(); list = Watch::locks())
        QTest::qWait(20);
    return list;
}
