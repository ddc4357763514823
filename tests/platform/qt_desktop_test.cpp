#include "platform/qt_desktop.h"

#include "platform/convert.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Presses a button of the next modal box by its text.
void pressInNextBox(const QString &buttonText)
{
    QTimer::singleShot(0, [buttonText] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton *b : box->buttons())
            if (b->text() == buttonText)
                return b->click();
        ADD_FAILURE() << "no button " << buttonText.toStdString();
        box->reject();
    });
}

TEST(QtDesktopBoxes, StylesMapToButtonsAndResults)
{
    QtDesktop desktop;
    const struct {
        int style;
        const char *press;
        int result;
    } cases[] = {
        {MsgStyle::Ok, "确定", MsgResult::Ok},
        {MsgStyle::OkCancelQuestion, "确定", MsgResult::Ok},
        {MsgStyle::OkCancelQuestion, "取消", MsgResult::Cancel},
        {MsgStyle::YesNoQuestion, "是", MsgResult::Yes},
        {MsgStyle::YesNoQuestion, "否", MsgResult::No},
    };
    for (const auto &c : cases) {
        pressInNextBox(QString::fromUtf8(c.press));
        EXPECT_EQ(desktop.showMessage(QStringLiteral("q"), c.style, QStringLiteral("提示")), c.result)
            << c.press;
    }
}

TEST(QtDesktopBoxes, EnterTakesOkAndEscTakesCancel)
{
    QtDesktop desktop;
    for (auto [key, result] :
         {std::pair{Qt::Key_Return, MsgResult::Ok}, std::pair{Qt::Key_Escape, MsgResult::Cancel}}) {
        QTimer::singleShot(0, [key = key] {
            if (QWidget *box = QApplication::activeModalWidget())
                QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, key);
        });
        EXPECT_EQ(desktop.showMessage(QStringLiteral("q"), MsgStyle::OkCancelQuestion, QStringLiteral("t")),
                  result);
    }
}

TEST(QtDesktopBoxes, CancelledInputGivesTheEmptyText)
{
    QtDesktop desktop;
    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
            dialog->setTextValue(QStringLiteral("typed"));
            dialog->reject();
        }
    });
    EXPECT_EQ(desktop.askText(QStringLiteral("p"), QStringLiteral("t")), QString());
    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
            dialog->setTextValue(QStringLiteral(" a b "));
            dialog->accept();
        }
    });
    EXPECT_EQ(desktop.askText(QStringLiteral("p"), QStringLiteral("t")), QStringLiteral(" a b "));
}

// A tick held up past the next one, as on a busy machine: an aligned timer aims its
// next tick at the wall clock again instead of going on from where the late one fell.
TEST(QtDesktopTimers, AnAlignedTimerFindsItsPlaceAgainAfterABusyTick)
{
    QtDesktop desktop;
    std::unique_ptr<TimerBackend> timer = desktop.createTimer();
    std::vector<int> phases; // ms after each tenth of a second
    timer->onFire = [&] {
        phases.push_back(QTime::currentTime().msec() % 100);
        if (phases.size() == 1)
            QThread::msleep(250);
    };
    timer->startAligned(100, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return phases.size() >= 5; }, 5000));
    timer->stop();
    ASSERT_GE(phases.size(), 5u);
    // Tick 1 was armed before the busy handler ran and comes when it returns, late;
    // the ones after it are in place again.
    for (size_t i = 2; i < phases.size(); ++i)
        EXPECT_TRUE(phases[i] >= 1 && phases[i] < 40) << "tick " << i << ": " << phases[i] << " ms";
}

// Launching: only harmless programs are started here (`false`, and names that exist nowhere).
TEST(QtDesktopCommands, AMissingProgramIsARunTimeError)
{
    QtDesktop desktop;
    try {
        desktop.runCommand(QStringLiteral("morvane-no-such-tool -s -t 0"));
        FAIL();
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.code(), RuntimeError::CommandNotFound);
    }
}

TEST(QtDesktopCommands, AFailureExitIsReportedInABoxWithoutWaiting)
{
    QtDesktop desktop;
    QString reported;
    bool boxSeen = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            reported = box->text();
            boxSeen = true;
            box->buttons().first()->click();
        }
    });
    watcher.start(5);
    desktop.runCommand(QStringLiteral("false --ignored"));
    EXPECT_FALSE(boxSeen) << "runCommand returns before the tool has finished";
    EXPECT_TRUE(QTest::qWaitFor([&] { return boxSeen; }, 5000));
    EXPECT_TRUE(reported.contains(QStringLiteral("false --ignored")));
    EXPECT_TRUE(reported.contains(QStringLiteral("执行失败")));
}

} // namespace
