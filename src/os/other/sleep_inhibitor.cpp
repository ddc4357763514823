#include "os/sleep_inhibitor.h"

namespace {

// No known way to keep this system awake: the program goes on without it.
class NoSleepInhibitor final : public SleepInhibitor {
public:
    void setInhibited(bool) override {}
};

} // namespace

std::unique_ptr<SleepInhibitor> createSystemSleepInhibitor()
{
    return std::make_unique<NoSleepInhibitor>();
}
