// Time from pressing "确定" to the launch of the shutdown command, with the real
// precise timers. The command is recorded, never launched.
//
//   countdown_accuracy SECONDS   -> prints the delay in milliseconds
#include "forms/countdown/form2.h"
#include "forms/forms.h"
#include "forms/main/form1.h"
#include "os/qt_desktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {

// The real desktop's clock and timers; launches are only timed.
class TimingDesktop final : public Desktop {
public:
    int showMessage(const QString &, int, const QString &, QObject *) override { return MsgResult::Ok; }
    void postMessage(const QString &, const QString &) override {}
    QString askText(const QString &, const QString &, QObject *) override { return {}; }
    void runCommand(const QString &) override
    {
        if (launchedAt < 0)
            launchedAt = clock.nsecsElapsed();
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    }
    QDateTime now() const override { return real.now(); }
    std::unique_ptr<TimerBackend> createTimer() override { return real.createTimer(); }
    void setSleepInhibited(bool) override {} // never a real lock from here
    bool sessionEnding() const override { return false; }

    QtDesktop real;
    QElapsedTimer clock;
    qint64 launchedAt = -1;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: countdown_accuracy SECONDS\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString seconds = QString::fromLocal8Bit(argv[1]);
    TimingDesktop desktop;
    Forms forms(desktop, [] { QCoreApplication::exit(1); });
    forms.start();
    QTimer::singleShot(2000, [&] { // after the loading animation
        forms.form1().Command5->click();
        Form2 &f = forms.form2();
        f.Text1->setText(seconds);
        desktop.clock.start();
        f.Command1->click();
    });
    QTimer::singleShot(2000 + 1000 * (seconds.toInt() + 5), [] { QCoreApplication::exit(3); });
    const int rc = QApplication::exec();
    if (desktop.launchedAt < 0)
        return rc ? rc : 4;
    std::printf("%.2f\n", double(desktop.launchedAt) / 1e6);
    return 0;
}
