#include "clocktime/form5.h"

#include "app/form1.h"
#include "support/clocktime_support.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

std::string str(const QString &s)
{
    return s.toStdString();
}

TEST(ClockTimeSetup, TypedFieldsGiveTheTargetAndItsConfirmation)
{
    const struct {
        const char *typed[3];
        const char *kept[3]; // the fields after typing
        const char *target;
        const char *confirmation;
    } rows[] = {
        {{"23", "", ""}, {"23", "", ""}, "23：00：00", "设置成功！计算机将在 23点00分00秒 关闭！"},
        {{"24", "", ""}, {"24", "", ""}, "00：00：00", "设置成功！计算机将在 00点00分00秒 关闭！"},
        {{"25", "60", ""}, {"", "60", ""}, "01：00：00", "设置成功！计算机将在 01点00分00秒 关闭！"},
        {{"", "61", "5"}, {"", "", "5"}, "00：00：05", "设置成功！计算机将在 00点00分05秒 关闭！"},
        {{"10", "60", ""}, {"10", "60", ""}, "11：00：00", "设置成功！计算机将在 11点00分00秒 关闭！"},
        {{"23", "59", "60"}, {"23", "59", "60"}, "00：00：00", "设置成功！计算机将在 00点00分00秒 关闭！"},
        {{"abc", "", ""}, {"abc", "", ""}, "00：00：00", "设置成功！计算机将在 00点00分00秒 关闭！"},
        {{"7.5", "", ""}, {"7.5", "", ""}, "08：00：00", "设置成功！计算机将在 08点00分00秒 关闭！"},
        {{"8.5", "", ""}, {"8.5", "", ""}, "08：00：00", "设置成功！计算机将在 08点00分00秒 关闭！"},
        {{"-1", "5x", ""}, {"-1", "5x", ""}, "23：05：00", "设置成功！计算机将在 23点05分00秒 关闭！"},
        {{"", "", "-32768.5"},
         {"", "", "-32768.5"},
         "14：53：52",
         "设置成功！计算机将在 14点53分52秒 关闭！"},
    };
    for (const auto &row : rows) {
        TestApp app;
        Form5 &f = openForm5(app);
        enterTime(f, row.typed[0], row.typed[1], row.typed[2]);
        const std::string name = std::string(row.typed[0]) + "|" + row.typed[1] + "|" + row.typed[2];
        EXPECT_EQ(str(f.Text1->text()), row.kept[0]) << name;
        EXPECT_EQ(str(f.Text2->text()), row.kept[1]) << name;
        EXPECT_EQ(str(f.Text3->text()), row.kept[2]) << name;
        EXPECT_EQ(str(f.Label6->caption()), row.target) << name;
        EXPECT_EQ(str(f.Label7->caption()), row.confirmation) << name;
        EXPECT_TRUE(f.Label7->isVisible()) << name;
        EXPECT_TRUE(app.desktop.messages.empty()) << name;
    }
}

TEST(ClockTimeSetup, RefusedEntriesChangeNothing)
{
    const struct {
        const char *typed[3];
        const char *message;
    } rows[] = {
        {{"", "", ""}, "您还没有设置时间呢~"},
        {{"-99999", "", ""}, "亲，时间输入有误，请重新输入！"},
        {{"", "-1e6", ""}, "亲，时间输入有误，请重新输入！"},
        {{"3", "", "-32769"}, "亲，时间输入有误，请重新输入！"},
    };
    for (const auto &row : rows) {
        TestApp app;
        Form5 &f = openForm5(app);
        enterTime(f, row.typed[0], row.typed[1], row.typed[2]);
        ASSERT_EQ(app.desktop.messages.size(), 1u) << row.message;
        EXPECT_EQ(str(app.desktop.messages[0].text), row.message);
        EXPECT_EQ(str(app.desktop.messages[0].title), "提示");
        EXPECT_EQ(app.desktop.messages[0].style, MsgStyle::Ok);
        EXPECT_FALSE(app.desktop.messages[0].posted) << "a box of the window, not an error report";
        EXPECT_TRUE(f.Command1->isEnabled()) << row.message;
        EXPECT_FALSE(f.Command3->isEnabled());
        EXPECT_EQ(str(f.Frame1->caption()), "请输入");
        EXPECT_FALSE(f.Check1->isVisible());
        EXPECT_FALSE(f.Label7->isVisible());
        EXPECT_TRUE(f.Text1->isEnabled());
        EXPECT_TRUE(f.Label6->caption().isEmpty());
        EXPECT_EQ(app.quitCalls, 0);
        app.desktop.advance(3000);
        EXPECT_EQ(app.desktop.messages.size(), 1u) << "nothing follows";
    }
}

TEST_F(ClockTime, TheReminderIsAMinuteEarlierWrappingIntoTheDayBefore)
{
    set("", "", "30", true);
    EXPECT_EQ(str(f5().Label10->caption()), "23：59：30");
    EXPECT_EQ(f5().shutTime, QTime(23, 59, 30));
    EXPECT_EQ(str(f5().Label6->caption()), "00：00：30") << "the target stays";
    EXPECT_EQ(f5().Check1->value(), 1);
    EXPECT_FALSE(f5().Check1->isEnabled()) << "only a cancel takes it back";
}

TEST_F(ClockTime, CancelRestoresTheFieldsAndKeepsWhatTheWatchReads)
{
    set("7", "5", "", true);
    EXPECT_EQ(str(f5().Frame1->caption()), "定时关机");
    QTest::mouseClick(f5().Command3, Qt::LeftButton);
    Form5 &f = f5();
    for (QWidget *w : std::initializer_list<QWidget *>{f.Text1, f.Text2, f.Text3, f.Command1})
        EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(f.Text1->text().isEmpty() && f.Text2->text().isEmpty() && f.Text3->text().isEmpty());
    EXPECT_EQ(f.hourValue + f.minuteValue + f.secondValue, 0);
    EXPECT_FALSE(f.Command3->isEnabled());
    EXPECT_FALSE(f.Check1->isVisible());
    EXPECT_TRUE(f.Check1->isEnabled());
    EXPECT_EQ(f.Check1->value(), 0);
    EXPECT_FALSE(f.Label7->isVisible());
    EXPECT_TRUE(f.Label8->isVisible());
    EXPECT_EQ(str(f.Label8->caption()), "设置已取消！");
    EXPECT_EQ(str(f.Frame1->caption()), "定时关机");
    EXPECT_EQ(str(f.Label6->caption()), "07：05：00");
    EXPECT_EQ(str(f.Label10->caption()), "07：04：00");
    EXPECT_EQ(str(f.Label9->caption()), "1");

    set("8", "", ""); // a new setting after a cancel
    EXPECT_EQ(str(f.Label6->caption()), "08：00：00");
    EXPECT_FALSE(f.Label8->isVisible());
    EXPECT_EQ(str(f.Label10->caption()), "07：04：00") << "left from before until asked again";
}

TEST_F(ClockTime, EnterSetsOnlyWhileNothingIsSetAndEscReturns)
{
    set("9", "", "");
    QTest::keyClick(&f5(), Qt::Key_Return);
    EXPECT_TRUE(app.desktop.messages.empty()) << "确定 is disabled while a time is set";
    QTest::keyClick(&f5(), Qt::Key_Escape);
    EXPECT_FALSE(f5().isVisible());
    EXPECT_TRUE(app.forms.form1().isVisible());
}

TEST_F(ClockTime, ReturningTellsTheMainWindowWhetherATimeIsSet)
{
    Form1 &f1 = app.forms.form1();
    EXPECT_FALSE(f1.isVisible()) << "关机2 hid the main window";
    const struct {
        bool set;
        bool notice;
    } rows[] = {{true, true}, {false, false}};
    for (const auto &row : rows) {
        if (row.set)
            set("9", "", "");
        else
            QTest::mouseClick(f5().Command3, Qt::LeftButton);
        QTest::mouseClick(f5().Command2, Qt::LeftButton);
        EXPECT_TRUE(f1.isVisible());
        EXPECT_FALSE(f5().isVisible());
        EXPECT_EQ(f1.Label7->isVisible(), row.notice);
        EXPECT_EQ(f1.Command5->isEnabled(), !row.notice);
        QTest::mouseClick(f1.Command7, Qt::LeftButton);
        EXPECT_TRUE(f5().isVisible());
        EXPECT_FALSE(f5().Label8->isVisible()) << "opening hides the cancel notice";
    }
}

TEST_F(ClockTime, TheCloseBoxMinimisesTheMainWindowAndKeepsThisOne)
{
    set("9", "", "");
    EXPECT_FALSE(f5().close());
    EXPECT_TRUE(f5().isVisible());
    EXPECT_TRUE(app.forms.form1().isMinimizedState());
    EXPECT_FALSE(f5().Command1->isEnabled()) << "the setting stays";
}

TEST_F(ClockTime, DoubleClicksShowAndHideTheClockOnlyFromTheirOwnPlaces)
{
    app.desktop.advance(1500);
    for (QWidget *control :
         std::initializer_list<QWidget *>{f5().Frame1, f5().Text1, f5().Label2, f5().Label3, f5().Command3})
        userDoubleClick(control, QPoint(4, 4));
    EXPECT_FALSE(f5().Label1->isVisible());
    EXPECT_TRUE(f5().isVisible());
    userDoubleClick(f5().client(), QPoint(20, 20));
    EXPECT_TRUE(f5().Label1->isVisible());
    EXPECT_EQ(str(f5().Label1->caption()), "22:29:53");
    userDoubleClick(f5().Label1, QPoint(4, 4));
    EXPECT_FALSE(f5().Label1->isVisible());
}

} // namespace
