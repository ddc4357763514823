// A long run of the program on a real display with everything that ticks at once: the
// title animation, a countdown of an hour or more with its details open (the minutes and
// the date and time labels), a clock time set far ahead with its reminder asked for and
// the clock shown. The countdown window is on screen, as a user has it while waiting (the
// other two windows hidden, their timers running); with --all-shown the three windows are
// on screen at once, which no user can reach. After SECONDS it prints the resident
// memory one minute in and at the end, the processor time the run took, and whether
// every wall-clock second of the run appeared in the clock-time window's clock, in order.
//
// This is the program itself, not a model of it: the same windows as `morvane` on the
// real desktop services (boxes, precise timers, power tools looked up on PATH, the sleep
// lock), built in this process so that the clock label's text can be read each time it
// changes. Run it through bench/run-soak, which puts stand-in power tools first on PATH
// and points the system bus nowhere.
//
//   soak [SECONDS] [--all-shown]   (default 600; 30 to 72000)
#include "forms/clocktime/form5.h"
#include "forms/countdown/form2.h"
#include "forms/forms.h"
#include "forms/main/form1.h"
#include "os/qt_desktop.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {

qint64 wallMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// Processor time of the whole process, every thread, user and system.
double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

long residentKb()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long kb = -1;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> kb;
            break;
        }
        status.ignore(1 << 12, '\n');
    }
    return kb;
}

double mb(long kb)
{
    return double(kb) / 1024;
}

// One change of the clock label: the second its text names (of the day; -1 when the
// text is not HH:mm:ss) and when it was written.
struct ClockWrite {
    int secondOfDay;
    qint64 atMs;
};

// The wall-clock second (since the epoch) that a clock text written at `atMs` names: the
// latest one at or before the write with that time of day, since a text is never written
// ahead of its second.
qint64 namedSecond(const ClockWrite &w)
{
    const qint64 at = w.atMs / 1000;
    const int atOfDay = QDateTime::fromMSecsSinceEpoch(w.atMs).time().msecsSinceStartOfDay() / 1000;
    return at - ((atOfDay - w.secondOfDay) % 86400 + 86400) % 86400;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

const char *verdict(bool ok)
{
    return ok ? "ok" : "MISSED";
}

} // namespace

int main(int argc, char **argv)
{
    const int seconds = std::clamp(argc > 1 ? std::atoi(argv[1]) : 600, 30, 72000);
    const bool allShown = argc > 2 && std::strcmp(argv[2], "--all-shown") == 0;
    // Memory is compared with its value one minute in; a shorter run takes it halfway.
    const int baselineSeconds = std::min(60, seconds / 2);
    const int countdown = std::max(3600, seconds + 600); // never reaches 0 during the run
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QtDesktop desktop;
    Forms forms(desktop, [] { QCoreApplication::exit(2); });

    std::vector<ClockWrite> writes;
    writes.reserve(size_t(seconds) + 600); // nothing of the soak's own grows during the run
    std::vector<long> minuteRss;
    minuteRss.reserve(size_t(seconds) / 60 + 2);
    qint64 runStartMs = 0, runEndMs = 0, countdownStartMs = 0;
    double cpuAtStart = 0, cpuAtEnd = 0;
    long baselineRss = 0, endRss = 0;
    QString target, countShown;
    QTimer sampler;

    forms.start();
    // Once loading has ended (under two seconds), everything is set going.
    QTimer::singleShot(3000, [&] {
        Form1 &f1 = forms.form1();
        f1.Command5->click(); // 关机1: Form2 opens, Form1 hides
        Form2 &f2 = forms.form2();
        f2.Text1->setText(QString::number(countdown));
        f2.Command1->click();
        countdownStartMs = wallMs();
        f2.Check1->setValue(1); // 查看详情
        // The two timed modes exclude each other once the user goes back to Form1; the soak
        // holds both, so it presses 关机2 while Form1 is hidden, before 返回 would disable it.
        f1.Command7->click();
        Form5 &f5 = forms.form5();
        Handler watch = f5.Label1->onChange;
        f5.Label1->onChange = [&f5, &writes, watch] {
            const QTime shown = QTime::fromString(f5.Label1->text(), QStringLiteral("HH:mm:ss"));
            writes.push_back({shown.isValid() ? shown.msecsSinceStartOfDay() / 1000 : -1, wallMs()});
            watch();
        };
        const QTime at = QTime::currentTime().addSecs(-2 * 3600); // 22 hours ahead
        f5.Text1->setText(QString::number(at.hour()));
        f5.Text2->setText(QString::number(at.minute()));
        f5.Text3->setText(QString::number(at.second()));
        f5.Command1->click();
        f5.Check1->setValue(1); // 最后1分钟提醒我
        f5.Form_DblClick();     // the clock shown
        target = f5.Label6->caption();
        if (allShown) {
            f1.showWindow();
            f1.move(10, 10);
            f5.move(10, 260);
            f2.move(320, 10);
        } else {
            f5.hideWindow(); // 关机2 left it in front; the user is back in the countdown
            f2.showWindow();
        }

        runStartMs = wallMs();
        cpuAtStart = cpuSeconds();
        QTimer::singleShot(baselineSeconds * 1000, [&] { baselineRss = residentKb(); });
        sampler.start(60000);
        QTimer::singleShot(seconds * 1000, [&] {
            endRss = residentKb();
            cpuAtEnd = cpuSeconds();
            runEndMs = wallMs();
            countShown = f2.Label4->caption();
            QCoreApplication::exit(0);
        });
    });
    QObject::connect(&sampler, &QTimer::timeout, [&] { minuteRss.push_back(residentKb()); });
    const int rc = QApplication::exec();
    if (rc != 0 || runEndMs == 0) {
        std::fprintf(stderr, "soak: the program ended before the run did (%d)\n", rc);
        return 2;
    }

    // Every second that began after the run started and well before it ended (the tick of
    // a second comes a millisecond or two into it) must appear, once and in order.
    const qint64 firstDue = runStartMs / 1000 + 1;
    const qint64 lastDue = (runEndMs - 50) / 1000;
    std::vector<qint64> seen;
    std::vector<double> delays;
    int unreadable = 0, outOfOrder = 0, catchUps = 0;
    for (const ClockWrite &w : writes) {
        if (w.secondOfDay < 0) {
            ++unreadable;
            continue;
        }
        const qint64 s = namedSecond(w);
        if (s < firstDue || s > lastDue)
            continue;
        if (!seen.empty() && s <= seen.back())
            ++outOfOrder;
        seen.push_back(s);
        delays.push_back(double(w.atMs - s * 1000));
        catchUps += w.atMs - s * 1000 >= 1000;
    }
    std::vector<qint64> sorted = seen;
    std::sort(sorted.begin(), sorted.end());
    int missing = 0;
    for (qint64 s = firstDue; s <= lastDue; ++s)
        missing += !std::binary_search(sorted.begin(), sorted.end(), s);
    const int due = int(lastDue - firstDue + 1);

    const double runCpu = cpuAtEnd - cpuAtStart;
    const double driftMb = mb(endRss - baselineRss);
    // Form2's timer ticks once a second from the press of 确定.
    const int expectedCount = countdown - int((runEndMs - countdownStartMs) / 1000);
    const int countNow = countShown.toInt();

    const bool memoryOk = std::abs(driftMb) <= 1.0;
    const bool cpuOk = runCpu < 1.0;
    const bool secondsOk = missing == 0 && outOfOrder == 0 && unreadable == 0;
    const bool countdownOk = std::abs(countNow - expectedCount) <= 1;

    std::printf("run: %d s with the title animation, a %d s countdown with its details open, the clock "
                "time %s set with its reminder, the clock shown, %s\n",
                seconds, countdown, qUtf8Printable(target),
                allShown ? "three windows on screen" : "the countdown window on screen");
    std::printf("resident: %.2f MB after %d s, %.2f MB at the end: %+.2f MB (goal: within 1 MB) %s\n",
                mb(baselineRss), baselineSeconds, mb(endRss), driftMb, verdict(memoryOk));
    std::printf("resident each minute (MB):");
    for (long kb : minuteRss)
        std::printf(" %.2f", mb(kb));
    std::printf("\n");
    std::printf("cpu: %.2f s to start and set up; %.3f s over the %d s run, %.3f %% (goal: under 1 s) %s\n",
                cpuAtStart, runCpu, seconds, 100 * runCpu / seconds, verdict(cpuOk));
    std::printf("watch: %d seconds due, %zu shown, %d missing, %d out of order or repeated, %d unreadable; "
                "written after the second began: median %.1f ms, max %.1f ms; %d by a catch-up %s\n",
                due, seen.size(), missing, outOfOrder, unreadable, median(delays),
                delays.empty() ? 0.0 : *std::max_element(delays.begin(), delays.end()), catchUps,
                verdict(secondsOk));
    std::printf("countdown: shows %d at the end, %d by the wall clock %s\n", countNow, expectedCount,
                verdict(countdownOk));
    return memoryOk && cpuOk && secondsOk && countdownOk ? 0 : 1;
}
