#pragma once

#include "widgets/controls.h"
#include "widgets/timer.h"
#include "widgets/window.h"

class Forms;

// The reminder: counts the last seconds before the countdown's shutdown.
class Form4 final : public Window {
public:
    explicit Form4(Forms &forms);

    Label *Label1;
    Label *Label2;
    CommandButton *Command1;
    Timer *Timer1;

    void Timer1_Timer();
    void Command1_Click();
    void Form_QueryUnload(bool &cancel);

private:
    Forms &forms_;
};
