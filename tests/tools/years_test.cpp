#include "support/tools_support.h"

namespace {

struct Verdict {
    const char *typed;
    const char *caption;
    quint32 color;
};

class Years : public ToolsTest {
protected:
    // Judges each year in turn as a user does: a click into the box, typing, "判断".
    // The verdict never runs into the panel's "×".
    template <size_t N>
    void judgeAll(TextBox *box, CommandButton *judge, Label *verdict, Label *close, const Verdict (&rows)[N])
    {
        for (const Verdict &r : rows) {
            QTest::mouseClick(box, Qt::LeftButton);
            type(box, QString::fromUtf8(r.typed));
            QTest::mouseClick(judge, Qt::LeftButton);
            EXPECT_EQ(verdict->caption(), QString::fromUtf8(r.caption)) << r.typed;
            EXPECT_EQ(verdict->foreColor(), r.color) << r.typed;
            EXPECT_LT(verdict->geometry().right(), close->geometry().left()) << r.typed;
        }
    }
};

constexpr quint32 Green = Colour::VerdictGreen;
constexpr quint32 Red = Colour::Red;

TEST_F(Years, LeapYearVerdicts)
{
    choose(t.mnupdrn);
    EXPECT_EQ(t.Text5->text(), QStringLiteral("1999"));
    EXPECT_EQ(t.Text5->foreColor(), Colour::Grey);
    EXPECT_EQ(f1.Frame4->caption(), QStringLiteral("请输入年份↓"));
    QTest::mouseClick(t.Command12, Qt::LeftButton);
    EXPECT_EQ(t.Label12->caption(), QStringLiteral("不是闰年")) << "the hint, judged as it is";
    EXPECT_EQ(t.Label12->foreColor(), Red);
    EXPECT_EQ(f1.Frame4->caption(), QStringLiteral("闰年判断器"));

    const Verdict rows[] = {
        {"2000", "是闰年", Green},  {"2024", "是闰年", Green},  {"1900", "不是闰年", Red},
        {"2023", "不是闰年", Red},  {"0", "是闰年", Green},     {"-4", "是闰年", Green},
        {"-100", "不是闰年", Red},  {"-400", "是闰年", Green},  {"4.5", "是闰年", Green},
        {"5.5", "不是闰年", Red},   {"3.5", "是闰年", Green},   {"2.5", "不是闰年", Red},
        {"", "无法判断", Red},      {"2000", "是闰年", Green},  {"abc", "无法判断", Red},
        {"12ab", "无法判断", Red},  {"2024", "是闰年", Green},  {"1e5", "是闰年", Green},
        {"-1e5", "是闰年", Green},  {"19e3", "不是闰年", Red},  {"1e10", "是闰年", Green},
        {"1e19", "无法判断", Red},  {"1e308", "无法判断", Red}, // the box holds "1e30"
        {"12345", "不是闰年", Red},                             // the box holds "1234"
    };
    judgeAll(t.Text5, t.Command12, t.Label12, t.Label13, rows);
    EXPECT_EQ(f1.Frame4->caption(), QStringLiteral("闰年判断器"));
    EXPECT_TRUE(app.desktop.messages.empty());
}

// A click into the year box empties it and turns its text black, every time; reaching
// it with Tab changes nothing.
TEST_F(Years, AClickClearsTheYearBoxButTabDoesNot)
{
    choose(t.mnupdrn);
    t.Command12->setFocus();
    QTest::keyClick(t.Command12, Qt::Key_Backtab);
    ASSERT_EQ(f1.focusWidget(), t.Text5);
    EXPECT_EQ(t.Text5->text(), QStringLiteral("1999"));
    EXPECT_EQ(t.Text5->foreColor(), Colour::Grey);
    QTest::mouseClick(t.Text5, Qt::LeftButton);
    EXPECT_EQ(t.Text5->text(), QString());
    EXPECT_EQ(t.Text5->foreColor(), Colour::Black);
    QTest::keyClicks(t.Text5, QStringLiteral("2024"));
    QTest::mouseClick(t.Text5, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(t.Text5->text(), QString());
}

TEST_F(Years, ZodiacAnimals)
{
    choose(t.mnusx);
    EXPECT_EQ(f1.Frame5->caption(), QStringLiteral("判断生肖"));
    const Verdict rows[] = {
        {"1999", "兔", Green},      {"2000", "龙", Green}, {"2005", "鸡", Green},
        {"2008", "鼠", Green},      {"2020", "鼠", Green}, {"2016", "猴", Green},
        {"2023", "兔", Green},      {"0", "猴", Green},    {"12", "猴", Green},
        {"1", "鸡", Green},         {"12.5", "猴", Green}, {"13.5", "狗", Green},
        {"", "无法判断", Red},      {"2000", "龙", Green}, {"abc", "无法判断", Red},
        {"20ab", "无法判断", Red},  {"-1", "羊", Green},   {"-12", "猴", Green},
        {"-13", "羊", Green},       {"-11", "鸡", Green},  {"-0.5", "猴", Green},
        {"1e10", "鼠", Green},      {"-1e9", "龙", Green}, {"1e99", "无法判断", Red},
        {"1e308", "无法判断", Red}, {"1e10", "鼠", Green},
    };
    judgeAll(t.Text6, t.Command13, t.Label15, t.Label14, rows);
    EXPECT_EQ(f1.Frame5->caption(), QStringLiteral("十二生肖"));
    EXPECT_TRUE(app.desktop.messages.empty());
}

} // namespace
