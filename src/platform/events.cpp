#include "platform/events.h"

#include "platform/runtime_error.h"

#include <exception>

namespace {
ErrorReporter g_errorReporter;
Handler g_eventObserver;
bool g_ended = false;
bool g_sessionEnding = false;
} // namespace

ErrorReporter setErrorReporter(ErrorReporter reporter)
{
    std::swap(g_errorReporter, reporter);
    return reporter;
}

Handler setEventObserver(Handler observer)
{
    std::swap(g_eventObserver, observer);
    return observer;
}

void setProgramEnded(bool ended)
{
    g_ended = ended;
}

bool programEnded()
{
    return g_ended;
}

void setSessionEnding(bool ending)
{
    g_sessionEnding = ending;
}

bool sessionEnding()
{
    return g_sessionEnding;
}

void runEvent(const Handler &handler)
{
    if (!handler || g_ended)
        return;
    try {
        handler();
    } catch (const RuntimeError &error) {
        if (g_errorReporter)
            g_errorReporter(error.message());
    } catch (const std::exception &error) {
        // Not a run-time error of the logic but a fault; still, the program (and any
        // pending timed shutdown) must go on.
        if (g_errorReporter)
            g_errorReporter(QStringLiteral("程序内部错误：") + QString::fromLocal8Bit(error.what()));
    }
    if (g_eventObserver && !g_ended)
        g_eventObserver();
}
