#include "os/qt_desktop.h"

#include "core/convert.h"
#include "os/translations.h"

#include <QAccessible>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace Qt::StringLiterals;

// A box shows its text as it stands, tags and all ("a<b>c" is no markup), its lines where they
// were; a long unbroken run (a password of 400 letters) is wrapped so that the box stays on
// the screen. A box opened from a window comes up over it, owned by it; one without an owner is
// a warning that stays above every window. Each box answered by a button's caption or by a key
// where the focus is; the result the program sees. An input box (style -1) gives the text typed
// into it, or the empty text when cancelled. For the double-click interval after a box appears
// ("early"), a click on its button or Enter does nothing: the box is then answered by its other
// button.
TEST(QtDesktopBoxes, ShowTheirTextAsItStandsOnScreenAndAnswerByButtonOrKey)
{
    QtDesktop desktop;
    QWidget window;
    window.show();
    const QString text = u"本次设置锁定的密码为:   a<b>c%1\r\n1.第一行x<i>y"_s.arg(QString(400, u'a'));
    const struct {
        int style;
        const char *press; // a button's caption, or "Return" / "Escape"
        int result;
        bool early;
    } cases[] = {{MsgStyle::Ok, "确定", MsgResult::Ok, false},
                 {MsgStyle::OkCancelQuestion, "取消", MsgResult::Cancel, false},
                 {MsgStyle::YesNoQuestion, "是", MsgResult::Yes, false},
                 {MsgStyle::YesNoQuestion, "否", MsgResult::No, false},
                 {MsgStyle::OkCancelQuestion, "Return", MsgResult::Ok, false},
                 {MsgStyle::OkCancelQuestion, "Escape", MsgResult::Cancel, false},
                 {MsgStyle::YesNoQuestion, "Escape", MsgResult::No, false},
                 {-1, "确定", MsgResult::Ok, false},
                 {-1, "Escape", MsgResult::Cancel, false},
                 {MsgStyle::OkCancelQuestion, "确定", MsgResult::Cancel, true},
                 {MsgStyle::YesNoQuestion, "Return", MsgResult::No, true},
                 {-1, "Return", MsgResult::Cancel, true}};
    int row = 0;
    for (const auto &c : cases) {
        const bool owned = ++row % 2;
        QString shown, heard;
        bool onScreen = false, openAfterEarlyPress = false, onTop = false;
        QWidget *parent = nullptr;
        QApplication::setDoubleClickInterval(c.early ? 60000 : 0);
        QTimer::singleShot(0, [&, press = QString::fromUtf8(c.press)] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            auto *label = dialog->findChild<QLabel *>(c.style < 0 ? QString() : u"qt_msgbox_label"_s);
            shown = label->text();
            heard = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
            onScreen = dialog->screen()->availableGeometry().contains(dialog->frameGeometry());
            parent = dialog->parentWidget();
            onTop = dialog->windowFlags() & Qt::WindowStaysOnTopHint;
            if (auto *input = qobject_cast<QInputDialog *>(dialog))
                input->setTextValue(u" a b "_s);
            const QList<QPushButton *> buttons = dialog->findChildren<QPushButton *>();
            for (QPushButton *button : buttons)
                if (button->text() == press && c.early)
                    QTest::mouseClick(button, Qt::LeftButton);
                else if (button->text() == press)
                    return button->click();
            if (press.startsWith(u'R') || press.startsWith(u'E'))
                QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog,
                                press == QLatin1String("Return") ? Qt::Key_Return : Qt::Key_Escape);
            openAfterEarlyPress = c.early && dialog->isVisible();
            if (openAfterEarlyPress) // the other button answers
                buttons.last()->text() == press ? buttons.first()->click() : buttons.last()->click();
        });
        QObject *owner = owned ? &window : nullptr;
        if (c.style < 0)
            EXPECT_EQ(desktop.askText(text, u"密码设置提示"_s, owner),
                      c.result == MsgResult::Ok ? u" a b "_s : QString())
                << c.press;
        else
            EXPECT_EQ(desktop.showMessage(text, c.style, u"提示"_s, owner), c.result) << c.press;
        EXPECT_EQ(QString(shown).remove(u'\n'), QString(text).remove(u"\r\n"_s)) << c.press;
        EXPECT_EQ(shown.section(u'\n', -1), u"1.第一行x<i>y"_s) << c.press << ": the lines kept";
        EXPECT_EQ(heard, shown) << c.press << ": read as plain text";
        EXPECT_TRUE(onScreen) << c.press;
        EXPECT_EQ(parent, owned ? &window : nullptr) << c.press << ": over the window it came from";
        EXPECT_EQ(onTop, !owned) << c.press << ": a warning stays above every window";
        EXPECT_EQ(openAfterEarlyPress, c.early) << c.press << ": an early press answers nothing";
    }
}

// Qt's own texts (a text box's context menu, its standard dialogs) are in Chinese, also where
// only the program's own folder has them.
TEST(QtTranslations, QtsOwnTextsAreInChinese)
{
    QTranslator translator;
    ASSERT_TRUE(installQtTranslations(translator));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "Select All"), u"全选"_s);
    QCoreApplication::removeTranslator(&translator);
    EXPECT_TRUE(qtTranslationFolders().contains(QCoreApplication::applicationDirPath() + u"/translations"_s));
}

// On the real event loop, a timer by its rhythm and one aligned to the clock: a tick that
// opens a modal box lets the next ticks come nested inside it (were the timer held up by its
// own open box, the watchdog would have to close it). Where the ticks land: bench/timer_rules.
TEST(QtDesktopTimers, TicksComeNestedInABox)
{
    QtDesktop desktop;
    QApplication::setDoubleClickInterval(0); // the box answers the key at once
    QTimer watchdog;
    watchdog.callOnTimeout([] { QMetaObject::invokeMethod(QApplication::activeModalWidget(), "reject"); });
    for (bool aligned : {false, true}) {
        std::unique_ptr<TimerBackend> timer = desktop.createTimer();
        int ticks = 0, depth = 0, maxDepth = 0, result = 0;
        timer->onFire = [&] {
            maxDepth = std::max(maxDepth, ++depth);
            if (++ticks == 1)
                result = desktop.showMessage(u"wait"_s, MsgStyle::OkCancelQuestion, QString(), nullptr);
            else if (ticks == 3 && depth == 2)
                QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); // the default, OK
            --depth;
        };
        watchdog.start(3000);
        aligned ? timer->startAligned(20, 1) : timer->start(10);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 5; }, 6000)) << aligned;
        timer->stop();
        EXPECT_EQ(maxDepth, 2) << aligned;
        EXPECT_EQ(result, MsgResult::Ok) << aligned << ": the box closed by a nested tick";
    }
}

// Only harmless programs are started here: one that ends with a failure at once (`false`, or
// cmd's `exit 1` on Windows), and a name that exists nowhere. A missing one is a run-time
// error at once; a failure exit is reported in a box later, without waiting for the tool.
TEST(QtDesktopCommands, AMissingProgramRaisesAndAFailureExitIsReportedInABox)
{
    QtDesktop desktop;
    try {
        desktop.runCommand(u"morvane-no-such-tool -s -t 0"_s);
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.code(), RuntimeError::CommandNotFound);
    }
    QString reported;
    QTimer watcher;
    watcher.callOnTimeout([&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            reported = box->text();
            box->buttons().first()->click();
        }
    });
    watcher.start(5);
    const QString failing = QStringLiteral(MORVANE_FAILING_COMMAND);
    desktop.runCommand(failing);
    EXPECT_TRUE(reported.isEmpty()) << "runCommand returns before the tool has finished";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !reported.isEmpty(); }, 5000));
    EXPECT_EQ(reported, u"命令执行失败：%1（返回值 1）\n操作没有完成，请检查系统权限！"_s.arg(failing));
}

} // namespace
