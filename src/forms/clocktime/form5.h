#pragma once

#include "widgets/controls.h"
#include "widgets/timer.h"
#include "widgets/window.h"

#include <QDateTime>
#include <QTime>

class Forms;

// The clock-time window: the user sets a time of day at which the computer shuts down,
// with a reminder one minute before if asked; a once-a-second watch carries it out.
class Form5 final : public Window {
public:
    explicit Form5(Forms &forms);

    Label *Label2;
    Label *Label1;
    Label *Label7;
    Label *Label8;
    Label *Label9;
    Label *Label6;
    Label *Label10;
    Frame *Frame1;
    TextBox *Text1;
    Label *Label3;
    TextBox *Text2;
    Label *Label4;
    TextBox *Text3;
    Label *Label5;
    CommandButton *Command1;
    CommandButton *Command2;
    CommandButton *Command3;
    CheckBox *Check1;
    Timer *Timer1;

    // The fields' values; before a field's first change its value is empty, which
    // counts as 0, so 0 stands for it.
    double hourValue = 0;
    double minuteValue = 0;
    double secondValue = 0;
    QTime shutTime;

    // Setup
    void Form_Load() override;
    bool timedShutdownPending() const override { return !Command1->isEnabled(); } // a time is set
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Command1_Click();
    void Label6_Change();
    void Check1_Click();
    void Command3_Click();
    void Command2_Click();
    void Form_QueryUnload(bool &cancel);
    // Watch
    void Timer1_Timer();
    void Label1_Change();
    void Form_DblClick();
    void Label1_DblClick();

private:
    void fieldChanged(TextBox *field, double &value, double limit);
    Forms &forms_;
    // The second the clock label shows, with its date: a late tick writes every second
    // after it in turn, so none goes uncompared.
    QDateTime clockShown;
};
