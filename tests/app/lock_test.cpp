#include "app/form1.h"
#include "platform/qt_desktop.h"
#include "support/countdown_support.h"

#include <QAccessible>
#include <QApplication>
#include <QSessionManager>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString Prompt = QStringLiteral("请设置锁定本应用的密码：\r\n1.密码如使用特殊符号可能出现无法解锁。\r\n"
                                      "2.应用锁定后不影响后台运行。\r\n3.锁定后需解锁后才能关闭应用。");

QString summary(const QString &password)
{
    return QStringLiteral("本次设置锁定的密码为:   ") + password +
           QStringLiteral(
               "\r\n1.应用锁定后需要输入正确的密码才可使用。\r\n2.此密码仅对本次生肖。\r\n3.请勿强制关闭！");
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
    // What a press outside the lock panel would change.
    std::vector<int> outside()
    {
        return {int(app.desktop.messages.size()),
                int(app.desktop.prompts.size()),
                int(app.desktop.commands.size()),
                app.forms.form2.exists(),
                f.menuClicks,
                app.quitCalls};
    }
};

TEST_F(Lock, SettingAsksConfirmsTwiceThenLocks)
{
    // The window is locked only after both boxes.
    auto notYetLocked = [this] {
        EXPECT_FALSE(f.isLocked);
        EXPECT_FALSE(f.Frame2->isVisible());
        return MsgResult::Ok;
    };
    app.desktop.answerWith(notYetLocked);
    app.desktop.answerWith(notYetLocked);
    QStringList printed;
    static QStringList *sink;
    sink = &printed;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) { *sink << m; });
    lock(QStringLiteral(" Pass word "));
    tryPassword(QStringLiteral(" Pass word "));
    qInstallMessageHandler(previous);

    EXPECT_EQ(app.desktop.prompts, QStringList{Prompt});
    EXPECT_EQ(app.desktop.promptTitles, QStringList{QStringLiteral("密码设置提示")});
    ASSERT_EQ(app.desktop.messages.size(), 2u);
    EXPECT_EQ(app.desktop.messages[0].text, summary(QStringLiteral(" Pass word ")));
    EXPECT_EQ(app.desktop.messages[1].text, QStringLiteral("设置成功！"));
    for (const auto &m : app.desktop.messages) {
        EXPECT_EQ(m.style, MsgStyle::Ok);
        EXPECT_EQ(m.title, QStringLiteral("提示"));
    }
    EXPECT_FALSE(printed.join(QLatin1Char('\n')).contains(QStringLiteral("Pass word")));
}

TEST_F(Lock, TheLockedWindow)
{
    QTest::mousePress(f.Command3, Qt::LeftButton);
    for (Frame *panel : {f.Frame3, f.Frame4, f.Frame5})
        panel->show();
    lock(QStringLiteral("pw"));
    EXPECT_TRUE(f.isLocked);
    EXPECT_TRUE(f.Frame2->isVisible());
    for (QWidget *w : std::initializer_list<QWidget *>{f.Label6, f.Label8, f.Text1, f.Command10})
        EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(f.Label9->isVisible());
    for (Frame *panel : {f.Frame3, f.Frame4, f.Frame5})
        EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(f.mnudgn->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), f.Text1);
    EXPECT_EQ(f.Text1->echoMode(), QLineEdit::Password);
    // Covered, not disabled or hidden.
    for (QWidget *w :
         {f.Command1, f.Command2, f.Command8, f.Command5, f.Command7, f.Command4, f.Command3, f.Command9})
        EXPECT_TRUE(w->isVisible() && w->isEnabled());
}

TEST_F(Lock, AnEmptyAnswerChangesNothingAndShowsNothing)
{
    lock(QStringLiteral("first"));
    tryPassword(QStringLiteral("first"));
    const auto before = app.desktop.messages.size();
    lock(QString());
    EXPECT_EQ(app.desktop.messages.size(), before);
    EXPECT_FALSE(f.isLocked);
    EXPECT_FALSE(f.Frame2->isVisible());
    EXPECT_EQ(f.lockPassword, QStringLiteral("first"));
}

// Each row locks with a password, is refused every near miss, and unlocks with the exact one.
TEST_F(Lock, OnlyTheExactPasswordUnlocks)
{
    const struct {
        const char *password;
        std::vector<const char *> misses;
    } rows[] = {
        {"   ", {"", "  ", "    "}},
        {" ab ", {"ab", " ab", "ab ", "AB"}},
        {"Secret", {"secret", "SECRET", "Secret ", "Secre"}},
        {"x", {"X"}}, // a new password replaces the old
        {"x", {}},    // the same again: the field still holds it, Enter unlocks at once
    };
    for (const auto &row : rows) {
        const QString password = QString::fromLatin1(row.password);
        lock(password);
        for (const char *miss : row.misses) {
            tryPassword(QString::fromLatin1(miss));
            EXPECT_TRUE(f.isLocked && f.Frame2->isVisible()) << row.password << " / " << miss;
            EXPECT_TRUE(f.Label9->isVisible()) << miss;
            EXPECT_EQ(f.Text1->text(), QString::fromLatin1(miss)) << "never cleared";
        }
        if (row.misses.empty())
            key(Qt::Key_Return);
        else
            tryPassword(password);
        EXPECT_FALSE(f.isLocked) << row.password;
        EXPECT_FALSE(f.Frame2->isVisible()) << row.password;
        EXPECT_EQ(f.Text1->text(), password) << "never cleared";
    }
    lock(QStringLiteral("new"));
    QTest::mouseClick(f.Command10, Qt::LeftButton); // the field holds the old one
    EXPECT_TRUE(f.isLocked);
}

TEST_F(Lock, TheErrorLineFollowsTriesAndKeystrokes)
{
    lock(QStringLiteral("pw"));
    const struct {
        Qt::Key key;
        bool shown;
    } steps[] = {{Qt::Key_Return, true},     {Qt::Key_Q, false},     {Qt::Key_Return, true},
                 {Qt::Key_Backspace, false}, {Qt::Key_Space, false}, {Qt::Key_Return, true},
                 {Qt::Key_Tab, true},        {Qt::Key_Space, true}};
    for (const auto &step : steps) {
        key(step.key);
        EXPECT_EQ(f.Label9->isVisible(), step.shown) << step.key;
    }
    EXPECT_EQ(QApplication::focusWidget(), f.Command10) << "Space pressed 解锁";
}

TEST_F(Lock, CloseIsRefusedWhileLockedExceptAtTheSessionsEnd)
{
    lock(QStringLiteral("pw"));
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.isMinimizedState());
    EXPECT_TRUE(f.isLocked && f.Frame2->isVisible());
    EXPECT_EQ(app.desktop.messages.back().text, QStringLiteral("应用未解锁，无法退出！"));
    EXPECT_EQ(app.desktop.messages.back().title, QStringLiteral("提示"));

    QtDesktop real; // connects to the application's session signals
    alignas(QSessionManager) char storage[sizeof(QSessionManager)] = {};
    emit qApp->commitDataRequest(*reinterpret_cast<QSessionManager *>(storage));
    EXPECT_TRUE(f.close());
    setSessionEnding(false);
}

TEST_F(Lock, UnlockingRestoresNeitherPanelsNorMenu)
{
    QTest::mousePress(f.Command3, Qt::LeftButton);
    f.Frame4->show();
    lock(QStringLiteral("pw"));
    tryPassword(QStringLiteral("pw"));
    EXPECT_EQ(QApplication::focusWidget(), f.Command9) << "back on S, where it was; not on 关机";
    EXPECT_FALSE(f.mnudgn->isVisible());
    EXPECT_FALSE(f.Frame4->isVisible());
    EXPECT_EQ(f.Command3->caption(), QStringLiteral("↑"));
    EXPECT_EQ(f.menuClicks, 2);
    QTest::mousePress(f.Command3, Qt::LeftButton);
    EXPECT_EQ(f.Command3->caption(), QStringLiteral("↓"));
    EXPECT_FALSE(f.mnudgn->isVisible());
    QTest::mousePress(f.Command3, Qt::LeftButton);
    EXPECT_TRUE(f.mnudgn->isVisible());
}

// Tab and Shift+Tab never even pass through a covered control (a screen reader would
// announce it).
TEST_F(Lock, TabCyclesWithinThePanel)
{
    lock(QStringLiteral("pw"));
    QWidgetList focused;
    QObject listening; // goes before `focused`
    QObject::connect(qApp, &QApplication::focusChanged, &listening,
                     [&](QWidget *, QWidget *now) { focused << now; });
    for (Qt::Key k : {Qt::Key_Tab, Qt::Key_Backtab}) {
        for (int i = 1; i <= 9; ++i) {
            key(k);
            EXPECT_EQ(QApplication::focusWidget(), i % 2 ? static_cast<QWidget *>(f.Command10) : f.Text1)
                << k << " x" << i;
        }
        key(k);
    }
    EXPECT_EQ(focused.size(), 20);
    for (QWidget *w : focused)
        EXPECT_TRUE(w == f.Text1 || w == f.Command10) << w->metaObject()->className();
}

// Unlocked, a key sequence of the table presses a button; locked, none presses anything
// outside the lock panel.
TEST_F(Lock, NoKeySequencePressesACoveredControl)
{
    using Keys = std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>;
    std::vector<Keys> sequences;
    for (int n = 0; n <= 12; ++n) {
        for (Qt::Key move : {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Right, Qt::Key_Down, Qt::Key_Up})
            for (Qt::Key press : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
                Keys keys(size_t(n), {move, Qt::NoModifier});
                keys.push_back({press, Qt::NoModifier});
                sequences.push_back(keys);
            }
    }
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k)
        sequences.push_back({{Qt::Key(k), Qt::AltModifier}, {Qt::Key_Space, Qt::NoModifier}});
    for (int k = Qt::Key_F1; k <= Qt::Key_F12; ++k)
        for (Qt::KeyboardModifiers mods :
             {Qt::NoModifier, Qt::AltModifier, Qt::ControlModifier, Qt::ShiftModifier})
            sequences.push_back({{Qt::Key(k), mods}});
    sequences.push_back({{Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_Return, Qt::ControlModifier}});

    // The same keys do reach the buttons while unlocked: Tab from 关机 to 重启, then Space.
    f.Command1->setFocus();
    app.desktop.answer(MsgResult::Cancel);
    key(Qt::Key_Tab);
    key(Qt::Key_Space);
    ASSERT_EQ(app.desktop.messages.size(), 1u);
    EXPECT_EQ(app.desktop.messages[0].text, QStringLiteral("你确定要重启这台电脑吗？"));

    lock(QStringLiteral("pw"));
    const auto before = outside();
    for (const Keys &keys : sequences) {
        for (const auto &[k, mods] : keys)
            key(k, mods);
        EXPECT_EQ(outside(), before) << "after " << keys.size() << " keys ending in " << keys.back().first;
        EXPECT_TRUE(f.isLocked && f.Frame2->isVisible());
        ASSERT_TRUE(QApplication::focusWidget() == f.Text1 || QApplication::focusWidget() == f.Command10);
    }
}

TEST_F(Lock, AssistiveTechnologyHearsNoPasswordAndPressesOnlyThePanel)
{
    QAccessible::setActive(true);
    lock(QStringLiteral("Secret"));
    QTest::keyClicks(f.Text1, QStringLiteral("Secr"));
    QAccessibleInterface *field = QAccessible::queryAccessibleInterface(f.Text1);
    ASSERT_TRUE(field);
    EXPECT_TRUE(field->state().passwordEdit);
    EXPECT_FALSE(field->text(QAccessible::Value).contains(QStringLiteral("Secr")));
    EXPECT_FALSE(field->textInterface()->text(0, 4).contains(QStringLiteral("Secr")));

    auto press = [](QWidget *button) {
        QAccessibleActionInterface *actions =
            QAccessible::queryAccessibleInterface(button)->actionInterface();
        const bool offered = actions->actionNames().contains(QAccessibleActionInterface::pressAction());
        actions->doAction(QAccessibleActionInterface::pressAction());
        return offered;
    };
    const auto before = outside();
    for (QWidget *w :
         {f.Command1, f.Command2, f.Command8, f.Command5, f.Command7, f.Command4, f.Command3, f.Command9}) {
        EXPECT_FALSE(press(w)) << w->metaObject()->className();
        QAccessible::queryAccessibleInterface(w)->actionInterface()->doAction(
            QAccessibleActionInterface::setFocusAction());
        EXPECT_EQ(QApplication::focusWidget(), f.Text1);
    }
    EXPECT_EQ(outside(), before);
    EXPECT_TRUE(press(f.Command10));
    EXPECT_TRUE(f.Label9->isVisible());

    f.Text1->setText(QStringLiteral("Secret"));
    EXPECT_TRUE(press(f.Command10));
    EXPECT_FALSE(f.isLocked);
    app.desktop.answer(MsgResult::Cancel);
    EXPECT_TRUE(press(f.Command2));
    EXPECT_EQ(app.desktop.messages.back().text, QStringLiteral("你确定要重启这台电脑吗？"));
    QAccessible::setActive(false);
}

TEST(LockWhileCounting, ACountdownSetBeforeLockingStillFires)
{
    TestApp app;
    Form2 &countdown = openForm2(app);
    startCountdown(countdown, "30");
    QTest::mouseClick(countdown.Command2, Qt::LeftButton); // 返回
    Form1 &f = app.forms.form1();
    app.desktop.answerText(QStringLiteral("pw"));
    QTest::mouseClick(f.Command9, Qt::LeftButton);
    ASSERT_TRUE(f.isLocked);
    app.desktop.advance(29900);
    EXPECT_TRUE(app.desktop.commands.isEmpty());
    app.desktop.advance(200);
    EXPECT_EQ(app.desktop.commands, QStringList{shutdownLine()});
    EXPECT_TRUE(f.isLocked);
}

} // namespace
