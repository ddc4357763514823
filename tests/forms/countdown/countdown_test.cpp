#include "core/convert.h"
#include "support/user_steps.h"

#include <cstring>

namespace {

// A countdown with a reminder armed is cancelled by a click while it runs, by Enter, or after
// the shutdown came, in turn: the cancelled layout, the focus in the field, and nothing
// (more) ever fires; the next start disarms the old reminder. Then each entry typed and
// Enter pressed: refused with the red line (nothing starts), or started with the figures it
// shows second by second and the shutdown at "0", once, the computer kept awake meanwhile. A
// zero figure, once typed, is announced in place of the cancel notice, and a zero entry
// shuts down at once. A fresh window refuses Enter silently.
TEST_F(Countdown, CancelledThenEachEntryIsRefusedOrCountsDownToOneShutdown)
{
    QTest::keyClick(f2.Text1, Qt::Key_Return);
    EXPECT_TRUE(f2.Label8->isVisible() && !f2.Label15->isVisible()) << "a fresh window: nothing";
    const struct {
        const char *entry;
        const char *figures; // at 0 to 6 s; empty: refused
    } rows[] = {{"5", "5 4 3 2 1 0 0"},
                {"0", "0 0 0 0 0 0 0"},
                {"00", "00 00 00 00 00 00 00"},
                {"abc", ""},
                {"0.5", ""},
                {"-3", ""},
                {"5x", ""},
                {"1e16", ""},
                {"9e99", ""}, // too large to count one by one
                {"", ""}};
    for (const auto &row : rows) {
        TestApp app;
        Form2 &f = openForm2(app);
        const int how = int(&row - rows) % 3; // 0 a click, 1 Enter, 2 after the shutdown
        startCountdown(f, how == 2 ? "1" : "10");
        armPreset(f, 0);
        app.desktop.advance(how == 2 ? 1000 : 3000);
        f.Command1->setFocus();
        if (how == 1)
            QTest::keyClick(f.Command1, Qt::Key_Return);
        else
            QTest::mouseClick(f.Command1, Qt::LeftButton);
        EXPECT_EQ(f.focusWidget(), f.Text1) << how;
        EXPECT_FALSE(f.Timer1->enabled() || f.Check1->value() || app.desktop.sleepInhibited ||
                     !f.Label4->caption().isEmpty())
            << how;
        EXPECT_EQ(shownControls(f.client()),
                  QStringLiteral("Label7 Label1 Text1 Label2 Label15 Frame1 Command1 Command2"));
        app.desktop.advance(60000);
        EXPECT_EQ(std::exchange(app.desktop.commands, {}).size(), int(how == 2)) << how;

        QTest::keyClicks(f.Text1, QString::fromLatin1(row.entry));
        const bool refused = !*row.figures, zero = !refused && StrictTextToNumber(row.entry) == 0;
        EXPECT_EQ(QList<bool>({f.Label15->isVisible(), f.Label6->isVisible(), f.Label7->isVisible(),
                               f.Command1->isEnabled()}),
                  QList<bool>({refused, zero, row.entry[0] != '0', !refused}))
            << row.entry;
        const int changes = app.desktop.sleepInhibitorChanges;
        QTest::keyClick(f.Text1, Qt::Key_Return);
        EXPECT_EQ(app.desktop.sleepInhibitorChanges - changes, !refused && !zero)
            << row.entry << ": kept awake";
        QStringList figures;
        for (int s = 0; s <= 6; ++s) {
            app.desktop.advance(s ? 1000 : 0);
            figures << f.Label4->caption();
            const bool fired = !refused && StrictTextToNumber(figures.back()) == 0;
            EXPECT_EQ(app.desktop.commands, QStringList(fired, shutdownLine())) << row.entry << " at " << s;
        }
        EXPECT_EQ(figures.join(u' ').trimmed(), QString::fromLatin1(row.figures)) << row.entry;
        EXPECT_FALSE(f.Timer1->enabled() || app.desktop.sleepInhibited || app.forms.form4.exists())
            << row.entry;
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

// The countdown line stays one readable sentence: the figure never runs into the text after
// it, whatever its length; the unit moves right for a figure of four or more. So do the
// details' minutes. The minutes come from the figure before the tick.
TEST_F(Countdown, TheFiguresAndTheDetails)
{
    f2.Frame1->setVisible(true);
    f2.Frame2->setVisible(true);
    for (const char *figure : {"8", "888", "8888", "88888", "1E+15", "999999999999999"}) {
        f2.Label4->setCaption(QString::fromLatin1(figure));
        const int len = int(strlen(figure));
        const QRect fig = f2.Label4->geometry(), unit = f2.Label5->geometry();
        EXPECT_LT(fig.right(), unit.left()) << figure;
        EXPECT_TRUE(len > 5 || unit.left() == twipsToPixels(f2.Label5->left())) << figure;
        EXPECT_EQ(f2.Label5->left(), len > 3 ? 2450 : 2100) << figure;
        EXPECT_LE(f2.Frame1->geometry().right(), f2.client()->width()) << figure << ": inside the window";
        f2.Label9->setCaption(QString::fromLatin1(figure));
        EXPECT_LT(f2.Label9->geometry().right(), f2.Label11->geometry().left()) << figure;
    }
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
        int preset;        // or -1: typed
        const char *typed; // finished by Tab
        int opensAt;       // -1: never
        int dismiss = 0;   // 1 by its button, 2 by its close box, a second after it opens
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
            f.Check1->setValue(1);
            f.Combo1->setFocus();
            QTest::keyClicks(f.Combo1->lineEdit(), QString::fromLatin1(row.typed));
            QTest::keyClick(f.Combo1->lineEdit(), Qt::Key_Tab);
            QTest::mouseClick(f.check2, Qt::LeftButton);
        }
        EXPECT_EQ(f.Label16->caption(), QStringLiteral("设置完毕！")) << row.seconds << row.typed;
        EXPECT_EQ(f.Label14->isVisible() && !f.check2->isEnabled(), row.preset >= 0) << row.typed;
        const int total = QString::fromLatin1(row.seconds).toInt();
        app.desktop.advance(1000 * (total - row.opensAt - 1));
        EXPECT_FALSE(app.forms.form4.exists()) << row.seconds << row.typed;
        app.desktop.advance(1000);
        ASSERT_EQ(app.forms.form4.exists(), row.opensAt >= 0) << row.seconds << row.typed;
        if (row.opensAt >= 0) {
            Form4 &f4 = app.forms.form4();
            EXPECT_TRUE(f4.isVisible() && !f.isVisible() && f4.Label2->caption().isEmpty());
            EXPECT_TRUE(f4.windowFlags() & Qt::WindowStaysOnTopHint)
                << "the reminder stays above every window";
            app.desktop.advance(1000);
            EXPECT_EQ(f4.Label2->caption(), QStringLiteral("距离关机还有 %1 秒").arg(row.opensAt - 1));
            if (row.dismiss == 1)
                QTest::mouseClick(f4.Command1, Qt::LeftButton);
            if (row.dismiss == 2) {
                EXPECT_TRUE(f4.close());
            }
            EXPECT_EQ(f.isVisible(), bool(row.dismiss)) << row.typed;
            app.desktop.advance(1000 * (row.opensAt - 1)); // to the shutdown
            EXPECT_EQ(app.forms.form4.exists() ? f4.Label2->caption() : QString(),
                      row.dismiss ? QString() : QStringLiteral("距离关机还有 0 秒"));
        }
        app.desktop.advance(1000);
        EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()}) << row.seconds << row.typed;
    }
}

// Unticking "最后", editing the box or picking another preset disarms the reminder
// ("设置以取消！"); ticked again, the box's figure arms it.
TEST_F(Countdown, UntickingEditingOrPickingAgainDisarmsTheReminder)
{
    startCountdown(f2, "100");
    armTyped(f2, "97");
    EXPECT_TRUE(!f2.Label14->isVisible() && f2.check2->isEnabled());
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
    EXPECT_TRUE(f2.check2->value() == 0 && f2.check2->isEnabled() && !f2.Label14->isVisible());
}

} // namespace
