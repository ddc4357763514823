#include "support/user_steps.h"

#include <random>

namespace {

// Each field read leniently; one past its limit is emptied as it is typed; the target
// carries and wraps round the day, and is confirmed in words. A time that cannot be made, or
// none at all, is refused with a box and changes nothing.
TEST(ClockTimeSetup, EachEntryGivesATargetOrIsRefused)
{
    const struct {
        const char *typed[3];
        const char *kept;   // the fields after typing
        const char *target; // or the refusal's box
    } rows[] = {{{"23", "", ""}, "23||", "23：00：00"},
                {{"24", "", ""}, "24||", "00：00：00"},
                {{"25", "60", ""}, "|60|", "01：00：00"},
                {{"23", "59", "60"}, "23|59|60", "00：00：00"},
                {{"7.5", "", ""}, "7.5||", "08：00：00"},
                {{"-1", "5x", ""}, "-1|5x|", "23：05：00"},
                {{"", "", "-32768.5"}, "||-32768.5", "14：53：52"},
                {{"", "", ""}, "||", "您还没有设置时间呢~"},
                {{"-99999", "", ""}, "-99999||", "亲，时间输入有误，请重新输入！"},
                {{"3", "", "-32769"}, "3||-32769", "亲，时间输入有误，请重新输入！"}};
    for (const auto &row : rows) {
        TestApp app;
        Form5 &f = openForm5(app);
        enterTime(f, row.typed[0], row.typed[1], row.typed[2]);
        EXPECT_EQ(QStringList({f.Text1->text(), f.Text2->text(), f.Text3->text()}).join(u'|'), row.kept);
        const QString t = QString::fromUtf8(row.target); // "hh：mm：ss", or a box
        if (t.size() != 8) {
            ASSERT_EQ(app.desktop.messages.size(), 1u) << row.target << ": one box, no error report";
            EXPECT_EQ(app.desktop.messages[0].title, QStringLiteral("提示")) << row.target;
            EXPECT_EQ(app.desktop.messages[0].text, t);
            EXPECT_TRUE(f.Command1->isEnabled()) << row.target << ": 确定";
            EXPECT_FALSE(f.Command3->isEnabled()) << row.target << ": 取消设置";
            EXPECT_FALSE(f.Check1->isVisible()) << row.target << ": the reminder";
            EXPECT_EQ(f.Frame1->caption(), QStringLiteral("请输入")) << row.target;
            EXPECT_EQ(f.Label6->caption(), QString()) << row.target;
            continue;
        }
        EXPECT_EQ(f.Label6->caption(), t) << row.kept;
        EXPECT_EQ(f.Label7->caption(), QStringLiteral("设置成功！计算机将在 %1点%2分%3秒 关闭！")
                                           .arg(t.left(2), t.mid(3, 2), t.right(2)));
        EXPECT_TRUE(f.Label7->isVisible()) << row.kept;
        EXPECT_TRUE(app.desktop.messages.empty()) << row.kept;
    }
}

// Set with the reminder, then cancelled: the state each step leaves. Then the clock shown and
// hidden by double-clicks, from their own places only.
TEST(ClockTimeSetup, SetAndCancel)
{
    TestApp app;
    Form5 &f = openForm5(app);
    enterTime(f, "", "", "30", true);
    EXPECT_EQ(f.Label10->caption(), QStringLiteral("23：59：30")) << "a minute earlier, on the day before";
    EXPECT_FALSE(f.Check1->isEnabled()) << "only a cancel takes the reminder back";
    QTest::keyClick(&f, Qt::Key_Return);
    EXPECT_TRUE(app.desktop.messages.empty()) << "确定 is disabled while a time is set";
    for (QWidget *button : {f.Command1, f.Command2, f.Command3})
        EXPECT_LT(f.Check1->geometry().bottom(), button->geometry().top())
            << "a click on a button ticks nothing";
    QTest::mouseClick(f.Command3, Qt::LeftButton); // 取消设置
    EXPECT_EQ(f.focusWidget(), f.Text1) << "ready for the next time";
    for (QWidget *w : std::initializer_list<QWidget *>{f.Text1, f.Text2, f.Text3, f.Command1, f.Check1})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    for (TextBox *field : {f.Text1, f.Text2, f.Text3})
        EXPECT_EQ(field->text(), QString()) << field->objectName().toStdString();
    EXPECT_EQ(f.secondValue, 0);
    EXPECT_FALSE(f.Command3->isEnabled());
    EXPECT_EQ(f.Check1->value(), 0);
    EXPECT_EQ(shownControls(f.client()),
              QStringLiteral("Label2 Label8 Label9 Frame1 Command1 Command2 Command3"));
    app.desktop.advance(1000);
    for (QWidget *control : std::initializer_list<QWidget *>{f.Frame1, f.Text1, f.Label2, f.Command3})
        userDoubleClick(control, QPoint(4, 4)); // the clock shows only for the window's own background
    EXPECT_FALSE(f.Label1->isVisible());
    userDoubleClick(f.client(), QPoint(20, 20));
    EXPECT_TRUE(f.Label1->isVisible());
    EXPECT_EQ(f.Label1->caption(), QStringLiteral("22:29:53"));
    userDoubleClick(f.Label1, QPoint(4, 4));
    EXPECT_FALSE(f.Label1->isVisible());
}

std::string str(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss.zzz")).toStdString();
}

// The target 22:31:00, the reminder (when asked for) 22:30:00, whatever is on screen, only
// while set, in a 12-hour locale too: each comes within 10 ms of its second and not before.
// Under jittered, early and late ticks, and with the reminder box left open, every second is
// written and compared, in order, and the target fires once.
TEST(ClockTimeWatch, TheShutdownAndTheReminderComeAtTheirSecondsAndNoSecondIsSkipped)
{
    const struct {
        const char *name;
        bool reminder, cancel, hidden, twelveHourLocale;
        int startMs = 0;     // the wall clock's millisecond when the program starts
        int jitterMaxMs = 0; // each timer firing strays from -2 ms to this
        int boxOpenMs = 0;   // the reminder box stays open this long
        QTime stallAt = {};  // a busy machine holds every timer up from here ...
        int stallMs = 0;     // ... for this long
    } rows[] = {
        {"set", false, false, false, false},
        {"with the reminder, window hidden", true, false, true, false},
        {"with the reminder, cancelled", true, true, false, false},
        {"12-hour locale", false, false, false, true},
        {"jitter", false, false, false, false, 437, 8},
        {"a late tick over the target", false, false, false, false, 0, 0, 0, QTime(22, 30, 57, 500), 4500},
        {"a tick just late enough to pass over the target", false, false, false, false, 0, 0, 0,
         QTime(22, 30, 59, 500), 2000},
        {"the reminder box open over the target", true, false, false, false, 0, 0, 62000},
        {"a late tick over the reminder, its box open over the target", true, false, false, false, 0, 0,
         62000, QTime(22, 29, 58, 500), 5000}};
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
        const QLocale before;
        if (row.twelveHourLocale)
            QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        enterTime(f, "22", "31", "", row.reminder);
        if (row.cancel)
            QTest::mouseClick(f.Command3, Qt::LeftButton);
        if (row.hidden)
            QTest::mouseClick(f.Command2, Qt::LeftButton);
        app.desktop.answerWith([&] {
            app.desktop.advance(row.boxOpenMs);
            EXPECT_EQ(f.Label9->caption(), QStringLiteral("1")) << "not acknowledged while open";
            return MsgResult::Ok;
        });
        if (row.stallAt.isValid()) {
            runUntil(app.desktop, row.stallAt);
            app.desktop.stall(row.stallMs);
        } else if (!row.jitterMaxMs && !row.boxOpenMs) { // to the millisecond
            runUntil(app.desktop, QTime(22, 29, 59, 999));
            EXPECT_TRUE(app.desktop.messages.empty()) << row.name;
            app.desktop.advance(10);
            EXPECT_EQ(app.desktop.messages.size(), size_t(row.reminder && !row.cancel)) << row.name;
            runUntil(app.desktop, QTime(22, 30, 59, 999));
            EXPECT_TRUE(app.desktop.commands.isEmpty()) << row.name;
            app.desktop.advance(10);
            EXPECT_EQ(app.desktop.commands.size(), int(!row.cancel)) << row.name;
        }
        runUntil(app.desktop, QTime(22, 32, 30));
        QLocale::setDefault(before);
        for (int i = 2; i < seen.size(); i += 2) {
            ASSERT_EQ(seen[i - 2].addSecs(1), seen[i]) << row.name << ": after " << str(seen[i - 2]);
            EXPECT_TRUE(!row.jitterMaxMs || seen[i + 1].msec() <= row.jitterMaxMs)
                << row.name << ": " << str(seen[i]) << " written at " << str(seen[i + 1]);
        }
        EXPECT_EQ(app.desktop.commands, QStringList(!row.cancel, ShutdownLine)) << row.name;
        EXPECT_EQ(app.desktop.messages.size(), size_t(row.reminder && !row.cancel)) << row.name;
    }
}

// The reminder box once per set: a day later (the computer slept through most of it) the
// shutdown comes again, the acknowledged reminder not; a new set arms it again. The
// computer is kept awake while a time is set, even after it fired.
TEST(ClockTimeWatch, TheReminderComesOncePerSet)
{
    TestApp app;
    Form5 &f = openForm5(app);
    enterTime(f, "22", "31", "", true);
    EXPECT_TRUE(app.desktop.sleepInhibited);
    runUntil(app.desktop, QTime(22, 31, 1));
    ASSERT_EQ(app.desktop.messages.size(), 1u);
    const auto &box = app.desktop.messages[0];
    EXPECT_EQ(box.text, QStringLiteral("主人！！！系统奉命提醒您！！！\r\n计算机将在 1 分钟内关闭！！！"));
    EXPECT_EQ(box.title, QStringLiteral("关机提醒"));
    EXPECT_EQ(box.style, MsgStyle::Ok);
    EXPECT_EQ(box.owner, nullptr) << "a warning, above every window, not a box of the hidden window";
    EXPECT_EQ(app.desktop.commands.size(), 1);
    app.desktop.jumpClock((24 * 3600 - 180) * 1000);
    runUntil(app.desktop, QTime(22, 31, 1));
    EXPECT_EQ(app.desktop.commands.size(), 2);
    EXPECT_EQ(app.desktop.messages.size(), 1u);
    EXPECT_TRUE(app.desktop.sleepInhibited);
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    EXPECT_FALSE(app.desktop.sleepInhibited);
    enterTime(f, "22", "33", "", true);
    runUntil(app.desktop, QTime(22, 32, 1));
    EXPECT_EQ(app.desktop.messages.size(), 2u);
}

// The clock set, or the computer asleep, at 22:29:55 (the target 22:30:00): up to a minute
// passed over is caught up; a longer jump, or one backwards, goes on from the new time.
TEST(ClockTimeWatch, JumpsOfTheClock)
{
    const struct {
        int jumpSeconds;
        int launches;
        const char *clock; // as the clock reads 3 s later
    } rows[] = {{30, 1, "22:30:28"},
                {59, 1, "22:30:57"},
                {60, 0, "22:30:58"},
                {3600, 0, "23:29:58"},
                {-300, 0, "22:24:58"}};
    for (const auto &row : rows) {
        TestApp app;
        Form5 &f = openForm5(app);
        enterTime(f, "22", "30", "");
        runUntil(app.desktop, QTime(22, 29, 55, 500));
        app.desktop.jumpClock(row.jumpSeconds * 1000);
        app.desktop.advance(3000);
        EXPECT_EQ(app.desktop.commands.size(), row.launches) << row.jumpSeconds;
        EXPECT_EQ(f.Label1->caption(), QString::fromLatin1(row.clock)) << row.jumpSeconds;
        if (row.jumpSeconds < 0) { // the target comes round again
            runUntil(app.desktop, QTime(22, 30, 0, 10));
            EXPECT_EQ(app.desktop.commands.size(), 1) << row.jumpSeconds;
        }
    }
}

} // namespace
