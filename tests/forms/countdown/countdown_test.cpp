#include "core/convert.h"
#include "support/user_steps.h"

#include <cstring>

namespace {

TEST_F(Countdown, FiveCountsDownAndShutsDownOnceAtTheFifthTick)
{
    startCountdown(f2, "5");
    QStringList figures{f2.Label4->caption()};
    for (int s = 1; s <= 7; ++s) {
        app.desktop.advance(1000);
        figures << f2.Label4->caption();
        EXPECT_EQ(app.desktop.commands.size(), s >= 5 ? 1 : 0) << "after " << s << " s";
    }
    EXPECT_EQ(figures, (QStringList{"5", "4", "3", "2", "1", "0", "0", "0"}));
    EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()});
    EXPECT_FALSE(f2.Timer1->enabled());
    EXPECT_EQ(f2.Command1->caption(), QStringLiteral("取消关机"));
}

// A zero entry warns and shuts down at once, without a tick; after a cancel it also
// hides the cancel notice.
TEST_F(Countdown, AZeroEntryWarnsThenShutsDownAtOnce)
{
    startCountdown(f2, "9");
    QTest::mouseClick(f2.Command1, Qt::LeftButton);
    for (const char *entry : {"0", "00"}) {
        app.desktop.commands.clear();
        QTest::keyClicks(f2.Text1, QString::fromLatin1(entry));
        EXPECT_TRUE(f2.Label6->isVisible() && !f2.Label7->isVisible() && !f2.Label15->isVisible()) << entry;
        QTest::keyClick(f2.Text1, Qt::Key_Return);
        EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()}) << entry;
        EXPECT_FALSE(f2.Timer1->enabled());
        app.desktop.advance(5000);
        EXPECT_EQ(app.desktop.commands.size(), 1) << entry;
        QTest::mouseClick(f2.Command1, Qt::LeftButton);
    }
}

TEST_F(Countdown, EntriesThatCannotReachZeroAreRefused)
{
    EXPECT_FALSE(f2.Command1->isEnabled() || f2.Label15->isVisible())
        << "a fresh window: disabled, no warning";
    QTest::keyClick(f2.Text1, Qt::Key_Return);
    EXPECT_TRUE(f2.Label8->isVisible()) << "Enter in a fresh window does nothing";
    // 1e16 and 9e99 are whole numbers, but too large to count down one by one.
    for (const char *entry : {"abc", "0.5", "-3", "1.5", "5x", "1e16", "9e99", ""}) {
        f2.Text1->setText(QStringLiteral("9"));
        f2.Text1->selectAll();
        QTest::keyClick(f2.Text1, Qt::Key_Delete);
        QTest::keyClicks(f2.Text1, QString::fromLatin1(entry));
        EXPECT_TRUE(f2.Label15->isVisible()) << entry;
        EXPECT_EQ(f2.Label15->caption(), QStringLiteral("亲，请正确输入！"));
        EXPECT_FALSE(f2.Command1->isEnabled() || f2.Label6->isVisible()) << entry;
        QTest::keyClick(f2.Text1, Qt::Key_Return);
        EXPECT_TRUE(f2.Label8->isVisible()) << entry << ": not started";
    }
    EXPECT_TRUE(app.desktop.commands.isEmpty());
}

// Cancelled by a click while it runs, by Enter, or after the shutdown was launched: the
// cancelled layout, and nothing (more) ever fires; a new countdown has no reminder armed.
TEST(CountdownCancel, GivesTheCancelledLayoutAndNothingEverFires)
{
    for (const char *how : {"click", "Enter", "after firing"}) {
        TestApp app;
        Form2 &f = openForm2(app);
        const bool fired = !strcmp(how, "after firing");
        startCountdown(f, fired ? "1" : "10");
        armPreset(f, 0);
        app.desktop.advance(fired ? 1000 : 3000);
        f.Command1->setFocus();
        if (!strcmp(how, "Enter"))
            QTest::keyClick(f.Command1, Qt::Key_Return);
        else
            QTest::mouseClick(f.Command1, Qt::LeftButton);
        EXPECT_EQ(f.Command1->caption(), QStringLiteral("确定")) << how;
        EXPECT_EQ(f.focusWidget(), f.Text1) << how << ": ready for the next figure";
        EXPECT_FALSE(f.Command1->isEnabled() || f.Timer1->enabled()) << how;
        EXPECT_TRUE(f.Text1->text().isEmpty() && f.Text1->isEnabled() && f.Label4->caption().isEmpty())
            << how;
        for (QWidget *w :
             std::initializer_list<QWidget *>{f.Label1, f.Text1, f.Label2, f.Label7, f.Label15, f.Frame1})
            EXPECT_TRUE(w->isVisible()) << how << " " << w->metaObject()->className();
        for (QWidget *w : std::initializer_list<QWidget *>{f.Check1, f.Frame2, f.Frame3, f.Label8})
            EXPECT_FALSE(w->isVisible()) << how;
        EXPECT_EQ(f.Check1->value(), 0);
        app.desktop.advance(60000);
        EXPECT_EQ(app.desktop.commands.size(), int(fired)) << how;
        startCountdown(f, "20"); // the old reminder is disarmed
        EXPECT_TRUE(f.check2->value() == 0 && !f.check2->isEnabled() && f.Combo1->text().isEmpty());
        app.desktop.advance(20000);
        EXPECT_FALSE(app.forms.form4.exists());
        EXPECT_EQ(app.desktop.commands.size(), fired + 1) << how;
    }
}

// Returning shows the main window's notice and keeps 关机2 out while a countdown runs;
// reopening hides the cancel notice and the figure until the next tick; the close box is
// refused and minimises the main window, which returning then leaves minimised.
TEST_F(Countdown, ReturningReopeningAndTheCloseBox)
{
    Form1 &f1 = app.forms.form1();
    QTest::mouseClick(f2.Command2, Qt::LeftButton); // idle
    EXPECT_TRUE(f1.isVisible() && !f1.Label7->isVisible() && f1.Command7->isEnabled());
    QTest::mouseClick(f1.Command5, Qt::LeftButton);
    startCountdown(f2, "9");
    QTest::keyClick(f2.Command1, Qt::Key_Escape); // Esc is "返回"
    EXPECT_TRUE(f1.isVisible() && !f2.isVisible() && f1.Label7->isVisible() && !f1.Command7->isEnabled());
    QTest::mouseClick(f1.Command5, Qt::LeftButton);
    EXPECT_TRUE(f2.isVisible() && !f2.Frame1->isVisible());
    app.desktop.advance(1000);
    EXPECT_TRUE(f2.Frame1->isVisible());

    QTest::mouseClick(f2.Command1, Qt::LeftButton); // cancelled: the notice shows
    QTest::mouseClick(f2.Command2, Qt::LeftButton);
    QTest::mouseClick(f1.Command5, Qt::LeftButton);
    EXPECT_FALSE(f2.Label7->isVisible() || f2.Frame1->isVisible());

    startCountdown(f2, "30");
    EXPECT_FALSE(f2.close());
    EXPECT_TRUE(f2.isVisible() && f1.isMinimizedState() && f2.Timer1->enabled());
    QTest::mouseClick(f2.Command2, Qt::LeftButton);
    EXPECT_TRUE(f1.isVisible() && f1.isMinimizedState());
    app.desktop.advance(30000);
    EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()}) << "it still comes";
}

// The countdown line stays one readable sentence: the figure never runs into the text
// after it, whatever its length; the unit moves right for a figure of four or more.
TEST_F(Countdown, TheFigureNeverRunsIntoTheTextAfterIt)
{
    f2.Frame1->setVisible(true);
    f2.Frame2->setVisible(true);
    for (const char *figure : {"8", "88", "888", "8888", "88888", "1E+15", "9999999999", "999999999999999"}) {
        f2.Label4->setCaption(QString::fromLatin1(figure));
        const int len = int(strlen(figure));
        const QRect fig = f2.Label4->geometry(), unit = f2.Label5->geometry();
        EXPECT_LT(fig.right(), unit.left()) << figure;
        // Up to five characters, "秒后关闭！" stays where Left puts it.
        EXPECT_TRUE(len > 5 || unit.left() == twipsToPixels(f2.Label5->left())) << figure;
        EXPECT_EQ(f2.Label5->left(), len > 3 ? 2450 : 2100) << figure;
        EXPECT_LE(unit.right(), f2.Frame1->width()) << figure << ": inside its frame";
        EXPECT_LE(f2.Frame1->geometry().right(), f2.client()->width()) << figure << ": inside the window";

        f2.Label9->setCaption(QString::fromLatin1(figure));
        EXPECT_LT(f2.Label9->geometry().right(), f2.Label11->geometry().left()) << figure;
        EXPECT_LE(f2.Label11->geometry().right(), f2.Frame2->width()) << figure;
    }
}

// The minutes come from the figure before the tick; the details show the date and time.
TEST_F(Countdown, DetailsShowTheMinutesAndTheDateAndTime)
{
    startCountdown(f2, "61");
    QTest::mouseClick(f2.Check1, Qt::LeftButton);
    EXPECT_TRUE(f2.Frame2->isVisible() && f2.Frame3->isVisible());
    for (const char *minutes : {"1", "1", "0"}) { // read at 61, 60, 59
        app.desktop.advance(1000);
        EXPECT_EQ(f2.Label9->caption(), QString::fromLatin1(minutes)) << f2.Label4->caption().toStdString();
    }
    const QDateTime now = app.desktop.now();
    EXPECT_EQ(f2.Label12->caption(), QStringLiteral("当前日期:") + DateText(now.date()) +
                                         QStringLiteral("\r\n当前时间:") + TimeText(now.time()));
    QTest::mouseClick(f2.Check1, Qt::LeftButton);
    EXPECT_FALSE(f2.Frame2->isVisible());
}

QString line(int seconds)
{
    return QStringLiteral("距离关机还有 %1 秒").arg(seconds);
}

// A preset, the second or the last of the list: the reminder opens at its figure, counts
// with the countdown and stays to the end, which the shutdown still comes at.
TEST(Reminder, APresetOpensAtItsFigureAndCountsToTheShutdown)
{
    const struct {
        const char *seconds;
        int preset, opensAt;
    } rows[] = {{"40", 1, 30}, {"182", 4, 180}};
    for (const auto &row : rows) {
        TestApp app;
        Form2 &f = openForm2(app);
        startCountdown(f, row.seconds);
        armPreset(f, row.preset);
        EXPECT_TRUE(f.Label16->isVisible() && f.Label14->isVisible()) << row.seconds;
        EXPECT_EQ(f.Label16->caption(), QStringLiteral("设置完毕！"));
        EXPECT_FALSE(f.check2->isEnabled()) << "a preset locks the box";
        const int before = QString::fromLatin1(row.seconds).toInt() - row.opensAt;
        app.desktop.advance(1000 * (before - 1));
        EXPECT_FALSE(app.forms.form4.exists()) << row.seconds;
        app.desktop.advance(1000);
        ASSERT_EQ(f.Label4->caption(), QString::number(row.opensAt));
        ASSERT_TRUE(app.forms.form4.exists()) << row.seconds;
        Form4 &r = app.forms.form4();
        EXPECT_TRUE(r.isVisible() && !f.isVisible() && r.Label2->caption().isEmpty());
        EXPECT_EQ(r.Label1->caption(), QStringLiteral("请注意！"));
        app.desktop.advance(1000);
        EXPECT_EQ(r.Label2->caption(), line(row.opensAt - 1));
        EXPECT_EQ(f.Label4->caption(), QString::number(row.opensAt - 1));
        app.desktop.advance(1000 * (row.opensAt - 1));
        EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()});
        EXPECT_TRUE(r.isVisible());
        EXPECT_EQ(r.Label2->caption(), line(0));
    }
}

// Unticking "最后", editing the box or picking another preset disarms the reminder
// ("设置以取消！"); ticked again, the box's figure arms it.
TEST_F(Countdown, UntickingEditingOrPickingAgainDisarmsTheReminder)
{
    startCountdown(f2, "100");
    armTyped(f2, "97");
    EXPECT_EQ(f2.Label16->caption(), QStringLiteral("设置完毕！"));
    EXPECT_TRUE(!f2.Label14->isVisible() && f2.check2->isEnabled());
    QTest::mouseClick(f2.check2, Qt::LeftButton);
    EXPECT_EQ(f2.Label16->caption(), QStringLiteral("设置以取消！"));
    app.desktop.advance(5000);
    EXPECT_FALSE(app.forms.form4.exists()) << "unticked: not armed";
    QTest::mouseClick(f2.check2, Qt::LeftButton);
    QTest::keyClicks(f2.Combo1->lineEdit(), QStringLiteral("5"));
    EXPECT_EQ(f2.check2->value(), 0);
    EXPECT_EQ(f2.Label16->caption(), QStringLiteral("设置以取消！"));
    EXPECT_EQ(f2.remindAt.text(), QStringLiteral("975"));
    f2.Combo1->lineEdit()->selectAll();
    QTest::keyClicks(f2.Combo1->lineEdit(), QStringLiteral("93"));
    QTest::mouseClick(f2.check2, Qt::LeftButton);
    app.desktop.advance(2000);
    ASSERT_TRUE(app.forms.form4.exists());
    app.desktop.advance(1000);
    EXPECT_EQ(app.forms.form4().Label2->caption(), line(92));
    armPreset(f2, 2);
    EXPECT_EQ(f2.remindAt.text(), QStringLiteral("60"));
    QTest::keyClick(f2.Combo1, Qt::Key_Up); // another preset
    EXPECT_TRUE(f2.check2->value() == 0 && f2.check2->isEnabled() && !f2.Label14->isVisible());
}

// Typed text is compared with the figure as a number: however the number is written, it
// matches the figure of the same value; text that is no number never matches. Text equal
// to a preset is still typed text when the edit is finished by Tab: "设置完毕！" only, and
// "最后" stays free.
TEST(Reminder, TypedTextMatchesTheFigureOfTheSameValue)
{
    const struct {
        const char *typed;
        int opensAt; // the figure it opens at, or -1
    } rows[] = {{"020", 20}, {"20.0", 20}, {"+20", 20}, {" 20", 20}, {"2O", -1}, {"20s", -1}, {"30", 30}};
    for (const auto &row : rows) {
        TestApp app;
        Form2 &f = openForm2(app);
        startCountdown(f, "33");
        f.Check1->setValue(1);
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        f.Combo1->setFocus();
        QTest::keyClicks(f.Combo1->lineEdit(), QString::fromLatin1(row.typed));
        QTest::keyClick(f.Combo1->lineEdit(), Qt::Key_Tab);
        QTest::mouseClick(f.check2, Qt::LeftButton);
        EXPECT_EQ(f.Combo1->listIndex(), -1) << row.typed;
        EXPECT_TRUE(f.check2->value() == 1 && f.check2->isEnabled() && !f.Label14->isVisible()) << row.typed;
        EXPECT_EQ(f.Label16->caption(), QStringLiteral("设置完毕！")) << row.typed;
        if (row.opensAt >= 0) {
            app.desktop.advance((32 - row.opensAt) * 1000);
            EXPECT_FALSE(app.forms.form4.exists()) << row.typed;
            app.desktop.advance(1000);
            EXPECT_TRUE(app.forms.form4.exists()) << row.typed;
        }
        app.desktop.advance(33000);
        EXPECT_EQ(app.forms.form4.exists(), row.opensAt >= 0) << row.typed;
        EXPECT_EQ(app.desktop.commands.size(), 1) << row.typed;
    }
}

// Dismissed by its button or its close box, the reminder goes and the countdown window
// comes back; it is not shown again in this countdown. Armed again, it opens empty.
TEST(Reminder, DismissingItBringsTheCountdownBack)
{
    for (bool byCloseBox : {false, true}) {
        TestApp app;
        Form2 &f = openForm2(app);
        startCountdown(f, "40");
        armTyped(f, "38");
        app.desktop.advance(2500);
        ASSERT_TRUE(app.forms.form4.exists());
        if (byCloseBox)
            EXPECT_TRUE(app.forms.form4().close());
        else
            QTest::mouseClick(app.forms.form4().Command1, Qt::LeftButton);
        EXPECT_FALSE(app.forms.form4.exists());
        EXPECT_TRUE(f.isVisible());
        app.desktop.advance(20000);
        EXPECT_FALSE(app.forms.form4.exists()) << "not shown again in this countdown";
        armPreset(f, 0);
        app.desktop.advance(3000);
        ASSERT_TRUE(app.forms.form4.exists());
        EXPECT_TRUE(app.forms.form4().Label2->caption().isEmpty());
        app.desktop.advance(20000);
        EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()});
    }
}

// Typed into the countdown window, reopened from the main window while the reminder is open:
// "最后" is unticked, and the reminder goes on from the typed value. Letters before its first
// tick leave its line empty; it stands still, silently, until the value is a number again.
TEST_F(Countdown, TypingWhileTheReminderIsOpenReplacesItsValue)
{
    startCountdown(f2, "30");
    armTyped(f2, "28");
    QTest::mouseClick(f2.Command2, Qt::LeftButton); // back to the main window
    app.desktop.advance(2000);
    ASSERT_TRUE(app.forms.form4.exists());
    QTest::mouseClick(app.forms.form1().Command5, Qt::LeftButton);
    EXPECT_TRUE(f2.isVisible());
    QTest::keyClicks(f2.Combo1->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(f2.check2->value(), 0);
    EXPECT_EQ(f2.Label16->caption(), QStringLiteral("设置以取消！"));
    app.desktop.advance(3000);
    EXPECT_TRUE(app.forms.form4().Label2->caption().isEmpty());
    EXPECT_EQ(f2.remindAt.text(), QStringLiteral("28x"));
    EXPECT_TRUE(app.desktop.messages.empty());
    f2.Combo1->lineEdit()->selectAll();
    QTest::keyClicks(f2.Combo1->lineEdit(), QStringLiteral("50"));
    app.desktop.advance(1000);
    EXPECT_EQ(app.forms.form4().Label2->caption(), line(49));
    app.desktop.advance(30000);
    EXPECT_EQ(app.desktop.commands.size(), 1);
}

} // namespace
