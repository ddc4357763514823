// The real timers' rules on the real event loop, as figures: where the ticks of a timer aligned to
// each tenth of a second land after one tick has held the loop up for 250 ms, and the gap after a
// timer ticking every 10 ms is given 300 ms from inside a tick.
//
//   timer_rules
#include "os/qt_desktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTime>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Runs `timer` until it has ticked `count` times, noting `note()` at each tick.
std::vector<int> run(TimerBackend &timer, int count, const std::function<int()> &note,
                     const std::function<void(size_t)> &onTick)
{
    std::vector<int> at;
    timer.onFire = [&] {
        at.push_back(note());
        onTick(at.size());
    };
    while (at.size() < size_t(count))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    timer.stop();
    return at;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QtDesktop desktop;

    std::unique_ptr<TimerBackend> aligned = desktop.createTimer();
    aligned->startAligned(100, 1);
    std::vector<int> after = run(
        *aligned, 21, [] { return QTime::currentTime().msec() % 100; },
        [](size_t n) { n == 1 ? QThread::msleep(250) : void(); });
    after.erase(after.begin()); // the busy tick itself
    std::sort(after.begin(), after.end());
    std::printf("aligned to each 100 ms (+1), after a 250 ms busy tick: median %d ms, max %d ms after\n",
                after[after.size() / 2], after.back());

    std::unique_ptr<TimerBackend> rhythm = desktop.createTimer();
    QElapsedTimer clock;
    clock.start();
    rhythm->start(10);
    const std::vector<int> at = run(
        *rhythm, 4, [&] { return int(clock.elapsed()); },
        [&](size_t n) { n == 2 ? rhythm->start(300) : void(); });
    std::printf("every 10 ms, then 300 ms given inside a tick: gaps %d, %d ms\n", at[2] - at[1],
                at[3] - at[2]);
    return 0;
}
