#include "widgets/timer.h"

#include "core/desktop.h"
#include "widgets/window.h"

Timer::Timer(Window *window, const char *name, int intervalMs, bool enabled)
    : QObject(window), backend_(window->desktop().createTimer()), interval_(intervalMs)
{
    setObjectName(QLatin1String(name));
    backend_->onFire = [this, window] { window->events().run(onTimer); };
    setEnabled(enabled);
}

Timer::~Timer() = default;

void stopTimers(QObject &window)
{
    for (QObject *child : window.children())
        if (auto *timer = dynamic_cast<Timer *>(child))
            timer->setEnabled(false);
}

void Timer::setInterval(int ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    if (enabled_)
        arm();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    arm();
}

void Timer::alignToClock(int afterMs)
{
    alignAfterMs_ = afterMs;
    arm();
}

void Timer::arm()
{
    if (!enabled_ || interval_ <= 0)
        backend_->stop();
    else if (alignAfterMs_ >= 0)
        backend_->startAligned(interval_, alignAfterMs_);
    else
        backend_->start(interval_);
}
