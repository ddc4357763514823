#include "support/user_steps.h"

#include <QAccessible>
#include <QMenuBar>

namespace {

// 100 ticks on their timing; the "%" stays where it is placed while one digit fits
// before it and then follows the count, never running into it; the last tick uncovers
// the buttons.
TEST(Form1Loading, EachTickFollowsTheTable)
{
    TestApp app;
    Form1 &f = app.forms.form1();
    const struct {
        int n; // the count shown
        qint64 ms;
        int interval;
        bool welcome; // Label4 shown
        int lineEnd;  // Line1's X2
        const char *caption;
    } table[] = {{1, 20, 20, false, 915, "加载中..."},     {30, 600, 20, false, 1350, "加载中..."},
                 {31, 620, 10, true, 1365, "加载中..."},   {80, 1110, 10, true, 2100, "加载中..."},
                 {81, 1120, 20, false, 2115, "启动中..."}, {94, 1380, 20, false, 2310, "启动中..."},
                 {95, 1400, 40, false, 2325, "启动中..."}, {99, 1560, 40, false, 2385, "启动中..."},
                 {100, 1600, 40, false, 2400, "启动中..."}};
    int ticks = 0;
    for (QString last = f.Label2->caption(); app.desktop.elapsedMs < 1700;) {
        app.desktop.advance(1);
        if (f.Label2->caption() == std::exchange(last, f.Label2->caption()))
            continue;
        const int n = last.toInt();
        ++ticks;
        for (const auto &row : table) {
            if (row.n != n)
                continue;
            EXPECT_EQ(app.desktop.elapsedMs, row.ms) << n;
            EXPECT_EQ(f.Timer1->interval(), row.interval) << n;
            EXPECT_EQ(f.Label4->isVisibleTo(f.Frame1), row.welcome) << n;
            EXPECT_EQ(f.Line1->x2(), row.lineEnd) << n;
            EXPECT_EQ(f.Label1->caption(), QString::fromUtf8(row.caption)) << n;
        }
        const QRect count = f.Label2->geometry(), sign = f.Label3->geometry();
        EXPECT_LT(count.right(), sign.left()) << n;
        EXPECT_LE(sign.right(), f.Frame1->width()) << n;
        EXPECT_TRUE(n >= 10 || sign.left() == 120) << n << ": one digit, \"%\" in its place";
        EXPECT_EQ(f.Frame1->isVisible(), n < 100) << n << ": the loading panel";
    }
    EXPECT_EQ(ticks, 100);
    EXPECT_EQ(
        shownControls(f.client()),
        QStringLiteral("Command1 Command2 Command8 Command5 Command7 Command4 Command3 Command9 Label5"));
}

// While loading, the panel covers the four buttons whole: 关机 has the focus under it, yet no key
// presses it. Once loading ends, keys reach it.
TEST(Form1Loading, ThePanelCoversTheButtonsUntilLoadingEnds)
{
    TestApp app;
    Form1 &f = app.forms.form1();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    for (QWidget *button : {f.Command1, f.Command2, f.Command4, f.Command5})
        EXPECT_TRUE(f.Frame1->geometry().contains(button->geometry())) << button->objectName().toStdString();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(app.desktop.messages.empty()) << "a key under the panel";
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
    QStringList captions;
    QList<int> colours;
    QList<double> sizes;
    for (int tick = 1; tick <= 8; ++tick) {
        app.desktop.advance(1000);
        captions << f.Label5->caption();
        colours << f.Label5->foreColor();
        sizes << f.Label5->fontSize();
        EXPECT_TRUE(f.Label5->font().bold()) << tick;
    }
    EXPECT_EQ(captions,
              (QStringList{"Hello", "Hello", "Hello", "Q D X", "Q D X", "Q D X", "Morvane", "Morvane"}));
    EXPECT_EQ(colours, (QList<int>{0, 255, 65280, 16711680, 16711680, 16711680, 16711680, 16711680}));
    EXPECT_EQ(sizes, (QList<double>{26.25, 26.25, 26.25, 26.25, 26.25, 26.25, 14, 14}));
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(f.Command3, button);
        QTest::mouseRelease(f.Command3, button);
        const bool shown = button != Qt::RightButton; // the right button leaves it hidden
        EXPECT_EQ(f.Command3->caption(), shown ? QStringLiteral("↑") : QStringLiteral("↓")) << button;
        EXPECT_EQ(f.mnudgn->isVisible(), shown) << button;
        EXPECT_EQ(f.menuBar()->isVisibleTo(&f), shown) << button;
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
    EXPECT_EQ(app.desktop.messages[0].title, QStringLiteral("时间提示"));
    EXPECT_EQ(app.desktop.messages[0].text, QStringLiteral("当前日期:2026/12/7\r\n当前时间:22:30:00"));
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
    EXPECT_EQ(app.quitCalls, 0);
    EXPECT_TRUE(app.desktop.messages.empty());

    startCountdown(openForm2(app), "4");
    QTest::mouseClick(app.forms.form2().Command2, Qt::LeftButton); // 返回
    app.desktop.answer(MsgResult::No);
    QTest::mouseClick(f.Command4, Qt::LeftButton);
    ASSERT_EQ(app.desktop.messages.size(), 1u);
    EXPECT_EQ(app.desktop.messages[0].style, MsgStyle::YesNoQuestion);
    EXPECT_EQ(app.quitCalls, 0) << "No";
    EXPECT_TRUE(f.isVisible()) << "No";
    EXPECT_TRUE(app.desktop.sleepInhibited) << "No: the countdown goes on";
    app.desktop.answer(MsgResult::Yes);
    QTest::mouseClick(f.Command4, Qt::LeftButton);
    EXPECT_EQ(app.quitCalls, 1);
    EXPECT_FALSE(app.desktop.sleepInhibited);
    const int colour = f.Label5->foreColor();
    app.desktop.advance(5000);
    EXPECT_TRUE(app.desktop.commands.isEmpty()) << "the countdown died with the program";
    EXPECT_EQ(f.Label5->foreColor(), colour) << "no handler runs";
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
        int line; // of PowerLines
    } buttons[] = {{&Form1::Command1, "你确定要将这台电脑立即关闭吗？", 0},
                   {&Form1::Command2, "你确定要重启这台电脑吗？", 1},
                   {&Form1::Command8, "你确定要注销这台电脑吗？", 2}};
    TestApp app;
    app.finishLoading();
    for (const auto &b : buttons) {
        for (int answer : {MsgResult::Cancel, MsgResult::Ok}) {
            app.desktop.answer(answer);
            QTest::mouseClick(app.forms.form1().*b.button, Qt::LeftButton);
            ASSERT_EQ(app.desktop.messages.size(), 1u);
            const auto box = std::exchange(app.desktop.messages, {})[0];
            EXPECT_EQ(box.title, QStringLiteral("提示")) << b.question;
            EXPECT_EQ(box.text, QString::fromUtf8(b.question));
            EXPECT_EQ(box.style, MsgStyle::OkCancelQuestion) << b.question;
            EXPECT_EQ(box.owner, &app.forms.form1()) << b.question << ": over the main window, owned by it";
            EXPECT_EQ(std::exchange(app.desktop.commands, {}),
                      QStringList(answer == MsgResult::Ok, PowerLines[b.line]))
                << b.question << " answered " << answer;
            EXPECT_TRUE(app.forms.form1().isVisible()) << b.question;
        }
    }
    app.desktop.commandsFail = true; // a tool that cannot start is reported; the program goes on
    app.desktop.answer(MsgResult::Ok);
    QTest::mouseClick(app.forms.form1().Command1, Qt::LeftButton);
    ASSERT_EQ(app.desktop.messages.size(), 2u);
    const auto &report = app.desktop.messages[1];
    EXPECT_TRUE(report.posted) << "a report, not a box that waits";
    EXPECT_EQ(report.title, QStringLiteral("提示"));
    EXPECT_TRUE(report.text.contains(ShutdownLine)) << report.text.toStdString();
    app.desktop.advance(3000);
    EXPECT_EQ(app.forms.form1().Label5->foreColor(), Colour::Green) << "the title went on: three ticks";
}

} // namespace
