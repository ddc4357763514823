#include "support/tools_support.h"

#include <functional>

namespace {

using Panels = ToolsTest;

// Each item, chosen from the opened menu or by its key while the menu shows, opens its
// panel or its box; with the menu hidden its key does nothing.
TEST_F(Panels, EachItemActsFromTheMenuAndByItsKey)
{
    const struct {
        MenuItem *Tools::*item;
        const char *caption;
        const char *keys;
        const char *panel; // or, for a box, its title
        bool box;
    } items[] = {
        {&Tools::mnusx, "十二生肖", "F1", "Frame5", false},
        {&Tools::mnupdrn, "判断闰年", "F2", "Frame4", false},
        {&Tools::mnujsq, "简易计算器", "F3", "Frame3", false},
        {&Tools::mnufk, "用户反馈", "Ctrl+Shift+F8", "提交成功", true},
        {&Tools::mnuxjq, "助手小技巧", "Ctrl+Shift+F7", "小技巧", true},
        {&Tools::mnubenzhus, "关于本应用", "F12", "信息", true},
    };
    QList<QAction *> order;
    for (const auto &row : items) {
        MenuItem *item = t.*row.item;
        order << item;
        EXPECT_EQ(item->text(), QString::fromUtf8(row.caption));
        const QKeySequence keys(QString::fromLatin1(row.keys));
        EXPECT_EQ(item->shortcut(), keys) << row.caption;
        auto effect = [&] {
            const QString seen =
                row.box && !app.desktop.messages.empty() ? app.desktop.messages.back().title : openPanels();
            app.desktop.messages.clear();
            app.desktop.prompts.clear();
            for (Frame *frame : {f1.Frame3, f1.Frame4, f1.Frame5})
                frame->hide();
            return seen;
        };
        choose(item);
        EXPECT_EQ(effect(), QString::fromUtf8(row.panel)) << row.caption << " from the menu";
        press(keys);
        EXPECT_EQ(effect(), QString::fromUtf8(row.panel)) << row.caption << " by " << row.keys;
    }
    EXPECT_EQ(qobject_cast<QMenu *>(t.mnusx->parent())->actions(), order);

    QTest::mouseClick(f1.Command3, Qt::LeftButton); // hides the menu
    for (const auto &row : items)
        press(QKeySequence(QString::fromLatin1(row.keys)));
    EXPECT_EQ(openPanels(), QString());
    EXPECT_TRUE(app.desktop.messages.empty());
    EXPECT_TRUE(app.desktop.prompts.isEmpty());
}

// One panel at a time; "×" closes it; what it showed comes back with it, whoever hid it.
TEST_F(Panels, OneAtATimeAndEachKeepsItsContents)
{
    EXPECT_EQ(openPanels(), QString());
    choose(t.mnujsq);
    type(t.Text2, QStringLiteral("7"));
    type(t.Text3, QStringLiteral("2"));
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    choose(t.mnupdrn);
    EXPECT_EQ(openPanels(), QStringLiteral("Frame4"));
    QTest::mouseClick(t.Text5, Qt::LeftButton);
    QTest::keyClicks(t.Text5, QStringLiteral("2024"));
    QTest::mouseClick(t.Command12, Qt::LeftButton);
    choose(t.mnusx);
    EXPECT_EQ(openPanels(), QStringLiteral("Frame5"));
    QTest::keyClicks(t.Text6, QStringLiteral("abc"));
    QTest::mouseClick(t.Command13, Qt::LeftButton);

    QTest::mouseClick(f1.Command3, Qt::LeftButton);
    EXPECT_EQ(openPanels(), QStringLiteral("Frame5")) << "hiding the menu leaves the panel open";
    QTest::mouseClick(t.Label14, Qt::LeftButton);
    EXPECT_EQ(openPanels(), QString());
    QTest::mouseClick(f1.Command3, Qt::LeftButton);

    // Closed by its "×", by another panel, or from outside (as the lock does): each
    // reopens as it was.
    const struct {
        MenuItem *Tools::*item;
        std::function<void()> close;
        TextBox *field;
        QString text;
        Label *verdict;
        const char *caption;
    } panels[] = {
        {&Tools::mnujsq, [&] { QTest::mouseClick(t.Label11, Qt::LeftButton); }, t.Text4, "9", t.Label10, "+"},
        {&Tools::mnupdrn, [&] { choose(t.mnujsq); }, t.Text5, "2024", t.Label12, "是闰年"},
        {&Tools::mnusx, [&] { f1.Frame5->setVisible(false); }, t.Text6, "abc", t.Label15, "无法判断"},
    };
    for (const auto &p : panels) {
        choose(t.*p.item);
        choose(t.*p.item); // choosing the open one again changes nothing
        const QString open = openPanels();
        p.close();
        EXPECT_NE(openPanels(), open);
        f1.Command1->setFocus();
        choose(t.*p.item);
        EXPECT_EQ(openPanels(), open);
        EXPECT_EQ(p.field->text(), p.text);
        EXPECT_EQ(p.verdict->caption(), QString::fromUtf8(p.caption));
        EXPECT_EQ(f1.focusWidget(), f1.Command1) << "opening a panel moves no focus";
    }
    EXPECT_EQ(f1.Frame4->caption(), QStringLiteral("闰年判断器"));
    EXPECT_EQ(f1.Frame5->caption(), QStringLiteral("十二生肖"));
    EXPECT_EQ(t.Label15->foreColor(), Colour::Red);
}

} // namespace
