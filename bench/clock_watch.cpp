// The clock-time watch on the real clock and the real precise timers: how long after
// each second begins its tick comes, whether any second goes uncompared, and how long
// after its second begins a set time fires. A new time is set every 10 s, 4 s ahead.
// The shutdown command is recorded, never launched.
//
//   clock_watch [SECONDS]   (default 130)
#include "forms/clocktime/form5.h"
#include "forms/forms.h"
#include "forms/main/form1.h"
#include "os/qt_desktop.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

qint64 wallNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

// How far after the start of its second a moment lies, in ms; a moment just before a
// second begins counts as negative.
double msAfterSecond(qint64 ns)
{
    const double ms = double(ns % 1000000000) / 1e6;
    return ms > 500 ? ms - 1000 : ms;
}

class TimingDesktop final : public Desktop {
public:
    int showMessage(const QString &, int, const QString &, QObject *) override { return MsgResult::Ok; }
    void postMessage(const QString &, const QString &) override {}
    QString askText(const QString &, const QString &, QObject *) override { return {}; }
    void runCommand(const QString &) override { launches.push_back(wallNs()); }
    QDateTime now() const override { return real.now(); }
    std::unique_ptr<TimerBackend> createTimer() override { return real.createTimer(); }
    void setSleepInhibited(bool) override {} // never a real lock from here
    bool sessionEnding() const override { return false; }

    QtDesktop real;
    std::vector<qint64> launches;
};

struct Figures {
    std::vector<double> values;
    double median() const
    {
        std::vector<double> v = values;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }
    double max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
    double min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
};

} // namespace

int main(int argc, char **argv)
{
    const int seconds = argc > 1 ? std::max(15, std::atoi(argv[1])) : 130;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    TimingDesktop desktop;
    Forms forms(desktop, [] {});
    forms.form1().Command7->click();
    Form5 &f = forms.form5();

    Figures tickOffsets;
    QStringList texts;
    int caughtUp = 0; // seconds written by a late tick after they had passed
    Handler tick = f.Timer1->onTimer;
    f.Timer1->onTimer = [&] {
        tickOffsets.values.push_back(msAfterSecond(wallNs()));
        const int before = texts.size();
        tick();
        caughtUp += std::max(0, int(texts.size()) - before - 1);
    };
    Handler change = f.Label1->onChange;
    f.Label1->onChange = [&] {
        texts << f.Label1->caption();
        change();
    };

    // Every 10 s: cancel the setting before, set one 4 s ahead.
    std::vector<qint64> targets; // ns since the epoch at which each target second begins
    QTimer setter;
    setter.setTimerType(Qt::PreciseTimer);
    QObject::connect(&setter, &QTimer::timeout, [&] {
        if (f.Command3->isEnabled())
            f.Command3->click();
        const QDateTime now = desktop.now();
        const QDateTime target = now.addMSecs(-now.time().msec()).addSecs(4);
        f.Text1->setText(QString::number(target.time().hour()));
        f.Text2->setText(QString::number(target.time().minute()));
        f.Text3->setText(QString::number(target.time().second()));
        f.Command1->click();
        targets.push_back(target.toMSecsSinceEpoch() * 1000000);
    });
    setter.start(10000);
    QTimer::singleShot(seconds * 1000, [] { QCoreApplication::exit(0); });
    QApplication::exec();
    const qint64 end = wallNs();

    // Skipped: a second that never showed in the clock.
    int skipped = 0;
    for (int i = 1; i < texts.size(); ++i) {
        const QTime before = QTime::fromString(texts[i - 1], QStringLiteral("HH:mm:ss"));
        const int gap = before.secsTo(QTime::fromString(texts[i], QStringLiteral("HH:mm:ss")));
        if (gap != 1)
            skipped += std::max(0, gap - 1);
    }
    int early = 0;
    for (double v : tickOffsets.values)
        early += v < 0;

    Figures fireDelays;
    int fired = 0;
    targets.erase(
        std::remove_if(targets.begin(), targets.end(), [end](qint64 t) { return t + 1000000000 > end; }),
        targets.end()); // still to come when the run ended
    for (qint64 target : targets) {
        for (qint64 at : desktop.launches) {
            if (at >= target - 500000000 && at < target + 1000000000) {
                fireDelays.values.push_back(double(at - target) / 1e6);
                ++fired;
            }
        }
    }
    std::printf("run: %d s, %zu ticks, %d seconds shown\n", seconds, tickOffsets.values.size(),
                int(texts.size()));
    std::printf("tick after its second began: median %.2f ms, max %.2f ms, min %.2f ms, %d before it\n",
                tickOffsets.median(), tickOffsets.max(), tickOffsets.min(), early);
    std::printf("seconds skipped: %d; written late by a catch-up: %d\n", skipped, caughtUp);
    std::printf("targets: %zu due, %d fired, %zu launches; fired after its second began: median %.2f ms, "
                "max %.2f ms\n",
                targets.size(), fired, desktop.launches.size(), fireDelays.median(), fireDelays.max());
    return skipped == 0 && fired == int(targets.size()) ? 0 : 1;
}
