#include "widgets/event_source.h"

#include "widgets/window.h"

void EventSource::raiseEvent(const Handler &handler)
{
    if (!carried_) {
        runEvent(control_, handler);
        return;
    }
    if (*carried_ || !handler)
        return;
    try {
        handler();
    } catch (...) {
        *carried_ = std::current_exception();
    }
}

void EventSource::assign(const std::function<void()> &change)
{
    std::exception_ptr error;
    std::exception_ptr *outer = carried_;
    carried_ = &error;
    change();
    carried_ = outer;
    if (error)
        std::rethrow_exception(error);
}
