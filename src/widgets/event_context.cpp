#include "widgets/event_context.h"

#include "core/runtime_error.h"

#include <exception>

void EventContext::run(const Handler &handler)
{
    if (!handler || ended_)
        return;
    try {
        handler();
    } catch (const RuntimeError &error) {
        if (reportError)
            reportError(error.message());
    } catch (const std::exception &error) {
        // Not a run-time error of the logic but a fault; still, the program (and any
        // pending timed shutdown) must go on.
        if (reportError)
            reportError(QStringLiteral("程序内部错误：") + QString::fromLocal8Bit(error.what()));
    }
    if (afterEvent && !ended_)
        afterEvent();
}
