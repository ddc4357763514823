#include "core/convert.h"
#include "support/fake_desktop.h"
#include "widgets/controls.h"
#include "widgets/window.h"

#include <QAccessible>
#include <QApplication>
#include <QRegularExpression>
#include <QStyleFactory>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

using namespace Qt::StringLiterals;

// A window with one control of each kind, logging every event.
struct Probe : EventContext, Window {
    explicit Probe(Desktop &desktop) : Window(desktop, *this, u"probe"_s, 6000, 3000)
    {
        for (const QString &item : {u"15"_s, u"30"_s, u"60"_s})
            combo->addItem(item);
        setDefaultButton(ok);
        setCancelButton(back);
        label->onChange = [this] { log << "label:" + label->caption(); };
        label->onClick = [this] { log << "labelClick"; };
        text->onChange = [this] { log << "text:" + text->text(); };
        check->onClick = [this] { log << u"check:%1"_s.arg(check->value()); };
        combo->onClick = [this] { log << u"comboClick:%1"_s.arg(combo->listIndex()); };
        combo->onChange = [this] {
            log << u"comboChange:%1:%2"_s.arg(combo->text()).arg(combo->listIndex());
        };
        ok->onClick = [this] { log << "ok"; };
        back->onClick = [this] { log << "back"; };
        showWindow();
    }
    QStringList take() { return std::exchange(log, {}); }

    QStringList log;
    Label *label = new Label(client(), "label", u"a"_s, 120, 120);
    TextBox *text = new TextBox(client(), "text", QString(), 120, 600, 1200, 315);
    CheckBox *check = new CheckBox(client(), "check", u"c"_s, 120, 1000, 1200, 255);
    ComboBox *combo = new ComboBox(client(), "combo", 1500, 600, 900, 300);
    CommandButton *ok = new CommandButton(client(), "ok", u"ok"_s, 120, 2400, 900, 375);
    CommandButton *back = new CommandButton(client(), "back", u"back"_s, 1200, 2400, 900, 375);
};

class Controls : public ::testing::Test {
protected:
    FakeDesktop desktop;
    Probe probe{desktop};
};

// Each assignment's handler has run by the time the assignment returns, and only when
// the value changed; a user's edit raises the same handlers, but not in a hidden window.
TEST_F(Controls, AssignmentsAndEditsRaiseTheirHandlersAtOnceAndOnlyOnAChange)
{
    const auto twice = [this](const std::function<void()> &assign) {
        assign();
        probe.log << "then";
        assign();
    };
    twice([this] { probe.label->setCaption(u"b"_s); });
    twice([this] { probe.text->setText(u"5"_s); });
    twice([this] { probe.check->setValue(1); });
    twice([this] { probe.combo->setText(u"20"_s); });
    probe.check->setValue(0);
    EXPECT_EQ(probe.take(), (QStringList{"label:b", "then", "text:5", "then", "check:1", "then",
                                         "comboChange:20:-1", "then", "check:0"}));
    probe.text->setText(QString());
    probe.take();
    QTest::keyClicks(probe.text, u"12"_s);
    QTest::mouseClick(probe.check, Qt::LeftButton);
    EXPECT_EQ(probe.take(), (QStringList{"text:1", "text:12", "check:1"}));
    probe.hideWindow(); // a screen reader's press and edit reach it, the user's events run nothing
    probe.ok->click();
    probe.text->QLineEdit::setText(u"7"_s);
    probe.label->setCaption(u"c"_s);
    EXPECT_EQ(probe.take(), QStringList{"label:c"}) << "hidden: only the program's own assignment";
}

// A label that sizes itself fits each caption it is given: a clock or a count going on,
// which keeps its room, as well as a caption that needs more or less.
TEST_F(Controls, ASelfSizingLabelFitsEveryCaption)
{
    for (const char *caption : {"当前时间:22:29:59", "当前时间:22:30:00", "当前时间:22:31:11", "Hello",
                                "Q D X", "1", "7", "10", "99", "100", "1\n2", "1\n22", "", "8"}) {
        probe.label->setCaption(QString::fromUtf8(caption));
        EXPECT_EQ(probe.label->size(), probe.label->sizeHint()) << caption;
    }
}

// A pick from the list is a Click with its index. Typed text is a Change with ListIndex -1
// whatever it equals, also after a pick; finishing the edit by Tab, by a click on another
// control or by Enter raises no Click.
TEST_F(Controls, OnlyAPickFromTheComboListIsAClick)
{
    probe.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&probe));
    QLineEdit *edit = probe.combo->lineEdit();
    const std::function<void()> finishes[] = {[&] { QTest::keyClick(edit, Qt::Key_Tab); },
                                              [&] { QTest::mouseClick(probe.check, Qt::LeftButton); },
                                              [&] { QTest::keyClick(edit, Qt::Key_Return); }};
    probe.combo->setFocus();
    QTest::keyClick(probe.combo, Qt::Key_Down);
    QTest::keyClick(probe.combo, Qt::Key_Down);
    EXPECT_EQ(probe.take() << probe.combo->text(), (QStringList{"comboClick:0", "comboClick:1", "30"}));
    for (const auto &finish : finishes) {
        edit->selectAll();
        QTest::keyClicks(edit, u"60"_s);
        finish();
        EXPECT_EQ(probe.take().filter(u"combo"_s), (QStringList{"comboChange:6:-1", "comboChange:60:-1"}));
        EXPECT_EQ(probe.combo->listIndex(), -1);
        probe.combo->setFocus();
    }
    QTest::keyClick(probe.combo, Qt::Key_Up); // a pick from the list after typing is still a pick
    EXPECT_EQ(probe.take().last(), u"comboClick:%1"_s.arg(probe.combo->listIndex()));
}

// Enter presses the default button, Esc the cancel button (the covering panel's test has the
// keypad's Enter and Esc); a focused button takes Enter itself, and a default button disabled
// or hidden is not pressed.
TEST_F(Controls, EnterAndEscPressTheWindowsButtons)
{
    QTest::keyClick(probe.text, Qt::Key_Return);
    QTest::keyClick(probe.back, Qt::Key_Return);
    probe.ok->setEnabled(false);
    QTest::keyClick(probe.text, Qt::Key_Return);
    probe.ok->setEnabled(true);
    probe.ok->hide();
    QTest::keyClick(probe.text, Qt::Key_Return);
    EXPECT_EQ(probe.take(), (QStringList{"ok", "back"}));
}

// The error of a nested handler travels out through the assignment to the event, which
// it ends; it is reported and the program goes on.
TEST_F(Controls, AnEscapedErrorIsReportedAndTheProgramGoesOn)
{
    QStringList reports;
    probe.reportError = [&](const QString &m) { reports << m; };
    probe.text->onChange = [this] { StrictTextToNumber(probe.text->text()); };
    probe.ok->onClick = [this] {
        probe.text->setText(u"x"_s);
        probe.log << "not reached";
    };
    QTest::mouseClick(probe.ok, Qt::LeftButton);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(u"类型不匹配"_s));
    EXPECT_EQ(probe.take(), QStringList{});
    QTest::keyClicks(probe.text, u"y"_s); // a user edit is an event of its own
    probe.back->onClick = [] { throw std::logic_error("fault"); };
    QTest::mouseClick(probe.back, Qt::LeftButton);
    ASSERT_EQ(reports.size(), 3);
    EXPECT_TRUE(reports[2].endsWith(u"fault"_s));
}

// A face is found under either of its names: Chinese Windows lists SimSun and KaiTi as 宋体 and
// 楷体 only; a face missing under both names leaves the next one asked for.
TEST(Faces, AChineseFaceIsFoundUnderEitherName)
{
    const QStringList chineseNamesOnly{u"宋体"_s, u"楷体"_s, u"Tahoma"_s};
    EXPECT_EQ(faceFont(QFont(), {u"SimSun"_s}, 9, chineseNamesOnly).family(), u"宋体"_s);
    EXPECT_EQ(faceFont(QFont(), {u"KaiTi"_s}, 9, chineseNamesOnly).family(), u"楷体"_s);
    EXPECT_EQ(faceFont(QFont(), {u"Arial"_s, u"Tahoma"_s}, 9, chineseNamesOnly).family(), u"Tahoma"_s);
    EXPECT_EQ(faceFont(QFont(), {u"SimSun"_s}, 9, {u"SimSun"_s}).family(), u"SimSun"_s);
}

// A small button draws its caption whole, as native buttons do, in every style: a style's own
// label area, inset for the frame and the mark of a default button, is 6 to 12 px high in
// Form1's 14-px "↓" button and would cut a caption as tall as the button to a sliver.
TEST(Buttons, ASmallButtonDrawsItsWholeCaptionInEveryStyle)
{
    // The caption's pixels: what changes when it is drawn on the button.
    const auto ink = [](QStyle *style, const QString &caption, int width, int height) {
        CommandButton button(nullptr, "button", QString(), 0, 0, width, height);
        button.setStyle(style);
        button.setFont(faceFont(button.font(), {}, 10.5)); // 14 px, as tall as the small button
        const QImage bare = button.grab().toImage();
        button.setCaption(caption);
        const QImage drawn = button.grab().toImage();
        int n = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                n += drawn.pixel(x, y) != bare.pixel(x, y);
        return n;
    };
    for (const char *name : {"Windows", "Fusion"}) {
        std::unique_ptr<QStyle> style(QStyleFactory::create(QString::fromLatin1(name)));
        ASSERT_TRUE(style) << name;
        for (const char *caption : {"↓", "S"}) {
            const QString text = QString::fromUtf8(caption);
            const int whole = ink(style.get(), text, 615, 900), small = ink(style.get(), text, 615, 210);
            EXPECT_GT(whole, 8) << name << " " << caption;
            EXPECT_GE(small, whole * 9 / 10) << name << " " << caption << ": cut";
        }
    }
}

// A panel put away with the focus in it leaves the focus with the window: it does not
// jump into a control of another panel that has just been shown.
TEST_F(Controls, APanelPutAwayLeavesTheFocusWithTheWindow)
{
    Window window(desktop, probe, u"frames"_s, 3000, 1500);
    Frame first(window.client(), "first", u"1"_s, Frame::WithBorder, 0, 0, 3000, 700);
    TextBox inFirst(&first, "inFirst", QString(), 120, 240, 900, 315);
    Frame second(window.client(), "second", u"2"_s, Frame::WithBorder, 0, 0, 3000, 700);
    TextBox inSecond(&second, "inSecond", QString(), 120, 240, 900, 315);
    second.hide();
    window.showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    inFirst.setFocus();
    QTest::keyClick(&inFirst, Qt::Key_Tab);
    EXPECT_EQ(window.focusWidget(), &inFirst) << "Tab still moves within the window";
    second.show();
    first.hide();
    EXPECT_EQ(window.focusWidget(), &window);
}

// While a covering panel shows, keys, focus, mnemonics and accessible presses reach only
// the panel's controls (a covered button does not even offer its press); hidden again,
// everything is as before.
TEST_F(Controls, ACoveringPanelKeepsKeysFocusAndPressesOnItself)
{
    auto *mnemonic = new CommandButton(probe.client(), "mnemonic", u"&m"_s, 120, 1500, 900, 375);
    mnemonic->onClick = [this] { probe.log << "m"; };
    mnemonic->show();
    auto *panel = new Frame(probe.client(), "panel", QString(), Frame::WithBorder, 0, 0, 6000, 3000);
    auto *field = new TextBox(panel, "field", QString(), 120, 120, 1200, 315);
    auto *onPanel = new CommandButton(panel, "onPanel", u"p"_s, 120, 600, 900, 375);
    onPanel->onClick = [this] { probe.log << "p"; };
    probe.addCoveringPanel(panel);
    probe.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&probe));
    QAccessible::setActive(true);
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, mods);
    };
    const auto press = [](QWidget *button) { // tried whether offered or not; says whether it was
        QAccessibleActionInterface *actions =
            QAccessible::queryAccessibleInterface(button)->actionInterface();
        actions->doAction(QAccessibleActionInterface::pressAction());
        return actions->actionNames().contains(QAccessibleActionInterface::pressAction());
    };
    for (bool covered : {false, true, false}) {
        probe.text->setFocus();
        panel->setVisible(covered); // over the control that has the focus
        EXPECT_EQ(QApplication::focusWidget(), covered ? field : probe.text);
        probe.check->setFocus();
        EXPECT_EQ(QApplication::focusWidget(), covered ? static_cast<QWidget *>(field) : probe.check);
        QStringList focused; // every control the focus passes, even for a moment
        const auto watch =
            QObject::connect(qApp, &QApplication::focusChanged, [&](QWidget *from, QWidget *to) {
                focused << (from ? from->objectName() : QString()) << (to ? to->objectName() : QString());
            });
        for (Qt::Key k :
             {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Tab})
            key(k); // and back where it was
        QObject::disconnect(watch);
        if (covered) {
            EXPECT_EQ(focused.filter(QRegularExpression(u"^(?!field$|onPanel$)"_s)), QStringList{})
                << "covered";
        }
        key(Qt::Key_Enter, Qt::KeypadModifier); // the Default and Cancel buttons lie under the panel
        key(Qt::Key_Escape);
        EXPECT_EQ(press(probe.back), !covered);
        EXPECT_EQ(press(probe.label), !covered);
        if (covered)
            press(onPanel);
        EXPECT_EQ(probe.take(),
                  (covered ? QStringList{"p"} : QStringList{"ok", "back", "back", "labelClick"}))
            << covered;
        key(Qt::Key_M, Qt::AltModifier);
        if (covered)
            EXPECT_FALSE(mnemonic->isDown() || mnemonic->hasFocus());
        else
            EXPECT_TRUE(QTest::qWaitFor([this] { return probe.take() == QStringList{"m"}; }, 2000));
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(mnemonic)->text(QAccessible::Name), u"m"_s);
    QAccessible::setActive(false);
}

} // namespace
