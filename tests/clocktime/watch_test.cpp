#include "platform/qt_desktop.h"
#include "support/clocktime_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <random>

namespace {

std::string str(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss.zzz")).toStdString();
}

// The target 22:31:00, the reminder (when asked for) 22:30:00: each comes within 10 ms
// of its second and not before it, whatever is on screen, and only while set.
TEST(ClockTimeWatch, TheShutdownAndTheReminderComeAtTheirSeconds)
{
    const struct {
        const char *name;
        bool reminder, cancel, hidden, twelveHourLocale;
    } rows[] = {
        {"set", false, false, false, false},
        {"with the reminder, window hidden", true, false, true, false},
        {"with the reminder, cancelled", true, true, false, false},
        {"12-hour locale", false, false, false, true},
    };
    for (const auto &row : rows) {
        TestApp app;
        Form5 &f = openForm5(app);
        const QLocale before;
        if (row.twelveHourLocale)
            QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        enterTime(f, "22", "31", "", row.reminder);
        if (row.cancel)
            QTest::mouseClick(f.Command3, Qt::LeftButton);
        if (row.hidden)
            QTest::mouseClick(f.Command2, Qt::LeftButton);
        const bool fires = !row.cancel;
        runUntil(app.desktop, QTime(22, 29, 59, 999));
        EXPECT_EQ(f.Label1->caption(), QStringLiteral("22:29:59")) << row.name;
        app.desktop.advance(10);
        EXPECT_EQ(app.desktop.messages.size(), row.reminder && fires ? 1u : 0u) << row.name;
        runUntil(app.desktop, QTime(22, 30, 59, 999));
        EXPECT_TRUE(app.desktop.commands.isEmpty()) << row.name;
        app.desktop.advance(10);
        EXPECT_EQ(app.desktop.commands, QStringList(fires ? 1 : 0, shutdownLine())) << row.name;
        app.desktop.advance(60000);
        QLocale::setDefault(before);
        EXPECT_EQ(app.desktop.commands.size(), fires ? 1 : 0) << row.name;
    }
}

TEST(ClockTimeWatch, TheReminderComesOncePerSet)
{
    TestApp app;
    Form5 &f = openForm5(app);
    enterTime(f, "22", "31", "", true);
    runUntil(app.desktop, QTime(22, 31, 1));
    ASSERT_EQ(app.desktop.messages.size(), 1u);
    EXPECT_EQ(app.desktop.messages[0].text,
              QStringLiteral("主人！！！系统奉命提醒您！！！\r\n计算机将在 1 分钟内关闭！！！"));
    EXPECT_EQ(app.desktop.messages[0].title, QStringLiteral("关机提醒"));
    EXPECT_EQ(app.desktop.messages[0].style, MsgStyle::Ok);
    EXPECT_EQ(app.desktop.commands.size(), 1);

    // A day later (the computer slept through most of it): the shutdown again, the
    // acknowledged reminder not.
    app.desktop.jumpClock((24 * 3600 - 180) * 1000);
    runUntil(app.desktop, QTime(22, 31, 1));
    EXPECT_EQ(app.desktop.commands.size(), 2);
    EXPECT_EQ(app.desktop.messages.size(), 1u);

    QTest::mouseClick(f.Command3, Qt::LeftButton);
    enterTime(f, "22", "33", "", true);
    runUntil(app.desktop, QTime(22, 32, 1));
    EXPECT_EQ(app.desktop.messages.size(), 2u) << "a new set arms it again";
}

// Jittered, early and late ticks, and a reminder box left open: every second is written
// and compared, in order, and the target 22:31:00 fires once.
TEST(ClockTimeWatch, NoSecondIsEverSkipped)
{
    const struct {
        const char *name;
        int startMs;     // the wall clock's millisecond when the program starts
        int jitterMaxMs; // each timer firing strays from -2 ms to this
        bool reminder;   // at 22:30:00; its box stays open for boxOpenMs
        int boxOpenMs;
        QTime stallAt; // a busy machine holds every timer up from here ...
        int stallMs;   // ... for this long
    } rows[] = {
        {"jitter", 437, 8, false, 0, {}, 0},
        {"a late tick over the target", 0, 0, false, 0, QTime(22, 30, 57, 500), 4500},
        {"the reminder box open over the target", 0, 0, true, 62000, {}, 0},
        {"a late tick over the reminder, its box open over the target", 0, 0, true, 62000,
         QTime(22, 29, 58, 500), 5000},
    };
    for (const auto &row : rows) {
        TestApp app;
        app.desktop.start = app.desktop.start.addMSecs(row.startMs);
        std::mt19937 random(7);
        std::uniform_int_distribution<int> jitter(row.jitterMaxMs ? -2 : 0, row.jitterMaxMs);
        app.desktop.lateness = [&] { return jitter(random); };
        Form5 &f = openForm5(app);
        QList<QTime> seen; // each clock text compared, and when
        Handler watch = f.Label1->onChange;
        f.Label1->onChange = [&] {
            seen << QTime::fromString(f.Label1->caption(), QStringLiteral("HH:mm:ss"))
                 << app.desktop.now().time();
            watch();
        };
        enterTime(f, "22", "31", "", row.reminder);
        app.desktop.answerWith([&] {
            app.desktop.advance(row.boxOpenMs);
            EXPECT_EQ(f.Label9->caption(), QStringLiteral("1")) << "not acknowledged while open";
            return MsgResult::Ok;
        });
        if (row.stallAt.isValid()) {
            runUntil(app.desktop, row.stallAt);
            app.desktop.stall(row.stallMs);
        }
        runUntil(app.desktop, QTime(22, 31, 30));
        for (int i = 2; i < seen.size(); i += 2) {
            ASSERT_EQ(seen[i - 2].addSecs(1), seen[i]) << row.name << ": after " << str(seen[i - 2]);
            if (row.jitterMaxMs) {
                EXPECT_LE(seen[i + 1].msec(), row.jitterMaxMs)
                    << row.name << ": tick late at " << str(seen[i]);
            }
        }
        EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()}) << row.name;
        EXPECT_EQ(app.desktop.messages.size(), row.reminder ? 1u : 0u) << row.name;
    }
}

// The clock set, or the computer asleep, at 22:29:55 (the target 22:30:00): up to a minute
// passed over is caught up; a longer jump, or one backwards, goes on from the new time.
TEST(ClockTimeWatch, JumpsOfTheClock)
{
    const struct {
        int jumpSeconds;
        int launches;
    } rows[] = {{30, 1}, {59, 1}, {60, 0}, {3600, 0}, {-300, 0}};
    for (const auto &row : rows) {
        TestApp app;
        Form5 &f = openForm5(app);
        enterTime(f, "22", "30", "");
        runUntil(app.desktop, QTime(22, 29, 55, 500));
        app.desktop.jumpClock(row.jumpSeconds * 1000);
        app.desktop.advance(3000);
        EXPECT_EQ(app.desktop.commands.size(), row.launches) << row.jumpSeconds;
        EXPECT_EQ(f.Label1->caption(),
                  QTime(22, 29, 58).addSecs(row.jumpSeconds).toString(QStringLiteral("HH:mm:ss")));
        if (row.jumpSeconds < 0) { // the target comes round again
            runUntil(app.desktop, QTime(22, 30, 0, 10));
            EXPECT_EQ(app.desktop.commands.size(), 1);
        }
    }
}

// The real event loop, timers and boxes; only the clock is moved on, by 58 s as the
// reminder box opens, so that the target second comes a few seconds later.
class ShiftedClockDesktop final : public Desktop {
public:
    int showMessage(const QString &text, int style, const QString &title) override
    {
        ++boxes;
        shiftMs += 58000;
        return real.showMessage(text, style, title);
    }
    void postMessage(const QString &text, const QString &) override { reports << text; }
    QString askText(const QString &, const QString &) override { return {}; }
    void runCommand(const QString &line) override
    {
        commands << line;
        boxOpenAtLaunch = QApplication::activeModalWidget() != nullptr;
    }
    QDateTime now() const override { return real.now().addMSecs(shiftMs); }
    std::unique_ptr<TimerBackend> createTimer() override { return real.createTimer(); }
    void setSleepInhibited(bool) override {} // never a real lock from here

    QtDesktop real;
    qint64 shiftMs = 0;
    int boxes = 0;
    QStringList commands, reports;
    bool boxOpenAtLaunch = false;
};

TEST(ClockTimeRealLoop, TheShutdownComesWhileTheReminderBoxOfItsOwnTickIsOpen)
{
    ShiftedClockDesktop desktop;
    Forms forms(desktop, [] {});
    forms.form1().Command7->click();
    Form5 &f = forms.form5();
    const QTime target = desktop.now().time().addSecs(62); // the reminder in 2 s
    f.Text1->setText(QString::number(target.hour()));
    f.Text2->setText(QString::number(target.minute()));
    f.Text3->setText(QString::number(target.second()));
    f.Command1->click();
    f.Check1->click();
    // Closes the box once the shutdown came, or after 8 s so that a failure cannot hang.
    QTimer closer;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box && (!desktop.commands.isEmpty() || waited.elapsed() > 8000))
            box->buttons().first()->click();
    });
    closer.start(20);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Label9->caption().isEmpty(); }, 10000));
    EXPECT_EQ(desktop.commands, QStringList{shutdownLine()});
    EXPECT_TRUE(desktop.boxOpenAtLaunch);
    EXPECT_EQ(desktop.boxes, 1);
    EXPECT_TRUE(desktop.reports.isEmpty());
}

} // namespace
