#pragma once

// What a user does to reach a window and set it going, shared by the tests.

#include "forms/clocktime/form5.h"
#include "forms/countdown/form2.h"
#include "forms/countdown/form4.h"
#include "forms/main/form1.h"
#include "support/test_app.h"

#include <QTest>

#include <gtest/gtest.h>

// Types each character of `text` as a key press that carries it, characters beyond Latin-1
// too (QTest::keyClicks types only Latin-1); "\b" presses Backspace.
inline void typeKeys(QWidget *box, const QString &text)
{
    for (const char32_t c : text.toUcs4()) {
        const Qt::Key key = c < 0x80 ? QTest::asciiToKey(char(c)) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, box, key, QString::fromUcs4(&c, 1), Qt::NoModifier);
    }
}

// Types over whatever the box holds.
inline void typeOver(QWidget *box, const QString &text)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    typeKeys(box, text);
}

// The names of the controls directly in `parent` that it shows, in the order they were made.
inline QString shownControls(const QWidget *parent)
{
    QString names;
    for (const QWidget *w : parent->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisibleTo(parent) && !w->objectName().isEmpty())
            names += w->objectName() + u' ';
    return names.trimmed();
}

// Past loading, "关机1" pressed: the countdown window is in front.
inline Form2 &openForm2(TestApp &app)
{
    app.finishLoading();
    QTest::mouseClick(app.forms.form1().Command5, Qt::LeftButton);
    return app.forms.form2();
}

// Types the seconds and presses Enter, as a user starts a countdown.
inline void startCountdown(Form2 &f, const char *seconds)
{
    QTest::keyClicks(f.Text1, QString::fromLatin1(seconds));
    QTest::keyClick(f.Text1, Qt::Key_Return);
    ASSERT_EQ(f.Command1->caption(), QStringLiteral("取消关机"));
}

// Opens the details, picks preset `index` from the list and ticks "最后".
inline void armPreset(Form2 &f, int index)
{
    f.Check1->setValue(1);
    f.Combo1->setFocus();
    while (f.Combo1->currentIndex() != index)
        QTest::keyClick(f.Combo1, f.Combo1->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    QTest::mouseClick(f.check2, Qt::LeftButton);
}

// Opens the details, types the seconds into the box and ticks "最后".
inline void armTyped(Form2 &f, const QString &seconds)
{
    f.Check1->setValue(1);
    typeKeys(f.Combo1->lineEdit(), seconds);
    QTest::mouseClick(f.check2, Qt::LeftButton);
}

// One program with the countdown window open.
class Countdown : public ::testing::Test {
protected:
    TestApp app;
    Form2 &f2 = openForm2(app);
};

// Past loading, "关机2" pressed (the clock then reads 22:29:52).
inline Form5 &openForm5(TestApp &app)
{
    app.finishLoading();
    QTest::mouseClick(app.forms.form1().Command7, Qt::LeftButton);
    return app.forms.form5();
}

// Types into the three fields, moving on with Tab, presses Enter; ticks the reminder.
inline void enterTime(Form5 &f, const QString &hours, const QString &minutes, const QString &seconds,
                      bool reminder = false)
{
    const QString typed[] = {hours, minutes, seconds};
    TextBox *fields[] = {f.Text1, f.Text2, f.Text3};
    for (int i = 0; i < 3; ++i) {
        typeKeys(fields[i], typed[i]);
        QTest::keyClick(fields[i], i < 2 ? Qt::Key_Tab : Qt::Key_Return);
    }
    if (reminder)
        QTest::mouseClick(f.Check1, Qt::LeftButton);
}

// Runs the virtual clock on to the next moment the wall clock reads `time`.
inline void runUntil(FakeDesktop &desktop, const QTime &time)
{
    const QDateTime now = desktop.now();
    const QDateTime at(now.date(), time);
    desktop.advance(now.msecsTo(at < now ? at.addDays(1) : at));
}
