#pragma once

#include "forms/form_window.h"
#include "widgets/controls.h"
#include "widgets/timer.h"

#include <QDateTime>
#include <QTime>

class Forms;

// The clock-time window: the user sets a time of day at which the computer shuts down,
// with a reminder one minute before if asked; a once-a-second watch carries it out.
class Form5 final : public FormWindow {
public:
    explicit Form5(Forms &forms);

    Label *Label2;  // "设置定时关机", the heading
    Label *Label1;  // the clock, each second; a double-click on the window shows it, on it hides it
    Label *Label7;  // "设置成功！计算机将在 hh点mm分ss秒 关闭！", in green: a time is set
    Label *Label8;  // "设置已取消！": the setting was cancelled
    Label *Label9;  // "1" while the one-minute reminder has still to come (under Frame1)
    Label *Label6;  // hidden: the time set, "hh:mm:ss"; its change writes Label7
    Label *Label10; // hidden: the reminder's time, one minute before
    Frame *Frame1;  // "请输入", then "定时关机": the three fields
    TextBox *Text1; // the hour
    Label *Label3;  // "时", names the hour field
    TextBox *Text2; // the minute
    Label *Label4;  // "分", names the minute field
    TextBox *Text3; // the second
    Label *Label5;  // "秒", names the second field
    CommandButton *Command1; // "确定": sets the time (Enter); disabled while a time is set
    CommandButton *Command2; // "返回": back to the main window (Esc)
    CommandButton *Command3; // "取消设置": cancels the time set
    CheckBox *Check1;        // "最后1分钟提醒我": a reminder box one minute before
    Timer *Timer1; // the watch: at each new second, writes Label1, whose change shuts down or reminds

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
