#pragma once

#include "app/form1.h"
#include "countdown/form2.h"
#include "countdown/form4.h"
#include "support/test_app.h"

#include <QTest>

#include <gtest/gtest.h>

// Past the loading animation, "关机1" pressed: the countdown window is in front.
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

// Opens the details, picks a preset from the list and ticks "最后".
inline void armPreset(Form2 &f, int index)
{
    f.Check1->setValue(1);
    ComboBox *combo = f.Combo1;
    combo->setFocus();
    while (combo->currentIndex() != index)
        QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    QTest::mouseClick(f.check2, Qt::LeftButton);
}

// Opens the details, types the seconds into the box and ticks "最后".
inline void armTyped(Form2 &f, const char *seconds)
{
    f.Check1->setValue(1);
    QTest::keyClicks(f.Combo1->lineEdit(), QString::fromLatin1(seconds));
    QTest::mouseClick(f.check2, Qt::LeftButton);
}

// One program with the countdown window open.
class Countdown : public ::testing::Test {
protected:
    TestApp app;
    Form2 &f2() { return app.forms.form2(); }

    void SetUp() override { openForm2(app); }
};
