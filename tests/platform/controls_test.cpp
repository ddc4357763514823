#include "platform/qt_desktop.h"
#include "platform/window.h"
#include "support/test_app.h"

#include "platform/convert.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <utility>

namespace {

// A window with one control of each kind, logging every event.
struct Probe : Window {
    explicit Probe(Desktop &desktop) : Window(desktop, QStringLiteral("probe"), 6000, 3000)
    {
        QWidget *w = client();
        label = new Label(w, QStringLiteral("a"), 120, 120);
        text = new TextBox(w, QString(), 120, 600, 1200, 315);
        check = new CheckBox(w, QStringLiteral("c"), 120, 1000, 1200, 255);
        combo = new ComboBox(w, 1500, 600, 900, 300);
        ok = new CommandButton(w, QStringLiteral("ok"), 120, 2400, 900, 375);
        back = new CommandButton(w, QStringLiteral("back"), 1200, 2400, 900, 375);
        frame = new Frame(w, QStringLiteral("f"), Frame::WithBorder, 3000, 120, 2400, 1500);
        inFrame = new Label(frame, QStringLiteral("in"), 240, 480);
        for (const char *item : {"15", "30", "60"})
            combo->addItem(QString::fromLatin1(item));
        setDefaultButton(ok);
        setCancelButton(back);
        label->onChange = [this] { log << "label:" + label->caption(); };
        text->onChange = [this] { log << "text:" + text->text(); };
        check->onClick = [this] { log << QStringLiteral("check:%1").arg(check->value()); };
        combo->onClick = [this] { log << QStringLiteral("comboClick:%1").arg(combo->listIndex()); };
        combo->onChange = [this] {
            log << QStringLiteral("comboChange:%1:%2").arg(combo->text()).arg(combo->listIndex());
        };
        ok->onClick = [this] { log << "ok"; };
        back->onClick = [this] { log << "back"; };
        ok->onMouseDown = [this] { log << "okDown"; };
        onDblClick = [this] { log << "dblclick"; };
        frame->onDblClick = [this] { log << "frameDbl"; };
        showWindow();
    }
    QStringList take()
    {
        QStringList out = log;
        log.clear();
        return out;
    }
    QStringList log;
    Label *label;
    TextBox *text;
    CheckBox *check;
    ComboBox *combo;
    CommandButton *ok;
    CommandButton *back;
    Frame *frame;
    Label *inFrame;
};

class Controls : public ::testing::Test {
protected:
    FakeDesktop desktop;
    Probe probe{desktop};
};

TEST_F(Controls, ProgramAssignmentsRunHandlersNestedAndOnlyOnChange)
{
    // Each assignment's handler has run by the time the assignment returns.
    probe.label->setCaption(QStringLiteral("b"));
    probe.log << "after label";
    probe.label->setCaption(QStringLiteral("b"));
    probe.text->setText(QStringLiteral("5"));
    probe.log << "after text";
    probe.text->setText(QStringLiteral("5"));
    probe.check->setValue(1);
    probe.log << "after check";
    probe.check->setValue(1);
    probe.combo->setText(QStringLiteral("20"));
    probe.combo->setText(QStringLiteral("20"));
    probe.check->setValue(0);
    EXPECT_EQ(probe.take(), (QStringList{"label:b", "after label", "text:5", "after text", "check:1",
                                         "after check", "comboChange:20:-1", "check:0"}));
}

TEST_F(Controls, UserEditsRaiseTheSameHandlers)
{
    QTest::keyClicks(probe.text, QStringLiteral("12"));
    QTest::mouseClick(probe.check, Qt::LeftButton);
    EXPECT_EQ(probe.take(), (QStringList{"text:1", "text:12", "check:1"}));
}

TEST_F(Controls, ComboTellsAPickFromTyping)
{
    probe.combo->setFocus();
    QTest::keyClick(probe.combo, Qt::Key_Down); // picks the next entry, as from the list
    QTest::keyClick(probe.combo, Qt::Key_Down);
    EXPECT_EQ(probe.take(), (QStringList{"comboClick:0", "comboClick:1"}));
    EXPECT_EQ(probe.combo->text(), QStringLiteral("30"));

    probe.combo->lineEdit()->selectAll();
    QTest::keyClicks(probe.combo->lineEdit(), QStringLiteral("7"));
    EXPECT_EQ(probe.take(), (QStringList{"comboChange:7:-1"}));
    EXPECT_EQ(probe.combo->listIndex(), -1);
}

// Typed text is a Change with ListIndex -1 whatever it equals; finishing the edit by
// Tab, by a click on another control or by Enter raises no Click.
TEST_F(Controls, FinishingATypedComboEditIsNoPick)
{
    enum Finish { Tab, ClickElsewhere, Enter };
    probe.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&probe));
    for (Finish finish : {Tab, ClickElsewhere, Enter}) {
        for (const char *typed : {"30", "7"}) {
            probe.combo->setFocus();
            QTest::keyClicks(probe.combo->lineEdit(), QString::fromLatin1(typed));
            switch (finish) {
            case Tab: QTest::keyClick(probe.combo->lineEdit(), Qt::Key_Tab); break;
            case ClickElsewhere: QTest::mouseClick(probe.check, Qt::LeftButton); break;
            case Enter: QTest::keyClick(probe.combo->lineEdit(), Qt::Key_Return); break;
            }
            QStringList expected;
            for (int i = 1; i <= int(strlen(typed)); ++i)
                expected << QStringLiteral("comboChange:%1:-1").arg(QString::fromLatin1(typed, i));
            expected << (finish == ClickElsewhere
                             ? QStringList{QStringLiteral("check:%1").arg(probe.check->value())}
                         : finish == Enter ? QStringList{"ok"}
                                           : QStringList{});
            EXPECT_EQ(probe.take(), expected) << typed << " finished by " << finish;
            EXPECT_EQ(probe.combo->listIndex(), -1) << typed << " finished by " << finish;
            probe.combo->setText(QString());
            probe.take();
        }
    }
    // A pick from the list after typing is still a pick.
    probe.combo->setFocus();
    QTest::keyClicks(probe.combo->lineEdit(), QStringLiteral("30"));
    QTest::keyClick(probe.combo, Qt::Key_Down);
    EXPECT_EQ(probe.take().last(), QStringLiteral("comboClick:%1").arg(probe.combo->listIndex()));
    EXPECT_GE(probe.combo->listIndex(), 0);
}

TEST_F(Controls, EnterAndEscPressTheWindowsButtons)
{
    QTest::keyClick(probe.text, Qt::Key_Return);
    QTest::keyClick(probe.text, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(probe.check, Qt::Key_Escape);
    QTest::keyClick(probe.back, Qt::Key_Return); // a focused button takes Enter itself
    probe.ok->setEnabled(false);
    QTest::keyClick(probe.text, Qt::Key_Return);
    probe.ok->setEnabled(true);
    probe.ok->hide();
    QTest::keyClick(probe.text, Qt::Key_Return);
    EXPECT_EQ(probe.take(), (QStringList{"ok", "ok", "back", "back"}));
}

TEST_F(Controls, DoubleClickCountsOnlyOnTheBackground)
{
    const struct {
        QWidget *target;
        QPoint at;
        QStringList expected;
    } cases[] = {
        {probe.client(), QPoint(200, 150), {"dblclick"}},
        {probe.label, QPoint(2, 2), {}},
        {probe.ok, QPoint(5, 5), {"okDown", "ok", "okDown", "ok"}}, // a button sees two clicks
        {probe.inFrame, QPoint(2, 2), {}},
        {probe.frame, QPoint(100, 80), {"frameDbl"}},
    };
    for (const auto &c : cases) {
        userDoubleClick(c.target, c.at);
        EXPECT_EQ(probe.take(), c.expected) << c.target->metaObject()->className();
    }
}

TEST_F(Controls, AnyMouseButtonPressesAButton)
{
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        QTest::mousePress(probe.ok, b);
    QTest::mouseRelease(probe.ok, Qt::LeftButton);
    EXPECT_EQ(probe.take(), (QStringList{"okDown", "okDown", "okDown", "ok"}));
}

TEST_F(Controls, AnEscapedErrorIsReportedAndTheProgramGoesOn)
{
    std::vector<QString> reports;
    setErrorReporter([&](const QString &m) { reports.push_back(m); });
    // The error of a nested handler travels out through the assignment to the event.
    probe.text->onChange = [this] { StrictTextToNumber(probe.text->text()); };
    probe.ok->onClick = [this] {
        probe.text->setText(QStringLiteral("x"));
        probe.log << "not reached";
    };
    QTest::mouseClick(probe.ok, Qt::LeftButton);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("类型不匹配")));
    EXPECT_EQ(probe.take(), QStringList{"okDown"}) << "the click handler stopped at the error";
    QTest::keyClicks(probe.text, QStringLiteral("y")); // a user edit is an event of its own
    EXPECT_EQ(reports.size(), 2u);
    probe.back->onClick = [] { throw std::logic_error("fault"); };
    QTest::mouseClick(probe.back, Qt::LeftButton);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_TRUE(reports[2].endsWith(QStringLiteral("fault")));
    setErrorReporter(nullptr);
}

TEST_F(Controls, ShowingKeepsAMinimisedWindowMinimised)
{
    probe.hideWindow();
    probe.minimize();
    probe.showWindow();
    EXPECT_TRUE(probe.isVisible());
    EXPECT_TRUE(probe.isMinimizedState());
}

TEST_F(Controls, CloseRequestsAskTheWindowUnlessTheSessionEnds)
{
    int asked = 0;
    probe.onQueryUnload = [&](bool &cancel) {
        ++asked;
        cancel = true;
    };
    EXPECT_FALSE(probe.close());
    EXPECT_TRUE(probe.isVisible());
    setSessionEnding(true);
    EXPECT_TRUE(probe.close());
    setSessionEnding(false);
    EXPECT_EQ(asked, 1);
}

// Putting a panel away with the focus in it leaves the focus with the window: it does
// not jump into a control of another panel that has just been shown.
TEST(Frames, APanelPutAwayLeavesTheFocusWithTheWindow)
{
    FakeDesktop desktop;
    Window window(desktop, QStringLiteral("frames"), 3000, 1500);
    Frame first(window.client(), QStringLiteral("1"), Frame::WithBorder, 0, 0, 3000, 700);
    TextBox inFirst(&first, QString(), 120, 240, 900, 315);
    Frame second(window.client(), QStringLiteral("2"), Frame::WithBorder, 0, 0, 3000, 700);
    TextBox inSecond(&second, QString(), 120, 240, 900, 315);
    second.hide();
    window.showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    inFirst.setFocus();
    QTest::keyClick(&inFirst, Qt::Key_Tab);
    EXPECT_EQ(window.focusWidget(), &inFirst) << "Tab still moves within the window";
    second.show();
    first.hide();
    EXPECT_EQ(window.focusWidget(), &window) << "not in the panel just shown";
}

// The menu bar shows only with the menu, the window growing by it; an item acts when
// clicked in the opened menu, and by its key only while the menu shows.
TEST(Menus, TheBarShowsWithTheMenuAndKeysActOnlyThen)
{
    FakeDesktop desktop;
    Window window(desktop, QStringLiteral("menu"), 3000, 1500);
    Menu menu(&window, QStringLiteral("多功能"));
    QStringList log;
    MenuItem *item =
        menu.addItem(QStringLiteral("用户反馈"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F8));
    item->onClick = [&] { log << "click"; };
    menu.setVisible(false);
    window.showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QMenuBar *bar = window.menuBar();
    for (bool shown : {false, true, false}) {
        menu.setVisible(shown);
        QCoreApplication::processEvents(); // the window follows its layout
        EXPECT_EQ(menu.isVisible(), shown);
        EXPECT_EQ(bar->isVisible(), shown);
        EXPECT_EQ(window.height() - window.client()->height(), shown ? bar->height() : 0);
        EXPECT_EQ(window.client()->y(), shown ? bar->height() : 0);
        QTest::keyClick(&window, Qt::Key_F8, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(std::exchange(log, {}), shown ? QStringList{"click"} : QStringList{}) << shown;
    }
    menu.setVisible(true);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->text(), QStringLiteral("多功能"));
    EXPECT_EQ(item->shortcut().toString(QKeySequence::NativeText), QStringLiteral("Ctrl+Shift+F8"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions()[0]).center());
    auto *popup = qobject_cast<QMenu *>(item->parent());
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }));
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(item).center());
    EXPECT_EQ(log, QStringList{"click"});
}

// A tick aimed just after each second begins: one that comes late or early does not
// move the ones after it, and one early enough to fall before the boundary is followed
// at once by one just after it.
TEST_F(Controls, AnAlignedTimerTicksJustAfterEachSecondBegins)
{
    desktop.start = QDateTime(QDate(2026, 1, 1), QTime(10, 0, 0, 437));
    // The first arming (made unaligned, as the timer is created) is replaced at once.
    std::deque<qint64> lateness{0, 0, 300, -2};
    desktop.lateness = [&] {
        const qint64 late = lateness.empty() ? 0 : lateness.front();
        if (!lateness.empty())
            lateness.pop_front();
        return late;
    };
    Timer timer(&probe, 1000, true);
    timer.alignToClock(1);
    QStringList ticks;
    timer.onTimer = [&] { ticks << desktop.now().time().toString(QStringLiteral("ss.zzz")); };
    desktop.advance(5000);
    EXPECT_EQ(ticks, (QStringList{"01.001", "02.301", "02.999", "03.001", "04.001", "05.001"}));
    EXPECT_EQ(timer.interval(), 1000);
}

// While a covering panel shows, keys, focus, mnemonics and accessible presses reach only
// the panel's controls; hidden again, everything is as before.
TEST_F(Controls, ACoveringPanelKeepsKeysFocusAndPressesOnItself)
{
    auto *mnemonic = new CommandButton(probe.client(), QStringLiteral("&m"), 120, 1500, 900, 375);
    mnemonic->onClick = [this] { probe.log << "m"; };
    mnemonic->show();
    auto *panel = new Frame(probe.client(), QString(), Frame::WithBorder, 0, 0, 6000, 3000);
    auto *field = new TextBox(panel, QString(), 120, 120, 1200, 315);
    auto *onPanel = new CommandButton(panel, QStringLiteral("p"), 120, 600, 900, 375);
    onPanel->onClick = [this] { probe.log << "p"; };
    probe.setCoveringPanel(panel);
    probe.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&probe));
    QAccessible::setActive(true);
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, mods);
    };
    const auto press = [](QWidget *button) {
        QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
    };
    for (bool covered : {false, true, false}) {
        probe.text->setFocus();
        panel->setVisible(covered); // over the control that has the focus
        EXPECT_EQ(QApplication::focusWidget(), covered ? field : probe.text);
        probe.check->setFocus();
        EXPECT_EQ(QApplication::focusWidget(), covered ? static_cast<QWidget *>(field) : probe.check);
        key(Qt::Key_Return); // the Default and Cancel buttons lie under the panel
        key(Qt::Key_Escape);
        press(probe.back);
        if (covered)
            press(onPanel);
        EXPECT_EQ(probe.take(), (covered ? QStringList{"p"} : QStringList{"ok", "back", "back"})) << covered;
        key(Qt::Key_M, Qt::AltModifier);
        if (covered)
            EXPECT_FALSE(mnemonic->isDown() || mnemonic->hasFocus());
        else
            EXPECT_TRUE(QTest::qWaitFor([this] { return probe.take() == QStringList{"m"}; }, 2000));
    }
    QAccessibleInterface *ok = QAccessible::queryAccessibleInterface(probe.ok);
    EXPECT_EQ(ok->role(), QAccessible::Button);
    EXPECT_EQ(ok->text(QAccessible::Name), QStringLiteral("ok"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(mnemonic)->text(QAccessible::Name), QStringLiteral("m"));
    QAccessible::setActive(false);
}

// On the real event loop: a tick that opens a modal box keeps the timer ticking,
// nested inside the box, until the box is closed.
TEST(RealTimer, TicksNestedWhileItsOwnTickWaitsInAModalBox)
{
    QtDesktop desktop;
    Probe probe(desktop);
    Timer timer(&probe, 10, true);
    int depth = 0, maxDepth = 0, ticks = 0, result = 0;
    bool done = false;
    timer.onTimer = [&] {
        ++ticks;
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (depth == 1 && !done) {
            result =
                desktop.showMessage(QStringLiteral("wait"), MsgStyle::OkCancelQuestion, QStringLiteral("t"));
            done = true;
        } else if (ticks >= 4) {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                QTest::keyClick(box, Qt::Key_Return); // Enter takes the default, OK
        }
        --depth;
    };
    // Were the timer held up by its own open box, nothing would ever close it: a watchdog
    // does, and the test fails within seconds instead of hanging.
    bool watchdogClosedTheBox = false;
    QTimer::singleShot(3000, &probe, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            watchdogClosedTheBox = true;
            box->reject();
        }
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
    timer.setEnabled(false);
    EXPECT_FALSE(watchdogClosedTheBox) << "no tick came while the box waited";
    EXPECT_EQ(maxDepth, 2);
    EXPECT_GE(ticks, 4);
    EXPECT_EQ(result, MsgResult::Ok);
}

// On the real event loop: an interval changed inside the tick applies from the next tick.
TEST(RealTimer, AnIntervalChangedInItsOwnTickAppliesFromTheNextTick)
{
    QtDesktop desktop;
    Probe probe(desktop);
    Timer timer(&probe, 5, true);
    QElapsedTimer clock;
    std::vector<qint64> at;
    timer.onTimer = [&] {
        at.push_back(clock.elapsed());
        if (at.size() == 1)
            timer.setInterval(300);
    };
    clock.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return at.size() >= 3; }, 5000));
    timer.setEnabled(false);
    ASSERT_GE(at.size(), 3u);
    // Never early: the old 5 ms rhythm is gone after the first tick.
    EXPECT_GE(at[1] - at[0], 290);
    EXPECT_GE(at[2] - at[1], 290);
}

} // namespace
