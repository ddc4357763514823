#pragma once

#include "forms/form_window.h"
#include "widgets/controls.h"
#include "widgets/timer.h"

class Forms;

// The reminder: counts the last seconds before the countdown's shutdown.
class Form4 final : public FormWindow {
public:
    explicit Form4(Forms &forms);

    Label *Label1;           // "请注意！", the heading
    Label *Label2;           // "距离关机还有 n 秒": the seconds left
    CommandButton *Command1; // "知道了": closes the reminder, back to the countdown window
    Timer *Timer1;           // counts the reminder's figure down, once a second

    void Timer1_Timer();
    void Command1_Click();
    void Form_QueryUnload(bool &cancel);

private:
    Forms &forms_;
};
