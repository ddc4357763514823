#include "os/qt_desktop.h"

#include "core/convert.h"
#include "os/translations.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

// Each box answered by a button's text or by a key; the result the program sees. An input
// box gives the text as typed, or the empty text when cancelled.
TEST(QtDesktopBoxes, AnswersByButtonOrKey)
{
    QtDesktop desktop;
    const struct {
        int style;
        const char *press; // a button's text, or "Return" / "Escape"
        int result;
    } cases[] = {{MsgStyle::Ok, "确定", MsgResult::Ok},
                 {MsgStyle::OkCancelQuestion, "取消", MsgResult::Cancel},
                 {MsgStyle::YesNoQuestion, "是", MsgResult::Yes},
                 {MsgStyle::YesNoQuestion, "否", MsgResult::No},
                 {MsgStyle::OkCancelQuestion, "Return", MsgResult::Ok},
                 {MsgStyle::OkCancelQuestion, "Escape", MsgResult::Cancel},
                 {MsgStyle::YesNoQuestion, "Escape", MsgResult::No}};
    for (const auto &c : cases) {
        const QString press = QString::fromUtf8(c.press);
        QTimer::singleShot(0, [press] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (press == QLatin1String("Return") || press == QLatin1String("Escape"))
                return QTest::keyClick(box->focusWidget() ? box->focusWidget() : box,
                                       press == QLatin1String("Return") ? Qt::Key_Return : Qt::Key_Escape);
            for (QAbstractButton *b : box->buttons())
                if (b->text() == press)
                    return b->click();
        });
        EXPECT_EQ(desktop.showMessage(QStringLiteral("q"), c.style, QStringLiteral("提示")), c.result)
            << c.press;
    }
    for (bool accept : {false, true}) {
        QTimer::singleShot(0, [accept] {
            auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            dialog->setTextValue(QStringLiteral(" a b "));
            accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(desktop.askText(QStringLiteral("p"), QStringLiteral("t")),
                  accept ? QStringLiteral(" a b ") : QString());
    }
}

// What a box shows is the text as it stands, tags and all ("a<b>c" is no markup), its lines
// where they were; a long unbroken run (a password of 400 letters) is wrapped so that the
// box stays on the screen. The same for a message box and an input box's prompt.
TEST(QtDesktopBoxes, ShowTheirTextAsItStandsAndStayOnScreen)
{
    QtDesktop desktop;
    const QString password = QStringLiteral("a<b>c") + QString(400, u'a');
    const QString text = QStringLiteral("本次设置锁定的密码为:   %1\r\n1.第一行x<i>y").arg(password);
    QString shown, heard;
    QRect box, screen;
    auto look = [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        auto *label = dialog->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        if (!label)
            label = dialog->findChild<QLabel *>();
        shown = label->text();
        heard = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
        box = dialog->frameGeometry();
        screen = dialog->screen()->availableGeometry();
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
    };
    for (bool input : {false, true}) {
        shown.clear();
        QTimer::singleShot(0, look);
        if (input)
            desktop.askText(text, QStringLiteral("密码设置提示"));
        else
            desktop.showMessage(text, MsgStyle::Ok, QStringLiteral("提示"));
        EXPECT_EQ(QString(shown).remove(u'\n'), QString(text).remove(QStringLiteral("\r\n"))) << input;
        EXPECT_EQ(shown.section(u'\n', -1), QStringLiteral("1.第一行x<i>y")) << input << ": the lines kept";
        EXPECT_EQ(heard, shown) << input << ": read as plain text";
        EXPECT_TRUE(screen.contains(box)) << input << ": " << box.width() << "x" << box.height();
    }
}

// Qt's own texts (a text box's context menu, its standard dialogs) are in Chinese.
TEST(QtTranslations, QtsOwnTextsAreInChinese)
{
    QTranslator translator;
    ASSERT_TRUE(installQtTranslations(translator));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "Select All"), QStringLiteral("全选"));
    QCoreApplication::removeTranslator(&translator);
}

// On the real event loop, a timer by its rhythm and one aligned to the clock: a tick that
// opens a modal box lets the next ticks come nested inside it (were the timer held up by its
// own open box, the watchdog would have to close it); a new interval given inside a tick
// applies from the next one; a tick held up by a busy handler does not shift the aligned
// ticks after it.
TEST(QtDesktopTimers, TicksComeNestedInABoxKeepTheirRhythmAndTheirPlace)
{
    QtDesktop desktop;
    for (bool aligned : {false, true}) {
        std::unique_ptr<TimerBackend> timer = desktop.createTimer();
        int depth = 0, maxDepth = 0, result = 0;
        std::vector<int> at; // ms after each tenth of a second
        QElapsedTimer clock;
        timer->onFire = [&] {
            at.push_back(aligned ? QTime::currentTime().msec() % 100 : int(clock.elapsed()));
            maxDepth = std::max(maxDepth, ++depth);
            if (at.size() == 1) {
                result = desktop.showMessage(QStringLiteral("wait"), MsgStyle::OkCancelQuestion, QString());
                aligned ? QThread::msleep(250) : timer->start(300);
            } else if (at.size() == 4 && depth == 2) {
                QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); // the default, OK
            }
            --depth;
        };
        QTimer watchdog;
        watchdog.callOnTimeout(
            [] { QMetaObject::invokeMethod(QApplication::activeModalWidget(), "reject"); });
        watchdog.start(3000);
        clock.start();
        aligned ? timer->startAligned(100, 1) : timer->start(10);
        EXPECT_TRUE(QTest::qWaitFor([&] { return at.size() >= 8; }, 6000));
        timer->stop();
        EXPECT_EQ(maxDepth, 2) << aligned;
        EXPECT_EQ(result, MsgResult::Ok) << aligned << ": the box closed by a nested tick";
        for (size_t i = 6; i < at.size(); ++i)
            if (aligned)
                EXPECT_TRUE(at[i] >= 1 && at[i] < 40) << "tick " << i << ": " << at[i] << " ms";
            else
                EXPECT_GE(at[i] - at[i - 1], 290) << "tick " << i << ": the 10 ms rhythm goes on";
    }
}

// Only harmless programs are started here: one that ends with a failure at once (`false`, or
// cmd's `exit 1` on Windows), and a name that exists nowhere. A missing one is a run-time
// error at once; a failure exit is reported in a box later, without waiting for the tool.
TEST(QtDesktopCommands, AMissingProgramRaisesAndAFailureExitIsReportedInABox)
{
    QtDesktop desktop;
    try {
        desktop.runCommand(QStringLiteral("morvane-no-such-tool -s -t 0"));
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.code(), RuntimeError::CommandNotFound);
    }
    QString reported;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
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
    EXPECT_EQ(reported, displayText(commandFailedText(failing, 1)));
}

} // namespace
