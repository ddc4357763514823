#include "support/tools_support.h"

namespace {

using Boxes = ToolsTest;

const QString Rating = QStringLiteral("请为本应用程序作出评价：\r\nA.满意！\r\nB.还行！\r\nC.差！");
const QString Offer =
    QStringLiteral("感谢您的评价，是否对需要留言~\r\n点击”是“给我们留言~\r\n点击”否“返回首页  ");

QString lines(const FakeDesktop &desktop)
{
    QStringList out;
    for (const auto &m : desktop.messages)
        out << QStringLiteral("%1|%2|%3").arg(m.title).arg(m.style).arg(m.text);
    return out.join(u'\n');
}

TEST_F(Boxes, TipsAndAbout)
{
    choose(t.mnuxjq);
    choose(t.mnubenzhus);
    ASSERT_EQ(app.desktop.messages.size(), 2u);
    const auto &tips = app.desktop.messages[0];
    EXPECT_EQ(tips.title, QStringLiteral("小技巧"));
    EXPECT_EQ(tips.style, MsgStyle::Ok);
    EXPECT_EQ(tips.text, QStringLiteral("本应用的小技巧：\r\n"
                                        "1.在主页面中双击可显示当前日期时间。\r\n"
                                        "2.在简易计算器里的空白处双击可清空数值。\r\n"
                                        "3.在 关机2 方式中双击空白处可显示当前系统时间\r\n"
                                        "4.更新中..."));
    const auto &about = app.desktop.messages[1];
    EXPECT_EQ(about.title, QStringLiteral("信息"));
    EXPECT_EQ(about.style, MsgStyle::Ok);
    const QStringList aboutLines = about.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(aboutLines.size(), 3);
    EXPECT_EQ(aboutLines[0], QStringLiteral("本程序应用安全无毒，请放心使用！"));
    EXPECT_TRUE(aboutLines[1].contains(QStringLiteral("Morvane项目组"))) << "the project's own contact";
    EXPECT_EQ(aboutLines[2], QStringLiteral("更高版本敬请期待！"));
    EXPECT_EQ(about.text.count(u'\n'), 2) << "lines end in CR LF";
}

// Only a bare "C" or "c" leads on to the offer of a message; Yes asks for it (kept or
// cancelled alike), No brings the main window to the front.
TEST_F(Boxes, FeedbackRatings)
{
    const QString bye = QStringLiteral("提交成功|0|感谢您的评价！再见~");
    const QString offer = QStringLiteral("提交成功|36|") + Offer;
    const QString thanks = QStringLiteral("提交成功|0|感谢您的反馈~");
    const struct {
        const char *rating;
        int answer; // to the offer
        const char *message;
        QString boxes;
        int prompts;
    } rows[] = {
        {"A", 0, nullptr, bye, 1},
        {"b", 0, nullptr, bye, 1},
        {"C ", 0, nullptr, bye, 1},
        {" c", 0, nullptr, bye, 1},
        {"C.差！", 0, nullptr, bye, 1},
        {"", 0, nullptr, bye, 1}, // cancelled
        {"C", MsgResult::Yes, "太慢了", offer + u'\n' + thanks, 2},
        {"c", MsgResult::Yes, nullptr, offer + u'\n' + thanks, 2}, // the message cancelled
        {"c", MsgResult::No, nullptr, offer, 1},
    };
    for (const auto &r : rows) {
        app.desktop.messages.clear();
        app.desktop.prompts.clear();
        app.desktop.promptTitles.clear();
        app.desktop.answerText(QString::fromUtf8(r.rating));
        if (r.answer)
            app.desktop.answer(r.answer);
        if (r.message)
            app.desktop.answerText(QString::fromUtf8(r.message));
        choose(t.mnufk);
        EXPECT_EQ(lines(app.desktop), r.boxes) << r.rating;
        EXPECT_EQ(app.desktop.prompts,
                  (QStringList{Rating, QStringLiteral("请输入您的留言：")}.mid(0, r.prompts)));
        EXPECT_EQ(app.desktop.promptTitles,
                  (QStringList{QStringLiteral("用户反馈"), QStringLiteral("用户留言")}.mid(0, r.prompts)));
        EXPECT_TRUE(f1.isVisible() && !f1.isMinimizedState()) << r.rating;
    }
}

} // namespace
