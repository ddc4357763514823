#pragma once

#include "widgets/event_context.h"

#include <QObject>

#include <memory>

class TimerBackend;
class Window;

// A window timer: while enabled, onTimer comes every interval. Changing the interval
// of an enabled timer restarts it, so the next tick comes one new interval later.
class Timer final : public QObject {
public:
    Timer(Window *window, const char *name, int intervalMs, bool enabled);
    ~Timer() override;

    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Ties the ticks to the wall clock: each comes `afterMs` after a whole multiple of
    // the interval since midnight (for 1000 ms, just after each second begins), aimed
    // afresh at every tick, so a late or early tick never shifts the ones after it.
    void alignToClock(int afterMs);

    Handler onTimer;

private:
    void arm();
    std::unique_ptr<TimerBackend> backend_;
    int interval_;
    bool enabled_ = false;
    int alignAfterMs_ = -1; // not aligned
};

// Stops every timer of the window (the program ends, or the window is unloaded).
void stopTimers(QObject &window);
