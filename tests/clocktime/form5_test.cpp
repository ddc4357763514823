#include "support/clocktime_support.h"

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
        EXPECT_EQ(str(f.Text1->text() + "|" + f.Text2->text() + "|" + f.Text3->text()),
                  std::string(row.kept[0]) + "|" + row.kept[1] + "|" + row.kept[2])
            << name;
        EXPECT_EQ(str(f.Label6->caption()), row.target) << name;
        EXPECT_EQ(str(f.Label7->caption()), row.confirmation) << name;
        EXPECT_TRUE(f.Label7->isVisible() && app.desktop.messages.empty()) << name;
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
        ASSERT_EQ(app.desktop.messages.size(), 1u) << row.message << ": one box, no error report";
        EXPECT_EQ(str(app.desktop.messages[0].text), row.message);
        EXPECT_EQ(str(app.desktop.messages[0].title), "提示");
        EXPECT_TRUE(f.Command1->isEnabled() && !f.Command3->isEnabled() && !f.Check1->isVisible())
            << row.message;
        EXPECT_EQ(str(f.Frame1->caption()), "请输入") << row.message;
        EXPECT_TRUE(f.Label6->caption().isEmpty()) << row.message;
    }
}

// Set with the reminder, go back and forth, cancel: the state each step leaves.
TEST(ClockTimeSetup, SetReturnCancel)
{
    TestApp app;
    Form5 &f = openForm5(app);
    Form1 &f1 = app.forms.form1();
    EXPECT_FALSE(f1.isVisible()) << "关机2 hides the main window";
    enterTime(f, "", "", "30", true);
    EXPECT_EQ(str(f.Label10->caption()), "23：59：30") << "a minute earlier, on the day before";
    EXPECT_FALSE(f.Check1->isEnabled()) << "only a cancel takes the reminder back";
    QTest::keyClick(&f, Qt::Key_Return);
    EXPECT_TRUE(app.desktop.messages.empty()) << "确定 is disabled while a time is set";

    EXPECT_FALSE(f.close()) << "the close box minimises the main window instead";
    EXPECT_TRUE(f.isVisible() && f1.isMinimizedState());
    QTest::keyClick(&f, Qt::Key_Escape); // 返回
    EXPECT_TRUE(f1.isVisible() && !f.isVisible());
    EXPECT_TRUE(f1.Label7->isVisible() && !f1.Command5->isEnabled()) << "the countdown is kept out";

    QTest::mouseClick(f1.Command7, Qt::LeftButton);
    QTest::mouseClick(f.Command3, Qt::LeftButton); // 取消设置
    for (QWidget *w : std::initializer_list<QWidget *>{f.Text1, f.Text2, f.Text3, f.Command1, f.Check1})
        EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(f.Text1->text().isEmpty() && f.Text2->text().isEmpty() && f.Text3->text().isEmpty());
    EXPECT_EQ(f.hourValue + f.minuteValue + f.secondValue, 0);
    EXPECT_TRUE(!f.Command3->isEnabled() && !f.Check1->isVisible() && f.Check1->value() == 0);
    EXPECT_TRUE(f.Label8->isVisible() && !f.Label7->isVisible());
    EXPECT_EQ(str(f.Frame1->caption() + f.Label6->caption() + f.Label10->caption() + f.Label9->caption()),
              "定时关机00：00：3023：59：301")
        << "left as they were";
    QTest::mouseClick(f.Command2, Qt::LeftButton);
    EXPECT_TRUE(!f1.Label7->isVisible() && f1.Command5->isEnabled());
    QTest::mouseClick(f1.Command7, Qt::LeftButton);
    EXPECT_FALSE(f.Label8->isVisible()) << "opening hides the cancel notice";
}

TEST(ClockTimeSetup, DoubleClicksShowAndHideTheClockOnlyFromTheirOwnPlaces)
{
    TestApp app;
    Form5 &f = openForm5(app);
    app.desktop.advance(1000);
    for (QWidget *control :
         std::initializer_list<QWidget *>{f.Frame1, f.Text1, f.Label2, f.Label3, f.Command3})
        userDoubleClick(control, QPoint(4, 4));
    EXPECT_FALSE(f.Label1->isVisible());
    userDoubleClick(f.client(), QPoint(20, 20));
    EXPECT_TRUE(f.Label1->isVisible());
    EXPECT_EQ(str(f.Label1->caption()), "22:29:53");
    userDoubleClick(f.Label1, QPoint(4, 4));
    EXPECT_FALSE(f.Label1->isVisible());
}

} // namespace
