#include "support/user_steps.h"

#include <cstring>

namespace {

enum Cancel { ByClick, ByEnter, AfterTheShutdown };

// A countdown with a reminder armed is cancelled, by a click while it runs, by Enter, or after
// its shutdown came: the cancelled layout, the focus in the field, and nothing (more) ever
// fires. Then each entry typed and Enter pressed: refused with the red line (nothing starts),
// or started afresh, the old reminder's figure gone, with the figures it shows second by
// second and the shutdown at "0", once, the computer kept awake meanwhile. A zero figure, once
// typed, is announced in place of the cancel notice, and a zero entry shuts down at once.
TEST_F(Countdown, CancelledThenEachEntryIsRefusedOrCountsDownToOneShutdown)
{
    QTest::keyClick(f2.Text1, Qt::Key_Return);
    EXPECT_TRUE(f2.Label8->isVisible()) << "a fresh window refuses Enter silently";
    EXPECT_FALSE(f2.Label15->isVisible()) << "a fresh window refuses Enter silently";
    const struct {
        Cancel cancel;
        const char *entry;
        const char *figures; // at 0 to 6 s; empty: refused
        int firesAt;         // the second the shutdown comes; -1: never
    } rows[] = {{ByClick, "5", "5 4 3 2 1 0 0", 5},
                {ByEnter, "0", "0 0 0 0 0 0 0", 0},
                {AfterTheShutdown, "00", "00 00 00 00 00 00 00", 0},
                {ByClick, "abc", "", -1},
                {ByEnter, "0.5", "", -1},
                {ByClick, "1e16", "", -1}, // too large to count one by one
                {AfterTheShutdown, "", "", -1}};
    for (const auto &row : rows) {
        TestApp app;
        Form2 &f = openForm2(app);
        startCountdown(f, row.cancel == AfterTheShutdown ? "1" : "10");
        armPreset(f, 0);
        app.desktop.advance(row.cancel == AfterTheShutdown ? 1000 : 3000);
        f.Command1->setFocus();
        if (row.cancel == ByEnter)
            QTest::keyClick(f.Command1, Qt::Key_Return);
        else
            QTest::mouseClick(f.Command1, Qt::LeftButton);
        EXPECT_EQ(f.focusWidget(), f.Text1) << "cancel " << row.cancel;
        EXPECT_EQ(f.Check1->value(), 0) << "cancel " << row.cancel;
        EXPECT_FALSE(app.desktop.sleepInhibited) << "cancel " << row.cancel;
        EXPECT_EQ(f.Label4->caption(), QString()) << "cancel " << row.cancel;
        EXPECT_EQ(shownControls(f.client()),
                  QStringLiteral("Label7 Label1 Text1 Label2 Label15 Frame1 Command1 Command2"));
        app.desktop.advance(60000);
        EXPECT_EQ(std::exchange(app.desktop.commands, {}).size(), int(row.cancel == AfterTheShutdown));

        const bool refused = !*row.figures, zero = row.figures[0] == '0';
        QTest::keyClicks(f.Text1, QString::fromLatin1(row.entry));
        EXPECT_EQ(f.Label15->isVisible(), refused) << row.entry << ": the red line";
        EXPECT_EQ(f.Label6->isVisible(), zero) << row.entry << ": the zero notice";
        EXPECT_EQ(f.Label7->isVisible(), row.entry[0] != '0') << row.entry << ": the cancel notice";
        EXPECT_EQ(f.Command1->isEnabled(), !refused) << row.entry;
        const int changes = app.desktop.sleepInhibitorChanges;
        QTest::keyClick(f.Text1, Qt::Key_Return);
        EXPECT_EQ(app.desktop.sleepInhibitorChanges - changes, !refused && !zero) << row.entry << ": awake";
        EXPECT_EQ(f.Combo1->text(), refused ? QStringLiteral("15") : QString()) << row.entry << ": remind at";
        QStringList figures;
        for (int s = 0; s <= 6; ++s) {
            app.desktop.advance(s ? 1000 : 0);
            figures << f.Label4->caption();
            EXPECT_EQ(app.desktop.commands.size(), row.firesAt >= 0 && s >= row.firesAt) << row.entry << s;
        }
        EXPECT_EQ(app.desktop.commands, QStringList(row.firesAt >= 0, ShutdownLine)) << row.entry;
        EXPECT_EQ(figures.join(u' ').trimmed(), QString::fromLatin1(row.figures)) << row.entry;
        EXPECT_FALSE(f.Timer1->enabled()) << row.entry;
        EXPECT_FALSE(app.desktop.sleepInhibited) << row.entry;
        EXPECT_FALSE(app.forms.form4.exists()) << row.entry;
    }
}

// 关机1 and 关机2 each open their window in place of the main window. Set, the window refuses
// its close box and minimises the main window instead, which 返回 (Esc) brings back still
// minimised, with its notice and the other timed window kept out; the shutdown still comes.
// Reopened, the countdown hides its figure until the next tick. Cancelled, 返回 takes the notice
// away and lets the other one in again; reopened, the window no longer shows its cancel notice.
TEST(TimedWindows, ReturnAndTheCloseBox)
{
    for (bool countdown : {true, false}) {
        TestApp app;
        app.finishLoading();
        Form1 &f1 = app.forms.form1();
        CommandButton *open = countdown ? f1.Command5 : f1.Command7;
        CommandButton *other = countdown ? f1.Command7 : f1.Command5;
        QTest::mouseClick(open, Qt::LeftButton);
        Window &w = countdown ? static_cast<Window &>(app.forms.form2()) : app.forms.form5();
        EXPECT_TRUE(w.isVisible()) << countdown;
        EXPECT_FALSE(f1.isVisible()) << countdown << ": the main window goes";
        countdown ? startCountdown(app.forms.form2(), "30") : enterTime(app.forms.form5(), "22", "30", "20");
        EXPECT_FALSE(w.close()) << countdown;
        EXPECT_TRUE(w.isVisible()) << countdown;
        EXPECT_TRUE(f1.isMinimizedState()) << countdown << ": the close box minimises the main window";
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible()) << countdown;
        EXPECT_TRUE(f1.isVisible()) << countdown;
        EXPECT_TRUE(f1.isMinimizedState()) << countdown << ": 返回 leaves it minimised";
        EXPECT_TRUE(f1.Label7->isVisible()) << countdown << ": the notice";
        EXPECT_FALSE(other->isEnabled()) << countdown << ": the other timed window";
        app.desktop.advance(30000);
        EXPECT_EQ(app.desktop.commands, QStringList{ShutdownLine}) << countdown;
        QTest::mouseClick(open, Qt::LeftButton);
        EXPECT_TRUE(!countdown || !app.forms.form2().Frame1->isVisible()) << "the figure, before the tick";
        QTest::mouseClick(countdown ? app.forms.form2().Command1 : app.forms.form5().Command3,
                          Qt::LeftButton);
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(f1.Label7->isVisible()) << countdown << ": cancelled, the notice";
        EXPECT_TRUE(other->isEnabled()) << countdown << ": cancelled, the other timed window";
        QTest::mouseClick(open, Qt::LeftButton);
        Label *cancelled = countdown ? app.forms.form2().Label7 : app.forms.form5().Label8;
        EXPECT_FALSE(cancelled->isVisible()) << countdown << ": reopened, the cancel notice";
    }
}

// The countdown line stays one readable sentence: the figure never runs into the text after
// it, whatever its length; the unit moves right for a figure of four or more. So do the
// details' minutes. The minutes come from the figure before the tick.
TEST_F(Countdown, TheFiguresAndTheDetails)
{
    f2.Frame1->setVisible(true);
    f2.Frame2->setVisible(true);
    const struct {
        const char *figure;
        int left, px; // the unit's place: twips, pixels
    } unitAt[] = {{"8", 2100, 140},     {"888", 2100, 140},   {"8888", 2450, 163},
                  {"88888", 2450, 163}, {"1E+15", 2450, 163}, {"999999999999999", 2450, 163}};
    for (const auto &[figure, left, px] : unitAt) {
        f2.Label4->setCaption(QString::fromLatin1(figure));
        const QRect fig = f2.Label4->geometry(), unit = f2.Label5->geometry();
        EXPECT_LT(fig.right(), unit.left()) << figure;
        EXPECT_EQ(f2.Label5->left(), left) << figure;
        EXPECT_TRUE(strlen(figure) > 5 || unit.left() == px) << figure << ": pushed further";
        EXPECT_LE(f2.Frame1->geometry().right(), f2.client()->width()) << figure << ": inside the window";
        f2.Label9->setCaption(QString::fromLatin1(figure));
        EXPECT_LT(f2.Label9->geometry().right(), f2.Label11->geometry().left()) << figure;
    }
    startCountdown(f2, "61");
    QTest::mouseClick(f2.Check1, Qt::LeftButton);
    EXPECT_TRUE(f2.Frame2->isVisible()) << "the minutes";
    EXPECT_TRUE(f2.Frame3->isVisible()) << "the reminder";
    for (const char *minutes : {"1", "1", "0"}) { // read at 61, 60, 59
        app.desktop.advance(1000);
        EXPECT_EQ(f2.Label9->caption(), QString::fromLatin1(minutes)) << f2.Label4->caption().toStdString();
    }
    EXPECT_EQ(f2.Label12->caption(), QStringLiteral("当前日期:2026/12/7\r\n当前时间:22:29:55"));
    QTest::mouseClick(f2.Check1, Qt::LeftButton);
    EXPECT_FALSE(f2.Frame2->isVisible());
}

// A preset (the second or the last of the list) or a typed figure: the reminder opens at
// the figure of that value ("020" opens at 20; text that is no number never), the countdown
// window hides, the reminder counts with the countdown and stays to the end, which the
// shutdown still comes at. A preset shows "设置成功！" and locks the box; typed text does not.
// Dismissed by its button or its close box, the reminder goes for this countdown and the
// countdown window comes back.
TEST(Reminder, OpensAtItsFigureAndCountsToTheShutdown)
{
    const struct {
        const char *seconds;
        int preset; // or -1: typed
        const char *typed;
        int opensAt;     // -1: never
        int dismiss = 0; // 1 by its button, 2 by its close box, a second after it opens
    } rows[] = {{"40", 1, "", 30},     {"182", 4, "", 180},     {"33", -1, "020", 20},
                {"33", -1, "+20", 20}, {"33", -1, " 20", 20},   {"33", -1, "20s", -1},
                {"33", -1, "30", 30},  {"40", -1, "38", 38, 1}, {"40", 0, "", 15, 2}};
    for (const auto &row : rows) {
        TestApp app;
        Form2 &f = openForm2(app);
        startCountdown(f, row.seconds);
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        if (row.preset >= 0) {
            armPreset(f, row.preset);
        } else {
            armTyped(f, QString::fromLatin1(row.typed));
        }
        EXPECT_EQ(f.Label16->caption(), QStringLiteral("设置完毕！")) << row.seconds << row.typed;
        EXPECT_EQ(f.Label14->isVisible(), row.preset >= 0) << row.typed << ": 设置成功！";
        EXPECT_EQ(f.check2->isEnabled(), row.preset < 0) << row.typed << ": the box may be unticked";
        const int total = QString::fromLatin1(row.seconds).toInt();
        app.desktop.advance(1000 * (total - row.opensAt - 1));
        EXPECT_FALSE(app.forms.form4.exists()) << row.seconds << row.typed;
        app.desktop.advance(1000);
        ASSERT_EQ(app.forms.form4.exists(), row.opensAt >= 0) << row.seconds << row.typed;
        if (row.opensAt >= 0) {
            Form4 &f4 = app.forms.form4();
            EXPECT_TRUE(f4.isVisible()) << row.seconds << row.typed;
            EXPECT_FALSE(f.isVisible()) << row.seconds << row.typed;
            EXPECT_EQ(f4.Label2->caption(), QString()) << row.seconds << row.typed << ": its first second";
            app.desktop.advance(1000);
            EXPECT_EQ(f4.Label2->caption(), QStringLiteral("距离关机还有 %1 秒").arg(row.opensAt - 1));
            if (row.dismiss == 1)
                QTest::mouseClick(f4.Command1, Qt::LeftButton);
            if (row.dismiss == 2) {
                EXPECT_TRUE(f4.close());
            }
            EXPECT_EQ(f.isVisible(), bool(row.dismiss)) << row.typed;
            app.desktop.advance(1000 * (row.opensAt - 1)); // to the shutdown
            EXPECT_EQ(app.forms.form4.exists() ? f4.Label2->caption() : QStringLiteral("dismissed"),
                      row.dismiss ? QStringLiteral("dismissed") : QStringLiteral("距离关机还有 0 秒"))
                << row.typed;
        }
        app.desktop.advance(1000);
        EXPECT_EQ(app.desktop.commands, QStringList{ShutdownLine}) << row.seconds << row.typed;
    }
}

// The countdown window reopened while the reminder shows, and text that is no number typed into
// its box, in the reminder's first second or later: the reminder's line stays as it was, and no
// error comes; the shutdown still comes.
TEST(Reminder, ANonNumberTypedWhileItIsOpenLeavesItsLineAsItWas)
{
    for (const char *line : {"", "距离关机还有 27 秒"}) {
        TestApp app;
        Form2 &f = openForm2(app);
        startCountdown(f, "40");
        armPreset(f, 1);
        QTest::mouseClick(f.Command2, Qt::LeftButton); // 返回
        app.desktop.advance(*line ? 13000 : 10000);    // the reminder opened at 30
        ASSERT_TRUE(app.forms.form4.exists());
        QTest::mouseClick(app.forms.form1().Command5, Qt::LeftButton);
        typeOver(f.Combo1->lineEdit(), QStringLiteral("abc"));
        app.desktop.advance(3000);
        EXPECT_EQ(app.forms.form4().Label2->caption(), QString::fromUtf8(line));
        EXPECT_EQ(app.desktop.messages.size(), 0u) << "an error box";
        app.desktop.advance(30000);
        EXPECT_EQ(app.desktop.commands, QStringList{ShutdownLine});
    }
}

// Unticking "最后", editing the box or picking another preset disarms the reminder
// ("设置以取消！"); ticked again, the box's figure arms it.
TEST_F(Countdown, UntickingEditingOrPickingAgainDisarmsTheReminder)
{
    startCountdown(f2, "100");
    armTyped(f2, "97");
    EXPECT_FALSE(f2.Label14->isVisible()) << "typed: no 设置成功！";
    EXPECT_TRUE(f2.check2->isEnabled()) << "typed: the box may be unticked";
    QTest::mouseClick(f2.check2, Qt::LeftButton);
    EXPECT_EQ(f2.Label16->caption(), QStringLiteral("设置以取消！"));
    app.desktop.advance(5000);
    EXPECT_FALSE(app.forms.form4.exists()) << "unticked: not armed";
    QTest::mouseClick(f2.check2, Qt::LeftButton);
    QTest::keyClicks(f2.Combo1->lineEdit(), QStringLiteral("5"));
    EXPECT_EQ(f2.check2->value(), 0);
    EXPECT_EQ(f2.Label16->caption(), QStringLiteral("设置以取消！"));
    f2.Combo1->lineEdit()->selectAll();
    QTest::keyClicks(f2.Combo1->lineEdit(), QStringLiteral("93"));
    QTest::mouseClick(f2.check2, Qt::LeftButton);
    app.desktop.advance(2000);
    ASSERT_TRUE(app.forms.form4.exists());
    QTest::mouseClick(app.forms.form4().Command1, Qt::LeftButton); // 知道了: back to the countdown
    armPreset(f2, 2);
    EXPECT_EQ(f2.remindAt.text(), QStringLiteral("60"));
    QTest::keyClick(f2.Combo1, Qt::Key_Up); // another preset
    EXPECT_EQ(f2.check2->value(), 0) << "another preset: disarmed";
    EXPECT_TRUE(f2.check2->isEnabled()) << "another preset: the box may be ticked";
    EXPECT_FALSE(f2.Label14->isVisible()) << "another preset: no 设置成功！";
}

} // namespace
