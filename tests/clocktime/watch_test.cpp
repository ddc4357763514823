#include "clocktime/form5.h"

#include "app/form1.h"
#include "app/power.h"
#include "platform/qt_desktop.h"
#include "support/clocktime_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <random>

namespace {

const QString ReminderText =
    QStringLiteral("主人！！！系统奉命提醒您！！！\r\n计算机将在 1 分钟内关闭！！！");

// Every clock text the watch compares, with the wall-clock millisecond it was written at.
struct ClockLog {
    QStringList texts;
    std::vector<int> msecs;
    ClockLog(Form5 &f, FakeDesktop &desktop)
    {
        Handler watch = f.Label1->onChange;
        f.Label1->onChange = [this, &f, &desktop, watch] {
            texts << f.Label1->caption();
            msecs.push_back(desktop.now().time().msec());
            watch();
        };
    }
    // The first text that is not the second after the one before it, or empty.
    QString firstGap() const
    {
        for (int i = 1; i < texts.size(); ++i) {
            const QTime before = QTime::fromString(texts[i - 1], QStringLiteral("HH:mm:ss"));
            if (before.addSecs(1) != QTime::fromString(texts[i], QStringLiteral("HH:mm:ss")))
                return texts[i - 1] + " -> " + texts[i];
        }
        return {};
    }
};

TEST(ClockTimeWatch, TheShutdownComesAtTheTargetSecondUnlessCancelled)
{
    const struct {
        bool cancel;
        bool hidden;
        bool twelveHourLocale;
        int launches;
    } rows[] = {
        {false, false, false, 1},
        {true, false, false, 0},
        {false, true, false, 1},
        {false, false, true, 1},
    };
    for (const auto &row : rows) {
        TestApp app;
        Form5 &f = openForm5(app);
        const QLocale before;
        if (row.twelveHourLocale)
            QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        enterTime(f, "22", "30", "");
        if (row.cancel)
            QTest::mouseClick(f.Command3, Qt::LeftButton);
        if (row.hidden)
            QTest::mouseClick(f.Command2, Qt::LeftButton);
        runUntil(app.desktop, QTime(22, 29, 59, 999));
        EXPECT_EQ(f.Label1->caption(), QStringLiteral("22:29:59")) << "written while the label is hidden";
        EXPECT_TRUE(app.desktop.commands.isEmpty());
        app.desktop.advance(10);
        EXPECT_EQ(app.desktop.commands.size(), row.launches) << "within 10 ms of 22:30:00";
        app.desktop.advance(60000);
        QLocale::setDefault(before);
        EXPECT_EQ(app.desktop.commands, QStringList(row.launches, shutdownLine()));
        EXPECT_TRUE(app.desktop.messages.empty()) << "no question, no message";
        EXPECT_EQ(f.Command1->isEnabled(), row.cancel) << "firing changes nothing";
    }
}

TEST(ClockTimeWatch, TheReminderComesAMinuteEarlyOncePerSet)
{
    const struct {
        bool asked;
        bool hidden;
    } rows[] = {{true, false}, {false, false}, {true, true}};
    for (const auto &row : rows) {
        TestApp app;
        Form5 &f = openForm5(app);
        enterTime(f, "22", "31", "");
        if (row.asked)
            QTest::mouseClick(f.Check1, Qt::LeftButton);
        if (row.hidden)
            QTest::keyClick(&f, Qt::Key_Escape);
        runUntil(app.desktop, QTime(22, 29, 59, 999));
        EXPECT_TRUE(app.desktop.messages.empty());
        app.desktop.advance(10);
        if (!row.asked) {
            runUntil(app.desktop, QTime(22, 31, 1));
            EXPECT_TRUE(app.desktop.messages.empty());
            EXPECT_EQ(app.desktop.commands.size(), 1);
            continue;
        }
        ASSERT_EQ(app.desktop.messages.size(), 1u) << "at 22:30:00";
        EXPECT_EQ(app.desktop.messages[0].text, ReminderText);
        EXPECT_EQ(app.desktop.messages[0].title, QStringLiteral("关机提醒"));
        EXPECT_EQ(app.desktop.messages[0].style, MsgStyle::Ok);
        EXPECT_TRUE(f.Label9->caption().isEmpty()) << "acknowledged";
        EXPECT_TRUE(app.desktop.commands.isEmpty());
        runUntil(app.desktop, QTime(22, 31, 1));
        EXPECT_EQ(app.desktop.commands.size(), 1);

        // A day later (the computer slept through most of it): the shutdown again, the
        // acknowledged reminder not.
        app.desktop.jumpClock((24 * 3600 - 180) * 1000);
        runUntil(app.desktop, QTime(22, 31, 1));
        EXPECT_EQ(app.desktop.commands.size(), 2);
        EXPECT_EQ(app.desktop.messages.size(), 1u);

        // A new set after a cancel arms it again.
        if (row.hidden)
            QTest::mouseClick(app.forms.form1().Command7, Qt::LeftButton);
        QTest::mouseClick(f.Command3, Qt::LeftButton);
        enterTime(f, "22", "33", "");
        QTest::mouseClick(f.Check1, Qt::LeftButton);
        runUntil(app.desktop, QTime(22, 32, 0, 10));
        EXPECT_EQ(app.desktop.messages.size(), 2u);
    }
}

TEST_F(ClockTime, TheShutdownComesWhileTheReminderBoxIsStillOpen)
{
    set("22", "31", "", true);
    int boxes = 0;
    app.desktop.answerWith([&] {
        ++boxes;
        runUntil(app.desktop, QTime(22, 30, 59, 999));
        EXPECT_TRUE(app.desktop.commands.isEmpty());
        app.desktop.advance(10);
        EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()}) << "at 22:31:00, the box still open";
        EXPECT_EQ(f5().Label9->caption(), QStringLiteral("1")) << "not acknowledged while it is open";
        app.desktop.advance(30000);
        return MsgResult::Ok;
    });
    runUntil(app.desktop, QTime(22, 32, 0));
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(app.desktop.messages.size(), 1u) << "one box, though ticks ran inside it";
    EXPECT_TRUE(f5().Label9->caption().isEmpty());
    EXPECT_EQ(app.desktop.commands.size(), 1);
}

// Jittered, early and late ticks: every second is written and compared, in order, and
// the target fires once. The target is 22:31:00, the reminder (when asked) 22:30:00.
TEST(ClockTimeWatch, NoSecondIsEverSkipped)
{
    const struct {
        const char *name;
        int startMs;              // the wall clock's millisecond when the program starts
        int jitterMin, jitterMax; // how far each timer firing strays, in ms
        bool reminder;
        QTime stallAt; // a busy machine holds every timer up from here ...
        int stallMs;   // ... for this long
        int boxOpenMs; // how long the reminder box stays open
    } rows[] = {
        {"jitter", 437, -2, 8, false, {}, 0, 0},
        {"late over the target", 0, 0, 0, false, QTime(22, 30, 57, 500), 4500, 0},
        {"late over the reminder, its box open over the target", 0, 0, 0, true, QTime(22, 29, 58, 500), 5000,
         62000},
    };
    for (const auto &row : rows) {
        TestApp app;
        app.desktop.start = app.desktop.start.addMSecs(row.startMs);
        std::mt19937 random(7);
        std::uniform_int_distribution<int> jitter(row.jitterMin, row.jitterMax);
        app.desktop.lateness = [&] { return jitter(random); };
        Form5 &f = openForm5(app);
        ClockLog log(f, app.desktop);
        enterTime(f, "22", "31", "");
        if (row.reminder) {
            QTest::mouseClick(f.Check1, Qt::LeftButton);
            app.desktop.answerWith([&] {
                app.desktop.advance(row.boxOpenMs);
                return MsgResult::Ok;
            });
        }
        if (row.stallAt.isValid()) {
            runUntil(app.desktop, row.stallAt);
            app.desktop.stall(row.stallMs);
        }
        runUntil(app.desktop, QTime(22, 31, 30));
        EXPECT_EQ(log.firstGap(), QString()) << row.name;
        EXPECT_EQ(log.texts.count(QStringLiteral("22:31:00")), 1) << row.name;
        EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()}) << row.name;
        EXPECT_EQ(int(app.desktop.messages.size()), row.reminder ? 1 : 0) << row.name;
        if (row.jitterMax > 0) {
            for (size_t i = 1; i < log.msecs.size(); ++i)
                EXPECT_LE(log.msecs[i], 1 + row.jitterMax) << "tick " << i << " after its second began";
        }
    }
}

// The clock set or the computer asleep: up to a minute passed over is caught up; a
// longer jump, or one backwards, goes on from the new time.
TEST(ClockTimeWatch, JumpsOfTheClock)
{
    const struct {
        int jumpSeconds; // at 22:29:55, over the target 22:30:00 when forward
        int launches;
    } rows[] = {{30, 1}, {59, 1}, {60, 0}, {3600, 0}, {-300, 0}};
    for (const auto &row : rows) {
        TestApp app;
        Form5 &f = openForm5(app);
        ClockLog log(f, app.desktop);
        enterTime(f, "22", "30", "");
        runUntil(app.desktop, QTime(22, 29, 55, 500));
        app.desktop.jumpClock(row.jumpSeconds * 1000);
        app.desktop.advance(3000);
        EXPECT_EQ(app.desktop.commands.size(), row.launches) << row.jumpSeconds;
        const QTime shown = QTime::fromString(f.Label1->caption(), QStringLiteral("HH:mm:ss"));
        EXPECT_EQ(shown, QTime(22, 29, 58).addSecs(row.jumpSeconds)) << row.jumpSeconds;
        if (row.jumpSeconds < 0) { // the target comes round again
            runUntil(app.desktop, QTime(22, 30, 0, 10));
            EXPECT_EQ(app.desktop.commands.size(), 1);
        }
    }
}

// The real event loop, timers and boxes; only the clock is moved on, by 58 s while the
// reminder box is open, so that the target second comes soon after the reminder.
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
    ASSERT_EQ(f.Check1->value(), 1);
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
