#include "core/convert.h"
#include "support/user_steps.h"

#include <QAccessible>
#include <QMenuBar>

#include <map>

namespace {

// 100 ticks on their timing; the "%" stays where it is placed while one digit fits
// before it and then follows the count, never running into it; the last tick uncovers
// the buttons.
TEST(Form1Loading, EachTickFollowsTheTable)
{
    TestApp app;
    Form1 &f = app.forms.form1();
    QStringList ticks; // "count, ms, the timer's interval, Label4 shown" as each count shows
    for (QString last = f.Label2->caption(); app.desktop.elapsedMs < 1700;) {
        app.desktop.advance(1);
        if (f.Label2->caption() == std::exchange(last, f.Label2->caption()))
            continue;
        const int n = int(StrictTextToNumber(last));
        ticks << QStringLiteral("%1 %2 %3 %4")
                     .arg(n)
                     .arg(app.desktop.elapsedMs)
                     .arg(f.Timer1->interval())
                     .arg(f.Label4->isVisibleTo(f.Frame1));
        EXPECT_EQ(f.Line1->x2(), 900 + 15 * n);
        EXPECT_EQ(f.Label1->caption(), n > 80 ? QStringLiteral("启动中...") : QStringLiteral("加载中..."));
        const QRect count = f.Label2->geometry(), sign = f.Label3->geometry();
        EXPECT_TRUE(count.right() < sign.left() && sign.right() <= f.Frame1->width()) << n;
        EXPECT_TRUE(n >= 10 || sign.left() == twipsToPixels(1800)) << n; // one digit: "%" in its place
        EXPECT_EQ(shownControls(f.client()),
                  n < 100 ? QStringLiteral("Command1 Command2 Command5 Command4 Label5 Frame1")
                          : QStringLiteral("Command1 Command2 Command8 Command5 Command7 "
                                           "Command4 Command3 Command9 Label5"));
    }
    ASSERT_EQ(ticks.size(), 100) << "exactly 100 ticks";
    for (const char *tick : {"1 20 20 0", "30 600 20 0", "31 620 10 1", "80 1110 10 1", "81 1120 20 0",
                             "94 1380 20 0", "95 1400 40 0", "99 1560 40 0", "100 1600 40 0"})
        EXPECT_TRUE(ticks.contains(QString::fromLatin1(tick))) << tick;
}

// While loading, the panel covers the buttons against keys and assistive technology as well:
// 关机 was given the focus under it, yet no key presses it or another button, nor does a
// screen reader's press. Once loading ends, 关机 has the focus and keys reach it.
TEST(Form1Loading, NothingUnderThePanelCanBePressed)
{
    TestApp app;
    Form1 &f = app.forms.form1();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    for (Qt::Key key :
         {Qt::Key_Return, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Backtab, Qt::Key_Return})
        QTest::keyClick(QApplication::focusWidget(), key);
    for (QWidget *button : {f.Command1, f.Command2, f.Command4, f.Command5})
        QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(app.desktop.messages.empty() && app.desktop.commands.isEmpty() && !app.forms.form2.exists());
    app.finishLoading();
    app.desktop.answer(MsgResult::Cancel);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(app.desktop.messages.size(), 1u) << "关机 has the focus and asks";
}

// After loading: the title's caption, colour and size at each of its first eight ticks,
// always bold; any mouse button but the right one toggles the menu on the arrow button, no
// key does; a double-click on the window's background, and only there, tells the time.
TEST(Form1, TitleMenuAndDateBox)
{
    TestApp app;
    Form1 &f = app.forms.form1();
    userDoubleClick(f.Frame1, QPoint(20, 20)); // the loading panel
    app.finishLoading();                       // the reveal came at 1600 ms; the title ticks from there
    app.desktop.advance(1600 + 1000 - app.desktop.elapsedMs - 1);
    QStringList seen;
    for (int tick = 1; tick <= 8; ++tick) {
        app.desktop.advance(1000);
        seen << f.Label5->caption() + QStringLiteral(" %1 %2 %3")
                                          .arg(f.Label5->foreColor())
                                          .arg(f.Label5->fontSize())
                                          .arg(f.Label5->font().bold());
    }
    EXPECT_EQ(seen, (QStringList{"Hello 0 26.25 1", "Hello 255 26.25 1", "Hello 65280 26.25 1",
                                 "Q D X 16711680 26.25 1", "Q D X 16711680 26.25 1", "Q D X 16711680 26.25 1",
                                 "Morvane 16711680 14 1", "Morvane 16711680 14 1"}));
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(f.Command3, button);
        QTest::mouseRelease(f.Command3, button);
        EXPECT_EQ(f.Command3->caption() +
                      QString::number(f.mnudgn->isVisible() + f.menuBar()->isVisibleTo(&f)),
                  button == Qt::RightButton ? QStringLiteral("↓0") : QStringLiteral("↑2"));
    }
    f.Command3->setFocus();
    QTest::keyClick(f.Command3, Qt::Key_Space);
    QTest::keyClick(f.Command3, Qt::Key_Return);
    EXPECT_TRUE(f.mnudgn->isVisible());
    for (QWidget *control : {static_cast<QWidget *>(f.Label5), static_cast<QWidget *>(f.Command3)})
        userDoubleClick(control, QPoint(3, 3));
    EXPECT_TRUE(app.desktop.messages.empty());
    userDoubleClick(f.client(), QPoint(250, 160));
    ASSERT_EQ(app.desktop.messages.size(), 1u);
    const QDateTime now = app.desktop.now();
    EXPECT_EQ(app.desktop.messages[0].title + app.desktop.messages[0].text,
              QStringLiteral("时间提示当前日期:") + DateText(now.date()) + QStringLiteral("\r\n当前时间:") +
                  TimeText(now.time()));
}

// The close box minimises the window, during loading too, and everything goes on. 退出:
// No keeps everything; Yes ends the program at once, a pending countdown with it, the
// computer may sleep again, and no handler runs afterwards.
TEST(Form1CloseAndExit, CloseMinimisesNoKeepsAllYesEndsAtOnce)
{
    TestApp app;
    Form1 &f = app.forms.form1();
    app.desktop.advance(500); // during loading
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isMinimizedState());
    app.desktop.advance(1100);
    EXPECT_FALSE(f.Frame1->isVisibleTo(&f)) << "the animation went on";
    EXPECT_FALSE(f.close());
    app.desktop.advance(3000);
    EXPECT_EQ(f.Label5->foreColor(), Colour::Green) << "the title went on: three ticks";
    EXPECT_TRUE(app.quitCalls == 0 && app.desktop.messages.empty());

    startCountdown(openForm2(app), "4");
    QTest::mouseClick(app.forms.form2().Command2, Qt::LeftButton); // 返回
    app.desktop.answer(MsgResult::No);
    QTest::mouseClick(f.Command4, Qt::LeftButton);
    ASSERT_EQ(app.desktop.messages.size(), 1u);
    EXPECT_EQ(app.desktop.messages[0].style, MsgStyle::YesNoQuestion);
    EXPECT_TRUE(app.quitCalls == 0 && f.isVisible() && app.desktop.sleepInhibited);
    app.desktop.answer(MsgResult::Yes);
    QTest::mouseClick(f.Command4, Qt::LeftButton);
    EXPECT_EQ(app.quitCalls, 1);
    EXPECT_FALSE(app.desktop.sleepInhibited);
    const QString title = f.Label5->caption() + QString::number(f.Label5->foreColor());
    app.desktop.advance(5000);
    EXPECT_TRUE(app.desktop.commands.isEmpty()) << "the countdown died with the program";
    EXPECT_EQ(f.Label5->caption() + QString::number(f.Label5->foreColor()), title) << "no handler runs";
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    EXPECT_TRUE(f.close()) << "a close is accepted, asking nothing";
    EXPECT_EQ(app.desktop.messages.size(), 2u) << "no box after the end";
}

// Each power button asks first; Cancel launches nothing, OK its line, and the window stays
// until the system ends the program. A tool that cannot start, or any run-time error that
// escapes a handler, is reported in a box, and the program goes on.
TEST(Form1Power, EachButtonConfirmsThenLaunchesItsLine)
{
    const struct {
        CommandButton *Form1::*button;
        const char *question;
        PowerAction action;
    } buttons[] = {{&Form1::Command1, "你确定要将这台电脑立即关闭吗？", PowerAction::Shutdown},
                   {&Form1::Command2, "你确定要重启这台电脑吗？", PowerAction::Restart},
                   {&Form1::Command8, "你确定要注销这台电脑吗？", PowerAction::LogOff}};
    TestApp app;
    app.finishLoading();
    for (const auto &b : buttons) {
        for (int answer : {MsgResult::Cancel, MsgResult::Ok}) {
            app.desktop.answer(answer);
            QTest::mouseClick(app.forms.form1().*b.button, Qt::LeftButton);
            ASSERT_EQ(app.desktop.messages.size(), 1u);
            const auto box = std::exchange(app.desktop.messages, {})[0];
            EXPECT_EQ(box.title + u'|' + box.text + u'|' + QString::number(box.style),
                      QStringLiteral("提示|%1|%2")
                          .arg(QString::fromUtf8(b.question))
                          .arg(MsgStyle::OkCancelQuestion));
            EXPECT_EQ(box.owner, &app.forms.form1()) << "over the main window, owned by it";
            EXPECT_EQ(std::exchange(app.desktop.commands, {}),
                      QStringList(answer == MsgResult::Ok, powerCommandLine(b.action)));
            EXPECT_TRUE(app.forms.form1().isVisible());
        }
    }
    app.desktop.commandsFail = true; // a tool that cannot start is reported; the program goes on
    app.desktop.answer(MsgResult::Ok);
    QTest::mouseClick(app.forms.form1().Command1, Qt::LeftButton);
    ASSERT_EQ(app.desktop.messages.size(), 2u);
    const auto &report = app.desktop.messages[1];
    EXPECT_TRUE(report.posted && report.title == QStringLiteral("提示") &&
                report.text.contains(shutdownLine()));
    app.forms.events().run([] { throw RuntimeError(RuntimeError::Overflow); }); // an error no handler traps
    EXPECT_TRUE(app.desktop.messages.back().posted &&
                app.desktop.messages.back().text.contains(QStringLiteral("溢出")));
    app.desktop.advance(3000);
    EXPECT_EQ(app.forms.form1().Label5->foreColor(), Colour::Green) << "the title went on: three ticks";
}

} // namespace
