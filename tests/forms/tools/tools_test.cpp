#include "forms/tools/tools.h"
#include "support/user_steps.h"

#include <QMenu>
#include <QMenuBar>

namespace {

// Types over whatever the box holds.
void type(TextBox *box, const QString &text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// The main window past loading with the tools menu shown by the arrow button; numbers
// read and written as in the United States ("." decimal, "," thousands).
class ToolsTest : public ::testing::Test {
protected:
    TestApp app;
    Form1 &f1 = app.forms.form1();
    Tools &t = f1.tools();
    const QLocale saved = QLocale();

    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        app.finishLoading();
        QTest::mouseClick(f1.Command3, Qt::LeftButton);
    }
    void TearDown() override { QLocale::setDefault(saved); }

    // Opens the menu from the menu bar and clicks the item.
    void choose(MenuItem *item)
    {
        QMenuBar *bar = f1.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().value(0)).center());
        auto *menu = qobject_cast<QMenu *>(item->parent());
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }
    void press(const char *keys)
    {
        f1.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f1));
        QTest::keySequence(&f1, QKeySequence(QString::fromLatin1(keys)));
    }
    // "3", "4", "5" for the open panels, by their frames' numbers.
    QString openPanels() const
    {
        QString open;
        for (auto [frame, number] : {std::pair{f1.Frame3, '3'}, {f1.Frame4, '4'}, {f1.Frame5, '5'}})
            if (frame->isVisibleTo(&f1))
                open += QLatin1Char(number);
        return open;
    }
};

TEST_F(ToolsTest, EachItemActsFromTheMenuAndByItsKeyOnlyWhileTheMenuShows)
{
    const struct {
        MenuItem *Tools::*item;
        const char *caption, *keys, *effect; // a panel's number or a box's title
    } items[] = {{&Tools::mnusx, "十二生肖", "F1", "5"},
                 {&Tools::mnupdrn, "判断闰年", "F2", "4"},
                 {&Tools::mnujsq, "简易计算器", "F3", "3"},
                 {&Tools::mnufk, "用户反馈", "Ctrl+Shift+F8", "提交成功"},
                 {&Tools::mnuxjq, "助手小技巧", "Ctrl+Shift+F7", "小技巧"},
                 {&Tools::mnubenzhus, "关于本应用", "F12", "信息"}};
    auto effect = [&] { // then everything is put away again
        const QString seen = app.desktop.messages.empty() ? openPanels() : app.desktop.messages.back().title;
        app.desktop.messages.clear();
        for (Frame *frame : {f1.Frame3, f1.Frame4, f1.Frame5})
            frame->hide();
        return seen;
    };
    for (const auto &i : items) {
        EXPECT_EQ((t.*i.item)->text(), QString::fromUtf8(i.caption));
        choose(t.*i.item);
        EXPECT_EQ(effect(), QString::fromUtf8(i.effect)) << i.caption;
        press(i.keys);
        EXPECT_EQ(effect(), QString::fromUtf8(i.effect)) << i.keys;
    }
    QTest::mouseClick(f1.Command3, Qt::LeftButton); // hides the menu
    for (const auto &i : items)
        press(i.keys);
    EXPECT_EQ(effect(), QString());
    EXPECT_EQ(app.desktop.prompts.size(), 2) << "the feedback item asked only twice";
}

// One panel at a time; each comes back as it was, however it was closed, and opening one
// moves no focus.
TEST_F(ToolsTest, OnePanelAtATimeAndEachKeepsItsContents)
{
    choose(t.mnujsq);
    type(t.Text2, QStringLiteral("7"));
    type(t.Text3, QStringLiteral("2"));
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    choose(t.mnupdrn);
    EXPECT_EQ(openPanels(), QStringLiteral("4"));
    QTest::mouseClick(t.Command12, Qt::LeftButton);
    choose(t.mnusx);
    EXPECT_EQ(openPanels(), QStringLiteral("5"));
    QTest::keyClicks(t.Text6, QStringLiteral("abc"));
    QTest::mouseClick(t.Command13, Qt::LeftButton);
    QTest::mouseClick(f1.Command3, Qt::LeftButton);
    EXPECT_EQ(openPanels(), QStringLiteral("5")) << "hiding the menu leaves the panel open";
    QTest::mouseClick(f1.Command3, Qt::LeftButton);

    auto contents = [&] {
        return QStringList{t.Text2->text(),      t.Text3->text(),      t.Text4->text(),
                           t.Label10->caption(), f1.Frame3->caption(), t.Text5->text(),
                           t.Label12->caption(), f1.Frame4->caption(), t.Text6->text(),
                           t.Label15->caption(), f1.Frame5->caption()}
            .join(u'|');
    };
    const QString before = contents();
    EXPECT_EQ(before, QStringLiteral("7|2|9|+|点击“+”切换|1999|不是闰年|闰年判断器|abc|无法判断|十二生肖"));
    const struct {
        MenuItem *Tools::*item;
        Label *close;
        Frame *frame;
        const char *number;
    } panels[] = {{&Tools::mnujsq, t.Label11, f1.Frame3, "3"},
                  {&Tools::mnupdrn, t.Label13, f1.Frame4, "4"},
                  {&Tools::mnusx, t.Label14, f1.Frame5, "5"}};
    for (const auto &p : panels) {
        choose(t.*p.item);
        choose(t.*p.item); // the open one again: nothing changes
        EXPECT_EQ(openPanels(), QString::fromLatin1(p.number));
        QTest::mouseClick(p.close, Qt::LeftButton);
        EXPECT_EQ(openPanels(), QString()) << p.number;
        choose(t.*p.item);
        p.frame->setVisible(false); // put away from outside, as the lock does
        f1.Command1->setFocus();
        choose(t.*p.item);
        EXPECT_EQ(openPanels(), QString::fromLatin1(p.number));
        EXPECT_EQ(f1.focusWidget(), f1.Command1) << p.number;
    }
    EXPECT_EQ(contents(), before);
}

// Each row "left|sign|right|the three boxes afterwards", in turn; a row whose operation
// faults follows one with a result, which it must not leave beside its operands. A result
// shows from its beginning.
TEST_F(ToolsTest, CalculatorComputesResetsBadOperandsAndEmptiesTheResultOnAFault)
{
    choose(t.mnujsq);
    for (const char *row : {"7|+|2|7|2|9",
                            "7|-|2|7|2|5",
                            "7|×|2|7|2|14",
                            "7|/|2|7|2|3.5",
                            "8|/|0|8|0|",
                            "1|/|3|1|3|0.333333333333333",
                            "0|/|0|0|0|",
                            "7|/|2|7|2|3.5",
                            "abc|/|5|0|0|",
                            "0.1|+|0.2|0.1|0.2|0.3",
                            "|+|5|0|0|0",
                            "5|+||0|0|0",
                            "-5|-|-5|-5|-5|0",
                            "abc|×|5|0|0|0",
                            "1e308|×|1|1e308|1|1E+308",
                            "1e308|×|10|1e308|10|",
                            "1e3|+|1|1e3|1|1001",
                            "1e308|+|1e308|1e308|1e308|",
                            "1,000|+|1|1,000|1|1001",
                            " 2 |+|1.5e1| 2 |1.5e1|17"}) {
        const QStringList r = QString::fromUtf8(row).split(u'|');
        type(t.Text2, r[0]);
        type(t.Text3, r[2]);
        for (int i = 0; i < 4 && t.Label10->caption() != r[1]; ++i)
            QTest::mouseClick(t.Label10, Qt::LeftButton);
        QTest::mouseClick(t.Command11, Qt::LeftButton);
        EXPECT_EQ(QStringList({t.Text2->text(), t.Text3->text(), t.Text4->text()}), r.mid(3)) << row;
        EXPECT_EQ(t.Text4->cursorPosition(), 0) << row;
    }
    EXPECT_TRUE(app.desktop.messages.empty()) << "faults are silent";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // "," decimal, "." thousands
    type(t.Text2, QStringLiteral("1,5"));
    type(t.Text3, QStringLiteral("1.000"));
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    EXPECT_EQ(t.Text4->text(), QStringLiteral("1001,5"));
}

// The sign steps round, empties the result and renames the panel; a double-click on
// the panel's background, and only there, empties the three boxes.
TEST_F(ToolsTest, CalculatorSignAndClearing)
{
    choose(t.mnujsq);
    type(t.Text2, QStringLiteral("7"));
    type(t.Text3, QStringLiteral("2"));
    QString seen;
    for (int i = 0; i < 5; ++i) {
        QTest::mouseClick(t.Command11, Qt::LeftButton);
        EXPECT_FALSE(t.Text4->text().isEmpty());
        QTest::mouseClick(t.Label10, Qt::LeftButton);
        seen += t.Label10->caption() + t.Text4->text() + f1.Frame3->caption() + u' ';
    }
    EXPECT_EQ(seen, QStringLiteral("-简易计算器 ×简易计算器 /简易计算器 +简易计算器 -简易计算器 "));
    QTest::keyClicks(t.Text4, QStringLiteral("8"));
    EXPECT_EQ(t.Text4->text(), QString()) << "the result is not the user's to edit";

    QTest::mouseClick(t.Command11, Qt::LeftButton);
    for (QWidget *control : std::initializer_list<QWidget *>{t.Text2, t.Text4, t.Command11, t.Label10})
        userDoubleClick(control, QPoint(3, 3)); // on the sign: one click, to "×"
    EXPECT_EQ(t.Text2->text() + t.Text3->text() + t.Label10->caption(), QStringLiteral("72×"));
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    userDoubleClick(f1.Frame3, QPoint(100, 56)); // under the row of boxes
    EXPECT_EQ(t.Text2->text() + t.Text3->text() + t.Text4->text() + t.Label10->caption(),
              QStringLiteral("×"));
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    EXPECT_EQ(t.Text4->text(), QStringLiteral("0"));
}

// Each year in turn, typed and judged, as "year:verdict": a verdict is green, and one
// that is no verdict (无法判断, 不是闰年) red; it never runs into the panel's "×".
void judgeAll(TextBox *box, CommandButton *judge, Label *verdict, Label *close, const QStringList &rows)
{
    for (const QString &row : rows) {
        const QString typed = row.section(u':', 0, 0), expected = row.section(u':', 1);
        type(box, typed);
        QTest::mouseClick(judge, Qt::LeftButton);
        EXPECT_EQ(verdict->caption(), expected) << row.toStdString();
        const bool red = expected == QStringLiteral("无法判断") || expected == QStringLiteral("不是闰年");
        EXPECT_EQ(verdict->foreColor(), red ? Colour::Red : Colour::VerdictGreen) << row.toStdString();
        EXPECT_LT(verdict->geometry().right(), close->geometry().left()) << row.toStdString();
    }
}

// The year box's grey hint goes with a click into it (every click empties it), not with Tab.
TEST_F(ToolsTest, LeapYearVerdicts)
{
    choose(t.mnupdrn);
    EXPECT_EQ(f1.Frame4->caption(), QStringLiteral("请输入年份↓"));
    t.Command12->setFocus();
    QTest::keyClick(t.Command12, Qt::Key_Backtab);
    ASSERT_EQ(f1.focusWidget(), t.Text5);
    EXPECT_EQ(t.Text5->text() + QString::number(t.Text5->foreColor(), 16), QStringLiteral("1999808080"));
    for (const char *typed : {"2024", ""}) {
        QTest::mouseClick(t.Text5, Qt::LeftButton);
        EXPECT_EQ(t.Text5->text() + QString::number(t.Text5->foreColor(), 16), QStringLiteral("0"));
        QTest::keyClicks(t.Text5, QString::fromLatin1(typed));
    }
    // "1e308" and "12345" are cut to four characters by the box: "1e30", "1234".
    judgeAll(t.Text5, t.Command12, t.Label12, t.Label13,
             {"1999:不是闰年", "2000:是闰年",   "2024:是闰年",    "1900:不是闰年", "2023:不是闰年",
              "0:是闰年",      "-4:是闰年",     "-100:不是闰年",  "-400:是闰年",   "4.5:是闰年",
              "5.5:不是闰年",  "2.5:不是闰年",  "3.5:是闰年",     ":无法判断",     "2000:是闰年",
              "abc:无法判断",  "12ab:无法判断", "1e5:是闰年",     "-1e5:是闰年",   "19e3:不是闰年",
              "1e10:是闰年",   "1e19:无法判断", "1e308:无法判断", "12345:不是闰年"});
    EXPECT_EQ(f1.Frame4->caption(), QStringLiteral("闰年判断器"));
}

TEST_F(ToolsTest, ZodiacAnimals)
{
    choose(t.mnusx);
    EXPECT_EQ(f1.Frame5->caption(), QStringLiteral("判断生肖"));
    judgeAll(t.Text6, t.Command13, t.Label15, t.Label14,
             {"1999:兔",        "2000:龙", "2005:鸡",      "2008:鼠",       "2020:鼠", "2016:猴",
              "2023:兔",        "0:猴",    "12:猴",        "1:鸡",          "12.5:猴", "13.5:狗",
              ":无法判断",      "2000:龙", "abc:无法判断", "20ab:无法判断", "-1:羊",   "-12:猴",
              "-13:羊",         "-11:鸡",  "-0.5:猴",      "1e10:鼠",       "-1e9:龙", "1e99:无法判断",
              "1e308:无法判断", "1e10:鼠"});
    EXPECT_EQ(f1.Frame5->caption(), QStringLiteral("十二生肖"));
}

// Every box's title, style and text: the tips and About boxes, then the feedback. Only a
// bare "C" or "c" leads on to the offer of a message; Yes asks for it (kept or cancelled
// alike), No leaves the main window as it was.
TEST_F(ToolsTest, TipsAboutAndFeedbackBoxes)
{
    const auto boxes = [this] {
        QStringList all = app.desktop.prompts;
        for (const auto &m : std::exchange(app.desktop.messages, {}))
            all << QStringLiteral("%1|%2|%3").arg(m.title).arg(m.style).arg(m.text);
        app.desktop.prompts.clear();
        return all;
    };
    choose(t.mnuxjq);
    choose(t.mnubenzhus);
    EXPECT_EQ(
        boxes(),
        (QStringList{QStringLiteral("小技巧|0|本应用的小技巧：\r\n1.在主页面中双击可显示当前日期时间。\r\n"
                                    "2.在简易计算器里的空白处双击可清空数值。\r\n"
                                    "3.在 关机2 方式中双击空白处可显示当前系统时间\r\n4.更新中..."),
                     QStringLiteral("信息|0|本程序应用安全无毒，请放心使用！\r\n如遇问题请联系Morvane项目组，"
                                    "即时通讯：morvane-team\r\n更高版本敬请期待！")}));

    const QString rating =
        QStringLiteral("用户反馈|请为本应用程序作出评价：\r\nA.满意！\r\nB.还行！\r\nC.差！");
    const QString message = QStringLiteral("用户留言|请输入您的留言：");
    const QString bye = QStringLiteral("提交成功|0|感谢您的评价！再见~");
    const QString offer = QStringLiteral(
        "提交成功|36|感谢您的评价，是否对需要留言~\r\n点击”是“给我们留言~\r\n点击”否“返回首页  ");
    const QString thanks = QStringLiteral("提交成功|0|感谢您的反馈~");
    for (const char *other : {"A", "b", "C ", " c", "C.差！", ""}) { // "" when cancelled
        app.desktop.answerText(QString::fromUtf8(other));
        choose(t.mnufk);
        EXPECT_EQ(boxes(), (QStringList{rating, bye})) << other;
    }
    const struct {
        const char *rating;
        int answer; // to the offer
        const char *message;
        QStringList boxes;
    } rows[] = {{"C", MsgResult::Yes, "太慢了", {rating, message, offer, thanks}},
                {"c", MsgResult::Yes, "", {rating, message, offer, thanks}}, // the message cancelled
                {"c", MsgResult::No, nullptr, {rating, offer}}};
    for (const auto &r : rows) {
        app.desktop.answerText(QString::fromUtf8(r.rating));
        app.desktop.answer(r.answer);
        if (r.answer == MsgResult::Yes)
            app.desktop.answerText(QString::fromUtf8(r.message));
        choose(t.mnufk);
        EXPECT_EQ(boxes(), r.boxes) << r.rating;
        EXPECT_TRUE(f1.isVisible() && !f1.isMinimizedState()) << r.rating;
    }
}

} // namespace
