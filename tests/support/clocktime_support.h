#pragma once

#include "app/form1.h"
#include "clocktime/form5.h"
#include "support/test_app.h"

#include <QTest>

// Past the loading animation (the clock then reads 22:29:52), "关机2" pressed.
inline Form5 &openForm5(TestApp &app)
{
    app.finishLoading();
    QTest::mouseClick(app.forms.form1().Command7, Qt::LeftButton);
    return app.forms.form5();
}

// Types into the three fields, moving on with Tab, and presses Enter; ticks the reminder.
inline void enterTime(Form5 &f, const char *hours, const char *minutes, const char *seconds,
                      bool reminder = false)
{
    const char *typed[] = {hours, minutes, seconds};
    TextBox *fields[] = {f.Text1, f.Text2, f.Text3};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClicks(fields[i], QString::fromUtf8(typed[i]));
        QTest::keyClick(fields[i], i < 2 ? Qt::Key_Tab : Qt::Key_Return);
    }
    if (reminder)
        QTest::mouseClick(f.Check1, Qt::LeftButton);
}

// Runs the virtual clock on to the next moment the wall clock reads `time`.
inline void runUntil(FakeDesktop &desktop, const QTime &time)
{
    const QDateTime now = desktop.now();
    QDateTime at(now.date(), time);
    desktop.advance(now.msecsTo(at < now ? at.addDays(1) : at));
}
