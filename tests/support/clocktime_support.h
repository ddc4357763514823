#pragma once

#include "app/form1.h"
#include "clocktime/form5.h"
#include "support/test_app.h"

#include <QTest>

#include <gtest/gtest.h>

// Past the loading animation, "关机2" pressed: the clock-time window is in front.
inline Form5 &openForm5(TestApp &app)
{
    app.finishLoading();
    QTest::mouseClick(app.forms.form1().Command7, Qt::LeftButton);
    return app.forms.form5();
}

// Types into the three fields, moving on with Tab as a user does, and presses Enter.
inline void enterTime(Form5 &f, const char *hours, const char *minutes, const char *seconds)
{
    f.Text1->setFocus();
    QTest::keyClicks(f.Text1, QString::fromUtf8(hours));
    QTest::keyClick(f.Text1, Qt::Key_Tab);
    QTest::keyClicks(f.Text2, QString::fromUtf8(minutes));
    QTest::keyClick(f.Text2, Qt::Key_Tab);
    QTest::keyClicks(f.Text3, QString::fromUtf8(seconds));
    QTest::keyClick(f.Text3, Qt::Key_Return);
}

// Runs the virtual clock on to the next moment the wall clock reads `time`.
inline void runUntil(FakeDesktop &desktop, const QTime &time)
{
    const QDateTime now = desktop.now();
    QDateTime at(now.date(), time);
    if (at < now)
        at = at.addDays(1);
    desktop.advance(now.msecsTo(at));
}

// One program with the clock-time window open, at 22:29:52 on the virtual clock.
class ClockTime : public ::testing::Test {
protected:
    TestApp app;
    Form5 &f5() { return app.forms.form5(); }
    // Sets the target and, when asked, the reminder, as a user does.
    void set(const char *hours, const char *minutes, const char *seconds, bool reminder = false)
    {
        enterTime(f5(), hours, minutes, seconds);
        ASSERT_FALSE(f5().Command1->isEnabled()) << "set";
        if (reminder)
            QTest::mouseClick(f5().Check1, Qt::LeftButton);
    }

    void SetUp() override { openForm5(app); }
};
