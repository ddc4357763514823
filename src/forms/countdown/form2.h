#pragma once

#include "forms/countdown/remind_at.h"
#include "forms/form_window.h"
#include "widgets/controls.h"
#include "widgets/timer.h"

class Forms;

// The countdown window: shuts the computer down after the number of seconds typed in,
// with details and a reminder in the last seconds.
class Form2 final : public FormWindow {
public:
    explicit Form2(Forms &forms);

    Label *Label8;           // "请输入！", the heading until the first 确定
    Label *Label7;           // "关机已被成功取消！": a countdown was cancelled
    Label *Label1;           // "我需要", names the seconds field
    TextBox *Text1;          // the seconds to count down (up to 5 characters)
    Label *Label2;           // "秒后关机。", after the field
    Label *Label6;           // "您输入的是0，点击确定将立刻关机！": 0 typed
    Label *Label15;          // "亲，请正确输入！": not a number typed
    Frame *Frame1;           // "倒计时": the running countdown
    Label *Label3;           // "计算机将在"
    Label *Label4;           // the seconds left, in red; at 0 its change shuts down
    Label *Label5;           // "秒后关闭！", kept clear of the figure
    CheckBox *Check1;        // "查看详情": shows the details (Frame2) and the reminder (Frame3)
    Frame *Frame2;           // the details
    Label *Label10;          // "电脑将在"
    Label *Label9;           // the minutes left, about
    Label *Label11;          // "分钟左右后关闭！"
    Label *Label12;          // the current date and time, each second
    Frame *Frame3;           // the reminder's setting
    CheckBox *check2;        // "最后": turns the reminder on
    ComboBox *Combo1;        // the seconds before the end at which the reminder (Form4) opens
    Label *Label13;          // "秒提醒我！", after the box
    Label *Label16;          // "设置完毕！" / "设置以取消！": the reminder set or taken back
    Label *Label14;          // "设置成功！": a figure picked for the reminder
    CommandButton *Command1; // "确定" / "取消": starts the countdown, or cancels it (Enter)
    CommandButton *Command2; // "返回": back to the main window (Esc)
    Timer *Timer1;           // the countdown: one second off Label4 a tick
    Timer *Timer2;           // the clock of Label12, and the main window's notice of a running countdown

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
