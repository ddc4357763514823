#include "support/countdown_support.h"

namespace {

QString line(int seconds)
{
    return QStringLiteral("距离关机还有 %1 秒").arg(seconds);
}

TEST_F(Countdown, APresetReminderOpensAtItsFigure)
{
    startCountdown(f2(), "40");
    armPreset(f2(), 1);
    EXPECT_TRUE(f2().Label16->isVisible());
    EXPECT_EQ(f2().Label16->caption(), QStringLiteral("设置完毕！"));
    EXPECT_TRUE(f2().Label14->isVisible());
    EXPECT_FALSE(f2().check2->isEnabled()) << "a preset locks the box";
    app.desktop.advance(9000);
    EXPECT_FALSE(app.forms.form4.exists());
    app.desktop.advance(1000);
    ASSERT_EQ(f2().Label4->caption(), QStringLiteral("30"));
    ASSERT_TRUE(app.forms.form4.exists());
    Form4 &r = app.forms.form4();
    EXPECT_TRUE(r.isVisible());
    EXPECT_FALSE(f2().isVisible());
    EXPECT_TRUE(r.Label2->caption().isEmpty());
    EXPECT_EQ(r.Label1->caption(), QStringLiteral("请注意！"));
    app.desktop.advance(1000);
    EXPECT_EQ(r.Label2->caption(), line(29));
    EXPECT_EQ(f2().Label4->caption(), QStringLiteral("29"));
}

TEST_F(Countdown, ATypedReminderCanBeUntickedAndTickedAgain)
{
    startCountdown(f2(), "25");
    armTyped(f2(), "20");
    EXPECT_EQ(f2().Label16->caption(), QStringLiteral("设置完毕！"));
    EXPECT_FALSE(f2().Label14->isVisible());
    EXPECT_TRUE(f2().check2->isEnabled());
    QTest::mouseClick(f2().check2, Qt::LeftButton);
    EXPECT_EQ(f2().Label16->caption(), QStringLiteral("设置以取消！"));
    app.desktop.advance(5000);
    EXPECT_FALSE(app.forms.form4.exists()) << "unticked: not armed";

    f2().Label4->setCaption(QStringLiteral("21")); // wind back to before 20 for a second try
    QTest::mouseClick(f2().check2, Qt::LeftButton);
    app.desktop.advance(1000);
    ASSERT_TRUE(app.forms.form4.exists());
    app.desktop.advance(1000);
    EXPECT_EQ(app.forms.form4().Label2->caption(), line(19));
}

TEST_F(Countdown, TypedTextThatIsNotTheFigureNeverMatches)
{
    for (const char *typed : {"020", "2O", "20s"}) {
        TestApp fresh;
        Form2 &f = openForm2(fresh);
        startCountdown(f, "25");
        armTyped(f, typed);
        fresh.desktop.advance(25000);
        EXPECT_FALSE(fresh.forms.form4.exists()) << typed;
        EXPECT_EQ(fresh.desktop.commands.size(), 1) << typed;
    }
}

// A typed text that equals a preset is still typed text, however the edit is finished:
// "设置完毕！" only, "最后" stays free, and the reminder counts from the typed text.
TEST_F(Countdown, ATypedPresetIsNoPickFromTheList)
{
    for (bool byTab : {true, false}) {
        TestApp fresh;
        Form2 &f = openForm2(fresh);
        startCountdown(f, "33");
        f.Check1->setValue(1);
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        f.Combo1->setFocus();
        QTest::keyClicks(f.Combo1->lineEdit(), QStringLiteral("30"));
        if (byTab)
            QTest::keyClick(f.Combo1->lineEdit(), Qt::Key_Tab);
        QTest::mouseClick(f.check2, Qt::LeftButton); // moves the focus, then ticks
        EXPECT_EQ(f.Combo1->listIndex(), -1) << byTab;
        EXPECT_EQ(f.check2->value(), 1) << byTab;
        EXPECT_TRUE(f.check2->isEnabled()) << byTab;
        EXPECT_FALSE(f.Label14->isVisible()) << byTab;
        EXPECT_EQ(f.Label16->caption(), QStringLiteral("设置完毕！")) << byTab;
        fresh.desktop.advance(3000);
        ASSERT_TRUE(fresh.forms.form4.exists()) << byTab;
    }
}

TEST_F(Countdown, TheLastPresetArmsTheReminder)
{
    startCountdown(f2(), "182");
    armPreset(f2(), 4);
    EXPECT_EQ(f2().Combo1->text(), QStringLiteral("180"));
    EXPECT_TRUE(f2().Label14->isVisible());
    app.desktop.advance(1000);
    EXPECT_FALSE(app.forms.form4.exists());
    app.desktop.advance(1000);
    EXPECT_TRUE(app.forms.form4.exists());
}

// Typed into the countdown window, reopened from the main window while the reminder is
// open: "最后" is unticked and the reminder goes on from the typed value.
TEST_F(Countdown, TypingWhileTheReminderIsOpenUnticksAndReplacesTheValue)
{
    startCountdown(f2(), "20");
    armPreset(f2(), 0);
    QTest::mouseClick(f2().Command2, Qt::LeftButton); // back to the main window
    app.desktop.advance(5000);
    ASSERT_TRUE(app.forms.form4.exists());
    QTest::mouseClick(app.forms.form1().Command5, Qt::LeftButton);
    EXPECT_TRUE(f2().isVisible());
    f2().Combo1->lineEdit()->selectAll();
    QTest::keyClicks(f2().Combo1->lineEdit(), QStringLiteral("50"));
    EXPECT_EQ(f2().check2->value(), 0);
    EXPECT_EQ(f2().Label16->caption(), QStringLiteral("设置以取消！"));
    app.desktop.advance(1000);
    EXPECT_EQ(app.forms.form4().Label2->caption(), line(49));
}

TEST_F(Countdown, ATypedReminderTurnedToLettersBeforeTheFirstTickLeavesTheLineEmpty)
{
    startCountdown(f2(), "20");
    armTyped(f2(), "18");
    QTest::mouseClick(f2().Command2, Qt::LeftButton);
    app.desktop.advance(2000);
    ASSERT_TRUE(app.forms.form4.exists());
    QTest::mouseClick(app.forms.form1().Command5, Qt::LeftButton);
    QTest::keyClicks(f2().Combo1->lineEdit(), QStringLiteral("x"));
    app.desktop.advance(3000);
    EXPECT_TRUE(app.forms.form4().Label2->caption().isEmpty());
    EXPECT_TRUE(app.desktop.messages.empty());
}

TEST_F(Countdown, DismissingTheReminderBringsTheCountdownBack)
{
    for (bool byCloseBox : {false, true}) {
        TestApp fresh;
        Form2 &f = openForm2(fresh);
        startCountdown(f, "20");
        armTyped(f, "18");
        fresh.desktop.advance(2500);
        ASSERT_TRUE(fresh.forms.form4.exists());
        if (byCloseBox)
            EXPECT_TRUE(fresh.forms.form4().close());
        else
            QTest::mouseClick(fresh.forms.form4().Command1, Qt::LeftButton);
        EXPECT_FALSE(fresh.forms.form4.exists());
        EXPECT_TRUE(f.isVisible());
        fresh.desktop.advance(20000);
        EXPECT_FALSE(fresh.forms.form4.exists()) << "not shown again in this countdown";
        EXPECT_EQ(fresh.desktop.commands, QStringList{shutdownLine()});
    }
}

TEST_F(Countdown, TheReminderNeverStopsTheShutdown)
{
    startCountdown(f2(), "16");
    armPreset(f2(), 0);
    app.desktop.advance(1000);
    ASSERT_TRUE(app.forms.form4.exists());
    app.desktop.advance(15000);
    EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()});
    EXPECT_TRUE(app.forms.form4().isVisible());
    EXPECT_EQ(app.forms.form4().Label2->caption(), line(0));
}

TEST_F(Countdown, ANewCountdownDisarmsTheOldReminder)
{
    startCountdown(f2(), "40");
    armPreset(f2(), 1);
    QTest::mouseClick(f2().Command1, Qt::LeftButton); // cancel
    startCountdown(f2(), "35");
    EXPECT_EQ(f2().check2->value(), 0);
    EXPECT_FALSE(f2().check2->isEnabled());
    EXPECT_TRUE(f2().Combo1->text().isEmpty());
    app.desktop.advance(35000);
    EXPECT_FALSE(app.forms.form4.exists());
    EXPECT_EQ(app.desktop.commands.size(), 1);
}

TEST_F(Countdown, EditingOrPickingAgainUnticksTheReminder)
{
    startCountdown(f2(), "100");
    armTyped(f2(), "50");
    QTest::keyClicks(f2().Combo1->lineEdit(), QStringLiteral("5"));
    EXPECT_EQ(f2().check2->value(), 0);
    EXPECT_EQ(f2().Label16->caption(), QStringLiteral("设置以取消！"));
    EXPECT_EQ(app.forms.form2().remindAt.text(), QStringLiteral("505"));
    QTest::mouseClick(f2().check2, Qt::LeftButton);
    armPreset(f2(), 2);
    EXPECT_EQ(app.forms.form2().remindAt.text(), QStringLiteral("60"));
    QTest::keyClick(f2().Combo1, Qt::Key_Up); // another preset
    EXPECT_EQ(f2().check2->value(), 0);
    EXPECT_TRUE(f2().check2->isEnabled());
    EXPECT_FALSE(f2().Label14->isVisible());
}

TEST_F(Countdown, AReminderWithoutANumberStandsStillAndTheProgramGoesOn)
{
    startCountdown(f2(), "20");
    armPreset(f2(), 0);
    app.desktop.advance(6000);
    ASSERT_TRUE(app.forms.form4.exists());
    app.desktop.advance(1000);
    EXPECT_EQ(app.forms.form4().Label2->caption(), line(13));
    app.forms.form2().remindAt.setText(QStringLiteral("abc")); // typed into the hidden window's box
    app.desktop.advance(3000);
    EXPECT_EQ(app.forms.form4().Label2->caption(), line(13));
    EXPECT_EQ(app.forms.form2().remindAt.text(), QStringLiteral("abc"));
    EXPECT_TRUE(app.desktop.messages.empty());
    app.forms.form2().remindAt.setText(QStringLiteral("9"));
    app.desktop.advance(1000);
    EXPECT_EQ(app.forms.form4().Label2->caption(), line(8));
    app.desktop.advance(10000);
    EXPECT_EQ(app.desktop.commands.size(), 1);
}

TEST_F(Countdown, AReopenedReminderStartsEmpty)
{
    startCountdown(f2(), "40");
    armPreset(f2(), 1);
    app.desktop.advance(12000);
    ASSERT_TRUE(app.forms.form4.exists());
    QTest::mouseClick(app.forms.form4().Command1, Qt::LeftButton);
    armPreset(f2(), 0);
    app.desktop.advance(13000);
    ASSERT_TRUE(app.forms.form4.exists());
    EXPECT_TRUE(app.forms.form4().Label2->caption().isEmpty());
}

} // namespace
