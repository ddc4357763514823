#pragma once

#include "forms/countdown/remind_at.h"
#include "widgets/controls.h"
#include "widgets/timer.h"
#include "widgets/window.h"

class Forms;

// The countdown window: shuts the computer down after the number of seconds typed in,
// with details and a reminder in the last seconds.
class Form2 final : public Window {
public:
    explicit Form2(Forms &forms);

    Label *Label8;
    Label *Label7;
    Label *Label1;
    TextBox *Text1;
    Label *Label2;
    Label *Label6;
    Label *Label15;
    Frame *Frame1;
    Label *Label3;
    Label *Label4;
    Label *Label5;
    CheckBox *Check1;
    Frame *Frame2;
    Label *Label10;
    Label *Label9;
    Label *Label11;
    Label *Label12;
    Frame *Frame3;
    CheckBox *check2;
    ComboBox *Combo1;
    Label *Label13;
    Label *Label16;
    Label *Label14;
    CommandButton *Command1;
    CommandButton *Command2;
    Timer *Timer1;
    Timer *Timer2;

    int startStopClicks = 0;
    // The figure at which the reminder opens. The program has one: it lives here, with
    // the countdown window, which is never destroyed once made.
    RemindAt remindAt;

    void Form_Load() override;
    bool timedShutdownPending() const override { return Timer1->enabled(); } // a countdown runs
    void Text1_Change();
    void Command1_Click();
    void Timer1_Timer();
    void Label4_Change();
    void Check1_Click();
    void Combo1_Click();
    void Combo1_Change();
    void check2_Click();
    void Timer2_Timer();
    void Command2_Click();
    void Form_QueryUnload(bool &cancel);

private:
    Forms &forms_;
};
