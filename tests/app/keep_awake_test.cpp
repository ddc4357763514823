#include "clocktime/form5.h"
#include "support/clocktime_support.h"
#include "support/countdown_support.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// The computer is kept awake exactly while a timed shutdown is pending.

TEST(KeepAwake, WhileACountdownRuns)
{
    TestApp app;
    Form2 &f = openForm2(app);
    EXPECT_FALSE(app.desktop.sleepInhibited) << "nothing pending yet";
    startCountdown(f, "30");
    EXPECT_TRUE(app.desktop.sleepInhibited);
    QTest::mouseClick(f.Command2, Qt::LeftButton); // 返回: still pending, window hidden
    app.desktop.advance(10000);
    EXPECT_TRUE(app.desktop.sleepInhibited);
    QTest::mouseClick(app.forms.form1().Command5, Qt::LeftButton);
    QTest::mouseClick(f.Command1, Qt::LeftButton); // 取消关机
    EXPECT_FALSE(app.desktop.sleepInhibited);

    startCountdown(f, "3");
    EXPECT_TRUE(app.desktop.sleepInhibited);
    app.desktop.advance(3000);
    ASSERT_EQ(app.desktop.commands, QStringList{shutdownLine()});
    EXPECT_FALSE(app.desktop.sleepInhibited) << "fired: nothing is pending any more";
    EXPECT_EQ(app.desktop.sleepInhibitorChanges, 4);
}

TEST(KeepAwake, AZeroCountdownFiresWithoutEverHoldingOn)
{
    TestApp app;
    Form2 &f = openForm2(app);
    startCountdown(f, "0");
    EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()});
    EXPECT_FALSE(app.desktop.sleepInhibited);
    EXPECT_EQ(app.desktop.sleepInhibitorChanges, 0) << "checked once the click is over";
}

TEST(KeepAwake, WhileAClockTimeIsSetEvenAfterItFired)
{
    TestApp app;
    Form5 &f = openForm5(app);
    enterTime(f, "22", "30", "0");
    EXPECT_TRUE(app.desktop.sleepInhibited);
    runUntil(app.desktop, QTime(22, 30, 1));
    ASSERT_EQ(app.desktop.commands, QStringList{shutdownLine()});
    EXPECT_TRUE(app.desktop.sleepInhibited) << "the setting stays active and fires again a day later";
    QTest::mouseClick(f.Command3, Qt::LeftButton); // 取消设置
    EXPECT_FALSE(app.desktop.sleepInhibited);
}

// The windows keep the two modes apart, but the lock follows whichever is pending.
TEST(KeepAwake, HeldWhileEitherModeIsPending)
{
    TestApp app;
    Form2 &f2 = openForm2(app);
    startCountdown(f2, "100");
    Form5 &f5 = app.forms.form5();
    f5.Text1->setText(QStringLiteral("23"));
    f5.Command1->click(); // both pending, as the windows never allow
    QTest::mouseClick(f2.Command1, Qt::LeftButton);
    EXPECT_TRUE(app.desktop.sleepInhibited) << "the clock time is still set";
    f5.Command3->click();
    EXPECT_FALSE(app.desktop.sleepInhibited);
}

TEST(KeepAwake, ReleasedWhenTheProgramEnds)
{
    TestApp app;
    startCountdown(openForm2(app), "100");
    QTest::mouseClick(app.forms.form2().Command2, Qt::LeftButton);
    app.desktop.answer(MsgResult::Yes);
    QTest::mouseClick(app.forms.form1().Command4, Qt::LeftButton); // 退出, Yes
    EXPECT_EQ(app.quitCalls, 1);
    EXPECT_FALSE(app.desktop.sleepInhibited);
}

} // namespace
