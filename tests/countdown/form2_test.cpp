#include "countdown/form2.h"

#include "app/form1.h"
#include "countdown/form4.h"
#include "support/countdown_support.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST_F(Countdown, FiveCountsDownAndShutsDownOnceAtTheFifthTick)
{
    startCountdown(f2(), "5");
    QStringList figures{f2().Label4->caption()};
    for (int s = 1; s <= 7; ++s) {
        app.desktop.advance(1000);
        figures << f2().Label4->caption();
        EXPECT_EQ(app.desktop.commands.size(), s >= 5 ? 1 : 0) << "after " << s << " s";
    }
    EXPECT_EQ(figures, (QStringList{"5", "4", "3", "2", "1", "0", "0", "0"}));
    EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()});
    EXPECT_FALSE(f2().Timer1->enabled());
    EXPECT_EQ(f2().Command1->caption(), QStringLiteral("取消关机"));
}

TEST_F(Countdown, AZeroEntryWarnsThenShutsDownAtOnce)
{
    for (const char *entry : {"0", "00"}) {
        TestApp fresh;
        Form2 &f = openForm2(fresh);
        QTest::keyClicks(f.Text1, QString::fromLatin1(entry));
        EXPECT_TRUE(f.Label6->isVisible()) << entry;
        EXPECT_FALSE(f.Label15->isVisible());
        QTest::keyClick(f.Text1, Qt::Key_Return);
        EXPECT_EQ(fresh.desktop.commands, QStringList{shutdownLine()}) << entry << ": without a tick";
        EXPECT_FALSE(f.Timer1->enabled());
        fresh.desktop.advance(5000);
        EXPECT_EQ(fresh.desktop.commands.size(), 1) << entry;
    }
}

TEST_F(Countdown, EntriesThatCannotReachZeroAreRefused)
{
    EXPECT_FALSE(f2().Command1->isEnabled()) << "a fresh window starts disabled";
    EXPECT_FALSE(f2().Label15->isVisible()) << "no warning before the first change";
    QTest::keyClick(f2().Text1, Qt::Key_Return);
    EXPECT_TRUE(f2().Label8->isVisible()) << "Enter in a fresh window does nothing";
    for (const char *entry : {"abc", "0.5", "-3", "1.5", "5x", ""}) {
        f2().Text1->setText(QStringLiteral("9"));
        f2().Text1->selectAll();
        QTest::keyClick(f2().Text1, Qt::Key_Delete);
        QTest::keyClicks(f2().Text1, QString::fromLatin1(entry));
        EXPECT_TRUE(f2().Label15->isVisible()) << entry;
        EXPECT_EQ(f2().Label15->caption(), QStringLiteral("亲，请正确输入！"));
        EXPECT_FALSE(f2().Command1->isEnabled()) << entry;
        EXPECT_FALSE(f2().Label6->isVisible()) << entry;
        QTest::keyClick(f2().Text1, Qt::Key_Return);
        EXPECT_TRUE(f2().Label8->isVisible()) << entry << ": not started";
    }
    EXPECT_TRUE(app.desktop.commands.isEmpty());
}

TEST_F(Countdown, CancelGivesTheCancelledLayoutAndNothingEverFires)
{
    startCountdown(f2(), "10");
    f2().Check1->setValue(1);
    app.desktop.advance(3000);
    QTest::mouseClick(f2().Command1, Qt::LeftButton);
    Form2 &f = f2();
    EXPECT_EQ(f.Command1->caption(), QStringLiteral("确定"));
    EXPECT_FALSE(f.Command1->isEnabled());
    EXPECT_FALSE(f.Timer1->enabled());
    EXPECT_TRUE(f.Text1->text().isEmpty());
    EXPECT_TRUE(f.Text1->isEnabled());
    for (QWidget *w :
         std::initializer_list<QWidget *>{f.Label1, f.Text1, f.Label2, f.Label7, f.Label15, f.Frame1})
        EXPECT_TRUE(w->isVisible()) << w->metaObject()->className();
    for (QWidget *w : std::initializer_list<QWidget *>{f.Check1, f.Frame2, f.Frame3, f.Label8})
        EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(f.Check1->value(), 0);
    EXPECT_TRUE(f.Label4->caption().isEmpty());
    app.desktop.advance(60000);
    EXPECT_TRUE(app.desktop.commands.isEmpty());
}

TEST_F(Countdown, CancellingAfterTheShutdownWasLaunchedGivesTheCancelledLayout)
{
    startCountdown(f2(), "1");
    app.desktop.advance(1000);
    ASSERT_EQ(app.desktop.commands.size(), 1);
    QTest::mouseClick(f2().Command1, Qt::LeftButton);
    EXPECT_EQ(f2().Command1->caption(), QStringLiteral("确定"));
    EXPECT_TRUE(f2().Label7->isVisible());
    EXPECT_TRUE(f2().Text1->isVisible());
    EXPECT_TRUE(f2().Label4->caption().isEmpty());
    EXPECT_FALSE(f2().Timer1->enabled());
}

TEST_F(Countdown, AZeroEntryAfterACancelHidesTheCancelNotice)
{
    startCountdown(f2(), "9");
    QTest::mouseClick(f2().Command1, Qt::LeftButton);
    ASSERT_TRUE(f2().Label7->isVisible());
    QTest::keyClicks(f2().Text1, QStringLiteral("0"));
    EXPECT_FALSE(f2().Label7->isVisible());
    EXPECT_TRUE(f2().Label6->isVisible());
}

TEST_F(Countdown, ReopeningHidesTheNoticeAndTheFigureUntilTheNextTick)
{
    startCountdown(f2(), "9");
    QTest::mouseClick(f2().Command2, Qt::LeftButton);
    QTest::mouseClick(app.forms.form1().Command5, Qt::LeftButton);
    EXPECT_TRUE(f2().isVisible());
    EXPECT_FALSE(f2().Frame1->isVisible());
    app.desktop.advance(1000);
    EXPECT_TRUE(f2().Frame1->isVisible());

    QTest::mouseClick(f2().Command1, Qt::LeftButton); // cancelled: the notice shows
    QTest::mouseClick(f2().Command2, Qt::LeftButton);
    QTest::mouseClick(app.forms.form1().Command5, Qt::LeftButton);
    EXPECT_FALSE(f2().Label7->isVisible());
    EXPECT_FALSE(f2().Frame1->isVisible());
}

TEST_F(Countdown, AfterTheCloseBoxReturningLeavesTheMainWindowMinimised)
{
    EXPECT_FALSE(f2().close());
    QTest::mouseClick(f2().Command2, Qt::LeftButton);
    EXPECT_TRUE(app.forms.form1().isVisible());
    EXPECT_TRUE(app.forms.form1().isMinimizedState());
}

// The countdown line stays one readable sentence: the figure never runs into the text
// after it, whatever its length.
TEST_F(Countdown, TheFigureNeverRunsIntoTheTextAfterIt)
{
    Form2 &f = f2();
    f.Frame1->setVisible(true);
    f.Frame2->setVisible(true);
    for (const char *figure : {"8", "88", "888", "8888", "88888", "1E+15", "9999999999", "999999999999999"}) {
        f.Label4->setCaption(QString::fromLatin1(figure));
        const int len = int(strlen(figure));
        const QRect fig = f.Label4->geometry();
        const QRect unit = f.Label5->geometry();
        EXPECT_LT(fig.right(), unit.left()) << figure;
        if (len <= 5) { // up to five characters "秒后关闭！" stays where Left puts it
            EXPECT_EQ(unit.left(), twipsToPixels(f.Label5->left())) << figure;
        }
        EXPECT_EQ(f.Label5->left(), len > 3 ? 2450 : 2100) << figure;
        EXPECT_LE(unit.right(), f.Frame1->width()) << figure << ": inside its frame";
        EXPECT_LE(f.Frame1->geometry().right(), f.client()->width()) << figure << ": inside the window";

        f.Label9->setCaption(QString::fromLatin1(figure));
        EXPECT_LT(f.Label9->geometry().right(), f.Label11->geometry().left()) << figure;
        EXPECT_LE(f.Label11->geometry().right(), f.Frame2->width()) << figure;
    }
}

TEST_F(Countdown, AFourDigitFigureMovesTheUnitLabel)
{
    EXPECT_EQ(f2().Label5->left(), 2000);
    startCountdown(f2(), "1002");
    EXPECT_EQ(f2().Label5->left(), 2450);
    app.desktop.advance(2000);
    EXPECT_EQ(f2().Label4->caption(), QStringLiteral("1000"));
    EXPECT_EQ(f2().Label5->left(), 2450);
    app.desktop.advance(1000);
    EXPECT_EQ(f2().Label4->caption(), QStringLiteral("999"));
    EXPECT_EQ(f2().Label5->left(), 2100);
}

TEST_F(Countdown, MinutesComeFromTheFigureBeforeTheTick)
{
    startCountdown(f2(), "61");
    const char *minutes[] = {"1", "1", "0"}; // read at 61, 60, 59
    for (const char *m : minutes) {
        app.desktop.advance(1000);
        EXPECT_EQ(f2().Label9->caption(), QString::fromLatin1(m)) << f2().Label4->caption().toStdString();
    }
}

TEST_F(Countdown, ReturningShowsTheNoticeAndTheShutdownStillComes)
{
    QTest::mouseClick(f2().Command2, Qt::LeftButton); // idle
    EXPECT_TRUE(app.forms.form1().isVisible());
    EXPECT_FALSE(app.forms.form1().Label7->isVisible());
    EXPECT_TRUE(app.forms.form1().Command7->isEnabled());

    QTest::mouseClick(app.forms.form1().Command5, Qt::LeftButton);
    startCountdown(f2(), "4");
    QTest::keyClick(f2().Command1, Qt::Key_Escape); // Esc is "返回"
    Form1 &f1 = app.forms.form1();
    EXPECT_TRUE(f1.isVisible());
    EXPECT_FALSE(f2().isVisible());
    EXPECT_TRUE(f1.Label7->isVisible());
    EXPECT_FALSE(f1.Command7->isEnabled());
    app.desktop.advance(4000);
    EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()});
    EXPECT_EQ(f1.Label2->caption(), QStringLiteral("100"));
}

TEST_F(Countdown, TheShutdownComesWhileAModalBoxWaits)
{
    startCountdown(f2(), "5");
    QTest::mouseClick(f2().Command2, Qt::LeftButton);
    app.desktop.answerWith([this] {
        app.desktop.advance(6000); // the exit question stays open for six seconds
        return MsgResult::No;
    });
    QTest::mouseClick(app.forms.form1().Command4, Qt::LeftButton);
    EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()});
    EXPECT_EQ(app.quitCalls, 0);
}

TEST_F(Countdown, CloseBoxIsRefusedAndMinimisesTheMainWindow)
{
    startCountdown(f2(), "30");
    EXPECT_FALSE(f2().close());
    EXPECT_TRUE(f2().isVisible());
    EXPECT_TRUE(app.forms.form1().isMinimizedState());
    EXPECT_TRUE(f2().Timer1->enabled());
}

TEST_F(Countdown, EnterCancelsARunningCountdown)
{
    startCountdown(f2(), "30");
    f2().Command1->setFocus();
    QTest::keyClick(f2().Command1, Qt::Key_Return);
    EXPECT_EQ(f2().Command1->caption(), QStringLiteral("确定"));
    app.desktop.advance(40000);
    EXPECT_TRUE(app.desktop.commands.isEmpty());
}

TEST_F(Countdown, DetailsShowTheDateAndTime)
{
    startCountdown(f2(), "100");
    app.desktop.advance(1000);
    QTest::mouseClick(f2().Check1, Qt::LeftButton);
    EXPECT_TRUE(f2().Frame2->isVisible());
    EXPECT_TRUE(f2().Frame3->isVisible());
    EXPECT_TRUE(f2().Label12->caption().startsWith(QStringLiteral("当前日期:")));
    EXPECT_TRUE(f2().Label12->caption().contains(QStringLiteral("\r\n当前时间:")));
    QTest::mouseClick(f2().Check1, Qt::LeftButton);
    EXPECT_FALSE(f2().Frame2->isVisible());
}

} // namespace
