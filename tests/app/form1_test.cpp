#include "app/form1.h"
#include "app/power.h"
#include "platform/convert.h"
#include "platform/qt_desktop.h"
#include "support/test_app.h"

#include <QApplication>
#include <QMenuBar>
#include <QSessionManager>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::string str(const QString &s)
{
    return s.toStdString();
}

TEST(Form1Loading, EachTickFollowsTheTable)
{
    TestApp app;
    Form1 &f = app.forms.form1();
    struct Row {
        qint64 at;
        int interval;
        bool label4;
    };
    std::map<int, Row> seen;
    QString last = f.Label2->caption();
    for (int ms = 0; ms < 1700; ++ms) {
        app.desktop.advance(1);
        if (f.Label2->caption() == last)
            continue;
        last = f.Label2->caption();
        const int n = int(StrictTextToNumber(last));
        seen[n] = {app.desktop.elapsedMs, f.Timer1->interval(), f.Label4->isVisibleTo(f.Frame1)};
        EXPECT_EQ(f.Line1->x2(), 900 + 15 * n);
        EXPECT_EQ(f.Label1->caption(), n > 80 ? QStringLiteral("启动中...") : QStringLiteral("加载中..."));
    }
    ASSERT_EQ(seen.size(), 100u) << "exactly 100 ticks";
    const struct {
        int n;
        qint64 at;
        int interval;
        bool label4;
    } table[] = {
        {1, 20, 20, false},    {30, 600, 20, false},  {31, 620, 10, true},
        {80, 1110, 10, true},  {81, 1120, 20, false}, {94, 1380, 20, false},
        {95, 1400, 40, false}, {99, 1560, 40, false}, {100, 1600, 40, false},
    };
    for (const auto &row : table) {
        EXPECT_EQ(seen[row.n].at, row.at) << "tick " << row.n;
        EXPECT_EQ(seen[row.n].interval, row.interval) << "tick " << row.n;
        EXPECT_EQ(seen[row.n].label4, row.label4) << "tick " << row.n;
    }
}

// The progress reads as one figure and its "%": the sign stays where it is placed while
// the count fits before it, and follows the count, never running into it, when the
// count is wider than that, as two or three digits are in the faces at hand.
TEST(Form1Loading, ThePercentSignNeverRunsIntoTheCount)
{
    TestApp app;
    Form1 &f = app.forms.form1();
    int counts = 0;
    QString last = f.Label2->caption();
    for (int ms = 0; ms < 1700; ++ms) {
        app.desktop.advance(1);
        if (f.Label2->caption() == last)
            continue;
        last = f.Label2->caption();
        ++counts;
        const QRect count = f.Label2->geometry();
        const QRect sign = f.Label3->geometry();
        EXPECT_LT(count.right(), sign.left()) << str(last);
        EXPECT_LE(sign.right(), f.Frame1->width()) << str(last);
        if (last.size() == 1) { // one digit fits before the sign's own place
            EXPECT_EQ(sign.left(), twipsToPixels(1800)) << str(last);
        }
    }
    EXPECT_EQ(counts, 100);
}

TEST(Form1Loading, TheRevealUncoversTheButtonsAndStartsTheTitle)
{
    TestApp app;
    Form1 &f = app.forms.form1();
    app.desktop.advance(1599);
    EXPECT_TRUE(f.Frame1->isVisible());
    for (QWidget *w : {f.Command8, f.Command9, f.Command7, f.Command3})
        EXPECT_FALSE(w->isVisible());
    app.desktop.advance(1);
    EXPECT_FALSE(f.Frame1->isVisible());
    for (QWidget *w :
         std::initializer_list<QWidget *>{f.Command1, f.Command2, f.Command8, f.Command5, f.Command7,
                                          f.Command4, f.Command3, f.Command9, f.Label5})
        EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(f.Label7->isVisible());
    EXPECT_FALSE(f.Timer1->enabled());
    EXPECT_TRUE(f.Timer2->enabled());
    app.desktop.advance(10000);
    EXPECT_EQ(f.Label2->caption(), QStringLiteral("100"));
}

TEST(Form1Title, TicksOneToEight)
{
    TestApp app;
    app.finishLoading(); // the reveal came at 1600 ms; the title ticks from there
    Form1 &f = app.forms.form1();
    app.desktop.advance(1600 + 1000 - app.desktop.elapsedMs - 1);
    const struct {
        const char *caption;
        quint32 color;
        double size;
    } after[] = {
        {"Hello", 0, 26.25},        {"Hello", 255, 26.25},      {"Hello", 65280, 26.25},
        {"Q D X", 16711680, 26.25}, {"Q D X", 16711680, 26.25}, {"Q D X", 16711680, 26.25},
        {"Morvane", 16711680, 14},  {"Morvane", 16711680, 14},
    };
    for (int tick = 1; tick <= 8; ++tick) {
        app.desktop.advance(1000);
        EXPECT_EQ(str(f.Label5->caption()), after[tick - 1].caption) << tick;
        EXPECT_EQ(f.Label5->foreColor(), after[tick - 1].color) << tick;
        EXPECT_DOUBLE_EQ(f.Label5->fontSize(), after[tick - 1].size) << tick;
        EXPECT_TRUE(f.Label5->font().bold());
    }
}

TEST(Form1Menu, AnyPressTogglesTheMenuButKeysDoNot)
{
    TestApp app;
    app.finishLoading();
    Form1 &f = app.forms.form1();
    EXPECT_FALSE(f.mnudgn->isVisible());
    const struct {
        Qt::MouseButton button;
        bool shown;
        const char *caption;
    } presses[] = {{Qt::LeftButton, true, "↑"}, {Qt::RightButton, false, "↓"}, {Qt::MiddleButton, true, "↑"}};
    for (const auto &p : presses) {
        QTest::mousePress(f.Command3, p.button);
        EXPECT_EQ(f.mnudgn->isVisible(), p.shown);
        EXPECT_EQ(f.menuBar()->isVisibleTo(&f), p.shown);
        EXPECT_EQ(str(f.Command3->caption()), p.caption);
        QTest::mouseRelease(f.Command3, p.button);
    }
    f.Command3->setFocus();
    QTest::keyClick(f.Command3, Qt::Key_Space);
    QTest::keyClick(f.Command3, Qt::Key_Return);
    EXPECT_TRUE(f.mnudgn->isVisible());
    EXPECT_EQ(str(f.Command3->caption()), "↑");
}

TEST(Form1DateBox, OnlyTheBackgroundOpensIt)
{
    TestApp app;
    app.finishLoading();
    Form1 &f = app.forms.form1();
    for (QWidget *control : {static_cast<QWidget *>(f.Label5), static_cast<QWidget *>(f.Command3)})
        userDoubleClick(control, QPoint(3, 3));
    EXPECT_TRUE(app.desktop.messages.empty());
    userDoubleClick(f.client(), QPoint(250, 160));
    ASSERT_EQ(app.desktop.messages.size(), 1u);
    const QDateTime now = app.desktop.now();
    EXPECT_EQ(app.desktop.messages[0].text, QStringLiteral("当前日期:") + DateText(now.date()) +
                                                QStringLiteral("\r\n当前时间:") + TimeText(now.time()));
    EXPECT_EQ(app.desktop.messages[0].style, MsgStyle::Ok);
    EXPECT_EQ(str(app.desktop.messages[0].title), "时间提示");
}

TEST(Form1DateBox, NotFromTheLoadingPanel)
{
    TestApp app;
    Form1 &f = app.forms.form1();
    app.desktop.advance(500);
    userDoubleClick(f.Frame1, QPoint(20, 20));
    EXPECT_TRUE(app.desktop.messages.empty());
}

TEST(Form1Close, MinimisesAndEverythingGoesOn)
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
}

TEST(Form1Close, LockedRefusesWithABoxAndStaysAsItIs)
{
    TestApp app;
    app.finishLoading();
    Form1 &f = app.forms.form1();
    f.isLocked = true;
    EXPECT_FALSE(f.close());
    EXPECT_FALSE(f.isMinimizedState());
    ASSERT_EQ(app.desktop.messages.size(), 1u);
    EXPECT_EQ(str(app.desktop.messages[0].text), "应用未解锁，无法退出！");
    EXPECT_EQ(str(app.desktop.messages[0].title), "提示");
}

TEST(Form1Exit, NoKeepsAllAndYesEndsAtOnce)
{
    TestApp app;
    app.finishLoading();
    Form1 &f = app.forms.form1();
    app.desktop.answer(MsgResult::No);
    QTest::mouseClick(f.Command4, Qt::LeftButton);
    ASSERT_EQ(app.desktop.messages.size(), 1u);
    EXPECT_EQ(str(app.desktop.messages[0].text), "真的要退出Morvane吗？");
    EXPECT_EQ(app.desktop.messages[0].style, MsgStyle::YesNoQuestion);
    EXPECT_EQ(app.quitCalls, 0);
    EXPECT_TRUE(f.isVisible());

    app.desktop.answer(MsgResult::Yes);
    QTest::mouseClick(f.Command4, Qt::LeftButton);
    EXPECT_EQ(app.quitCalls, 1);
    app.desktop.advance(5000);
    EXPECT_EQ(str(f.Label5->caption()), "Hello") << "no handler runs after the end";
    EXPECT_EQ(f.Label5->foreColor(), Colour::Black);
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    EXPECT_TRUE(f.close()) << "a close is accepted, asking nothing";
    EXPECT_EQ(app.desktop.messages.size(), 2u) << "no box after the end";
}

// When the desktop session ends, the main window must not veto it.
TEST(Form1Close, ASessionEndIsNeverRefused)
{
    QtDesktop real; // connects to the application's session signals
    TestApp app;
    app.finishLoading();
    Form1 &f = app.forms.form1();
    // The signal only passes the manager on; the handler never touches it.
    alignas(QSessionManager) char storage[sizeof(QSessionManager)] = {};
    emit qApp->commitDataRequest(*reinterpret_cast<QSessionManager *>(storage));
    EXPECT_TRUE(f.close());
    EXPECT_TRUE(app.desktop.messages.empty());
    setSessionEnding(false);
}

TEST(Form1Power, EachButtonConfirmsThenLaunchesItsLine)
{
    const struct {
        CommandButton *Form1::*button;
        const char *question;
        PowerAction action;
    } buttons[] = {
        {&Form1::Command1, "你确定要将这台电脑立即关闭吗？", PowerAction::Shutdown},
        {&Form1::Command2, "你确定要重启这台电脑吗？", PowerAction::Restart},
        {&Form1::Command8, "你确定要注销这台电脑吗？", PowerAction::LogOff},
    };
    for (const auto &b : buttons) {
        for (int answer : {MsgResult::Cancel, MsgResult::Ok}) {
            TestApp app;
            app.finishLoading();
            Form1 &f = app.forms.form1();
            app.desktop.answer(answer);
            QTest::mouseClick(f.*b.button, Qt::LeftButton);
            ASSERT_EQ(app.desktop.messages.size(), 1u);
            EXPECT_EQ(str(app.desktop.messages[0].text), b.question);
            EXPECT_EQ(app.desktop.messages[0].style, MsgStyle::OkCancelQuestion);
            EXPECT_EQ(str(app.desktop.messages[0].title), "提示");
            if (answer == MsgResult::Cancel) {
                EXPECT_TRUE(app.desktop.commands.isEmpty());
                continue;
            }
            EXPECT_EQ(app.desktop.commands, QStringList{powerCommandLine(b.action)});
            EXPECT_TRUE(f.isVisible()) << "the window stays until the system ends the program";
        }
    }
}

TEST(Form1Power, AToolThatCannotStartIsReportedAndTheProgramGoesOn)
{
    TestApp app;
    app.finishLoading();
    Form1 &f = app.forms.form1();
    app.desktop.commandsFail = true;
    app.desktop.answer(MsgResult::Ok);
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    ASSERT_EQ(app.desktop.messages.size(), 2u);
    const auto &report = app.desktop.messages[1];
    EXPECT_TRUE(report.posted);
    EXPECT_EQ(str(report.title), "提示");
    EXPECT_TRUE(report.text.contains(shutdownLine()));
    app.desktop.advance(3000);
    EXPECT_EQ(f.Label5->foreColor(), Colour::Green) << "the title went on: three ticks";
}

// Each program on the fake desktop reports its own escaped errors; a second one ending
// leaves the first one's reporting in place.
TEST(Forms, ASecondProgramLeavesTheFirstOnesErrorReports)
{
    TestApp first;
    {
        TestApp second;
    }
    runEvent([] { throw RuntimeError(RuntimeError::Overflow); });
    ASSERT_EQ(first.desktop.messages.size(), 1u);
    EXPECT_TRUE(first.desktop.messages[0].posted);
    EXPECT_TRUE(first.desktop.messages[0].text.contains(QStringLiteral("溢出")));
}

} // namespace
