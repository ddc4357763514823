#include "forms/tools/tools.h"
#include "support/user_steps.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>

namespace {

using namespace Qt::StringLiterals;

// What the main window shows while locked.
const QString Locked =
    QStringLiteral("Command1 Command2 Command8 Command5 Command7 Command4 Command3 Command9 Label5 Frame2");

QString str(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

// The main window past loading and active, so that keys go where a user's keys would go.
class Lock : public ::testing::Test {
protected:
    TestApp app;
    Form1 &f = app.forms.form1();

    void SetUp() override
    {
        app.finishLoading();
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    }
    // Presses "S" and types the password into the input box; both boxes answer OK.
    void lock(const QString &password)
    {
        app.desktop.answerText(password);
        QTest::mouseClick(f.Command9, Qt::LeftButton);
    }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    // Types over whatever the field holds, then presses Enter.
    void tryPassword(const QString &typed)
    {
        typeOver(QApplication::focusWidget(), typed);
        key(Qt::Key_Return);
    }
};

// The password is asked for and confirmed in two boxes before anything is locked; then the
// panel covers the window (nothing under it hidden or disabled), the tool panels and the
// menu are put away, the field has the focus and shows no password.
TEST_F(Lock, SettingAsksConfirmsTwiceThenLocks)
{
    QTest::mousePress(f.Command3, Qt::LeftButton); // the menu shows
    for (Frame *panel : {f.Frame3, f.Frame4, f.Frame5})
        panel->show();
    for (int box = 0; box < 2; ++box) {
        app.desktop.answerWith([this] {
            EXPECT_FALSE(f.isLocked || f.Frame2->isVisible()) << "locked only after both boxes";
            return MsgResult::Ok;
        });
    }
    lock(str(" Pass word "));
    ASSERT_EQ(app.desktop.messages.size(), 2u);
    EXPECT_EQ(app.desktop.prompts.value(0).left(19), QStringLiteral("密码设置提示|请设置锁定本应用的密码："));
    EXPECT_TRUE(
        app.desktop.messages[0].text.startsWith(QStringLiteral("本次设置锁定的密码为:    Pass word \r\n")))
        << "the password as typed, blanks and all";
    EXPECT_EQ(app.desktop.messages[1].title, QStringLiteral("提示"));
    EXPECT_EQ(app.desktop.messages[1].text, QStringLiteral("设置成功！"));
    EXPECT_TRUE(app.desktop.messages[0].text.contains(QStringLiteral("\r\n2.此密码仅对本次生肖。\r\n")))
        << "the box's own words, as they stand";
    EXPECT_TRUE(f.isLocked);
    EXPECT_EQ(shownControls(f.client()), Locked) << "every button under the lock panel; no tool panel";
    EXPECT_FALSE(f.Label9->isVisible()) << "the error line";
    EXPECT_FALSE(f.mnudgn->isVisible()) << "the menu";
    EXPECT_EQ(QApplication::focusWidget(), f.Text1);
    EXPECT_EQ(f.Text1->echoMode(), QLineEdit::Password);
    for (QWidget *w : {f.Command1, f.Command5, f.Command4, f.Command3, f.Command9})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString() << ": covered, not disabled";
}

// Each row locks with a password, is refused Enter on the field the lock emptied and every
// near miss (the field keeps what was typed, the error line shows until the next keystroke),
// and unlocks with the exact one. Cancel locks nothing and keeps the password.
TEST_F(Lock, OnlyTheExactPasswordUnlocks)
{
    const struct {
        const char *password;
        std::vector<const char *> misses;
    } rows[] = {
        {"   ", {"  ", "    "}},
        {" ab ", {"ab", " ab", "ab ", " AB "}},
        {"Secret", {"secret", "Secre"}},
        {"x", {"X", "Secret"}}, // a new password replaces the old
        {"x", {}},              // the same again: what unlocked the last lock is gone
    };
    for (const auto &row : rows) {
        lock(str(row.password));
        EXPECT_EQ(f.Text1->text(), QString()) << row.password;
        key(Qt::Key_Return);
        EXPECT_TRUE(f.isLocked) << row.password << ": Enter alone unlocked";
        EXPECT_TRUE(f.Label9->isVisible()) << row.password << ": Enter alone, the error line";
        for (const char *miss : row.misses) {
            tryPassword(str(miss));
            EXPECT_TRUE(f.isLocked) << row.password << " unlocked by " << miss;
            EXPECT_TRUE(f.Label9->isVisible()) << row.password << " " << miss << ": the error line";
            EXPECT_EQ(f.Text1->text(), str(miss)) << "kept";
            key(Qt::Key_Space);
            EXPECT_FALSE(f.Label9->isVisible()) << "a keystroke hides the error line";
        }
        tryPassword(str(row.password));
        EXPECT_FALSE(f.isLocked) << row.password;
        EXPECT_FALSE(f.Frame2->isVisible()) << row.password << ": the lock panel";
    }
    const size_t boxes = app.desktop.messages.size();
    lock(QString()); // Cancel, or OK on an empty field
    EXPECT_EQ(app.desktop.messages.size(), boxes) << "cancelled: no box";
    EXPECT_FALSE(f.isLocked) << "cancelled";
    EXPECT_FALSE(f.Frame2->isVisible()) << "cancelled: the lock panel";
    EXPECT_EQ(f.lockPassword, str("x")) << "cancelled: the last password kept";
}

// Locked: a countdown set before still fires, the close box is refused with a box, and no
// key, screen reader's press or trigger reaches anything under the panel or the menu it put
// away. Unlocked, the focus goes back to "S", where it was; the menu stays away. At the
// session's end a close is never refused.
TEST_F(Lock, WhatGoesOnWhileLockedAndWhatUnlockingRestores)
{
    QTest::mouseClick(f.Command5, Qt::LeftButton); // 关机1
    startCountdown(app.forms.form2(), "30");
    QTest::mouseClick(app.forms.form2().Command2, Qt::LeftButton); // 返回
    QTest::mousePress(f.Command3, Qt::LeftButton);
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    lock(str("pw"));
    app.desktop.advance(30100);
    EXPECT_EQ(app.desktop.commands, QStringList{ShutdownLine});
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isVisible()) << "the close box";
    EXPECT_FALSE(f.isMinimizedState()) << "the close box";
    EXPECT_TRUE(f.isLocked) << "the close box";
    EXPECT_EQ(app.desktop.messages.back().title, QStringLiteral("提示"));
    EXPECT_EQ(app.desktop.messages.back().text, QStringLiteral("应用未解锁，无法退出！"));

    const size_t boxes = app.desktop.messages.size();
    const int menuClicks = f.menuClicks;
    for (Qt::Key k :
         {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_F3})
        key(k);
    auto *menu = qobject_cast<QMenu *>(f.tools().mnujsq->parent());
    QAccessibleInterface *items = QAccessible::queryAccessibleInterface(menu);
    for (int i = 0; i < items->childCount(); ++i)
        items->child(i)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    for (QAction *item : menu->actions())
        item->trigger();
    EXPECT_EQ(app.desktop.messages.size(), boxes) << "a box";
    EXPECT_EQ(app.desktop.prompts.size(), 1) << "an input box";
    EXPECT_EQ(f.menuClicks, menuClicks) << "the menu";
    EXPECT_EQ(shownControls(f.client()), QString(Locked).replace(u"Frame2"_s, u"Label7 Frame2"_s))
        << "the countdown's notice; no tool panel";
    EXPECT_TRUE(f.isLocked);

    QTest::mouseClick(f.Text1, Qt::LeftButton);
    tryPassword(str("pw"));
    EXPECT_FALSE(f.isLocked);
    EXPECT_EQ(QApplication::focusWidget(), f.Command9);
    EXPECT_FALSE(f.mnudgn->isVisible());
    QTest::mousePress(f.Command3, Qt::LeftButton); // still "↑": this press hides the hidden menu
    EXPECT_FALSE(f.mnudgn->isVisible());
    lock(str("pw"));
    app.desktop.sessionEnds = true;
    EXPECT_TRUE(f.close());
}

} // namespace
