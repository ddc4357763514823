#include "forms/tools/tools.h"
#include "support/user_steps.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>

namespace {

QString str(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

// Every control that receives the focus, seen before the window sees it.
struct FocusLog : QObject {
    QObjectList got;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn && watched->isWidgetType())
            got << watched;
        return false;
    }
};

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
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, mods);
    }
    // Types over whatever the field holds, then presses Enter.
    void tryPassword(const QString &typed)
    {
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_Backspace);
        QTest::keyClicks(QApplication::focusWidget(), typed);
        key(Qt::Key_Return);
    }
};

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
    static QStringList printed;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) { printed << m; });
    lock(str(" Pass word "));
    qInstallMessageHandler(previous);
    EXPECT_FALSE(printed.join(u'\n').contains(str("Pass word"))) << "the password is written nowhere";

    EXPECT_EQ(app.desktop.prompts,
              QStringList{QStringLiteral(
                  "密码设置提示|请设置锁定本应用的密码：\r\n1.密码如使用特殊符号可能出现无法解锁。"
                  "\r\n2.应用锁定后不影响后台运行。\r\n3.锁定后需解锁后才能关闭应用。")});
    ASSERT_EQ(app.desktop.messages.size(), 2u);
    EXPECT_EQ(app.desktop.messages[0].text, QStringLiteral("本次设置锁定的密码为:    Pass word \r\n1."
                                                           "应用锁定后需要输入正确的密码才可使用。\r\n2."
                                                           "此密码仅对本次生肖。\r\n3.请勿强制关闭！"));
    EXPECT_EQ(app.desktop.messages[1].text, QStringLiteral("设置成功！"));
    for (const auto &m : app.desktop.messages)
        EXPECT_TRUE(m.style == MsgStyle::Ok && m.title == QStringLiteral("提示"));
    EXPECT_TRUE(f.isLocked && f.Frame2->isVisible() && f.Text1->isVisible() && f.Command10->isVisible());
    EXPECT_FALSE(f.Label9->isVisible() || f.Frame3->isVisible() || f.Frame4->isVisible() ||
                 f.Frame5->isVisible() || f.mnudgn->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), f.Text1);
    EXPECT_EQ(f.Text1->echoMode(), QLineEdit::Password);
    for (QWidget *w :
         {f.Command1, f.Command2, f.Command8, f.Command5, f.Command7, f.Command4, f.Command3, f.Command9})
        EXPECT_TRUE(w->isVisible() && w->isEnabled()) << "covered, neither hidden nor disabled";
}

// Each row locks with a password, is refused Enter on the field the lock emptied and every
// near miss (the field keeps what was typed, the error line shows until the next keystroke),
// and unlocks with the exact one.
TEST_F(Lock, OnlyTheExactPasswordUnlocks)
{
    lock(QString()); // Cancel, or OK on an empty field
    EXPECT_TRUE(app.desktop.messages.empty());
    EXPECT_FALSE(f.isLocked || f.Frame2->isVisible());
    const struct {
        const char *password;
        std::vector<const char *> misses;
    } rows[] = {
        {"   ", {"", "  ", "    "}},
        {" ab ", {"ab", " ab", "ab ", " AB "}},
        {"Secret", {"secret", "SECRET", "Secre"}},
        {"x", {"X", "Secret"}}, // a new password replaces the old
        {"x", {}},              // the same again: what unlocked the last lock is gone
    };
    for (const auto &row : rows) {
        lock(str(row.password));
        EXPECT_EQ(f.Text1->text(), QString()) << row.password;
        key(Qt::Key_Return);
        EXPECT_TRUE(f.isLocked && f.Label9->isVisible()) << row.password << ": Enter alone unlocked";
        for (const char *miss : row.misses) {
            tryPassword(str(miss));
            EXPECT_TRUE(f.isLocked && f.Frame2->isVisible() && f.Label9->isVisible()) << row.password << miss;
            EXPECT_EQ(f.Text1->text(), str(miss));
            key(Qt::Key_Space);
            EXPECT_FALSE(f.Label9->isVisible()) << "a keystroke hides the error line";
        }
        tryPassword(str(row.password));
        EXPECT_FALSE(f.isLocked || f.Frame2->isVisible()) << row.password;
        EXPECT_EQ(f.Text1->text(), str(row.password));
    }
    lock(QString());
    EXPECT_EQ(f.lockPassword, str("x")) << "an empty answer keeps the password";
}

// Locked: a countdown set before still fires; the close box is refused with a box. Unlocked:
// neither the panels nor the menu the lock put away come back, and the focus goes back to
// "S", where it was, not to 关机. At the session's end a close is never refused.
TEST_F(Lock, WhatGoesOnWhileLockedAndWhatUnlockingRestores)
{
    QTest::mouseClick(f.Command5, Qt::LeftButton); // 关机1
    startCountdown(app.forms.form2(), "30");
    QTest::mouseClick(app.forms.form2().Command2, Qt::LeftButton); // 返回
    QTest::mousePress(f.Command3, Qt::LeftButton);
    f.Frame4->show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    lock(str("pw"));
    app.desktop.advance(29900);
    EXPECT_TRUE(app.desktop.commands.isEmpty());
    app.desktop.advance(200);
    EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()});
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isVisible() && !f.isMinimizedState() && f.isLocked && f.Frame2->isVisible());
    EXPECT_EQ(app.desktop.messages.back().title + app.desktop.messages.back().text,
              QStringLiteral("提示应用未解锁，无法退出！"));

    tryPassword(str("pw"));
    EXPECT_EQ(QApplication::focusWidget(), f.Command9);
    EXPECT_FALSE(f.mnudgn->isVisible() || f.Frame4->isVisible());
    EXPECT_EQ(f.Command3->caption(), QStringLiteral("↑"));
    for (bool shown : {false, true}) {
        QTest::mousePress(f.Command3, Qt::LeftButton);
        EXPECT_EQ(f.mnudgn->isVisible(), shown);
    }
    lock(str("pw"));
    app.desktop.sessionEnds = true;
    EXPECT_TRUE(f.close());
}

// Unlocked, the keys reach the buttons; locked, no sequence presses anything outside the
// panel, and the focus never even passes through a covered control, which a screen reader
// would announce.
TEST_F(Lock, NoKeySequencePressesACoveredControl)
{
    f.Command1->setFocus();
    app.desktop.answer(MsgResult::Cancel);
    key(Qt::Key_Tab);
    key(Qt::Key_Space);
    ASSERT_EQ(app.desktop.messages.size(), 1u) << "Tab went to 重启, Space pressed it";

    lock(str("pw"));
    for (Qt::Key k : {Qt::Key_Tab, Qt::Key_Backtab}) {
        for (int i = 1; i <= 4; ++i) {
            key(k);
            EXPECT_EQ(QApplication::focusWidget(), i % 2 ? static_cast<QWidget *>(f.Command10) : f.Text1);
        }
    }
    using Keys = std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>;
    std::vector<Keys> sequences;
    for (size_t n = 0; n <= 12; ++n)
        for (Qt::Key move : {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Right, Qt::Key_Down, Qt::Key_Up})
            for (Qt::Key press : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
                sequences.emplace_back(n, std::make_pair(move, Qt::NoModifier));
                sequences.back().push_back({press, Qt::NoModifier});
            }
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k)
        sequences.push_back({{Qt::Key(k), Qt::AltModifier}, {Qt::Key_Space, Qt::NoModifier}});
    for (int k = Qt::Key_F1; k <= Qt::Key_F12; ++k)
        for (Qt::KeyboardModifiers mods :
             {Qt::NoModifier, Qt::AltModifier, Qt::ControlModifier, Qt::ShiftModifier})
            sequences.push_back({{Qt::Key(k), mods}});
    sequences.push_back({{Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_Return, Qt::ControlModifier}});

    FocusLog log;
    qApp->installEventFilter(&log);
    // What a press of a control outside the lock panel would change.
    const auto outside = [this] {
        return QStringLiteral("%1 %2 %3 %4 %5 %6")
            .arg(app.desktop.messages.size())
            .arg(app.desktop.prompts.size())
            .arg(app.desktop.commands.size())
            .arg(app.forms.form2.exists())
            .arg(f.menuClicks)
            .arg(app.quitCalls);
    };
    const QString before = outside();
    for (const Keys &keys : sequences) {
        for (const auto &[k, mods] : keys)
            key(k, mods);
        EXPECT_EQ(outside(), before) << keys.size() << " keys ending in " << keys.back().first;
        EXPECT_TRUE(f.isLocked && f.Frame2->isVisible());
    }
    EXPECT_GT(log.got.size(), 400) << "Tab and Shift+Tab moved the focus hundreds of times";
    for (QObject *o : log.got)
        ASSERT_TRUE(o == f.Text1 || o == f.Command10) << o->metaObject()->className();

    // Nor does a screen reader's press, or the program's own trigger, on a covered button or
    // on an item of the menu that the lock put away.
    auto *menu = qobject_cast<QMenu *>(f.tools().mnujsq->parent());
    QAccessibleInterface *items = QAccessible::queryAccessibleInterface(menu);
    ASSERT_EQ(items->childCount(), 6);
    for (int i = 0; i < items->childCount(); ++i)
        items->child(i)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    for (QAction *item : menu->actions())
        item->trigger();
    for (QWidget *button : {f.Command1, f.Command3, f.Command4, f.Command5, f.Command9})
        QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
    EXPECT_EQ(outside(), before);
    EXPECT_FALSE(f.Frame3->isVisible() || f.Frame4->isVisible() || f.Frame5->isVisible());
}

} // namespace
