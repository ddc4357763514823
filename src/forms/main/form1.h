#pragma once

#include "forms/form_window.h"
#include "widgets/controls.h"
#include "widgets/menu.h"
#include "widgets/timer.h"

#include <memory>

class Forms;
class Tools;

// The main window: loading and title animations, the power buttons, the ways to the
// timed-shutdown windows, the exit; the lock panel and the tool panels.
class Form1 final : public FormWindow {
public:
    explicit Form1(Forms &forms);
    ~Form1() override;

    Label *Label5; // "Hello", the animated title: red, green, "Q D X" in blue, then "Morvane"
    Label *Label7; // "请注意，关机倒计时正在运行中...": shown while a timed shutdown is pending
    CommandButton *Command1;  // "关机": asks, then switches the computer off now
    CommandButton *Command2;  // "重启": asks, then restarts it
    CommandButton *Command8;  // "注销": asks, then logs off (shown once loading ends)
    CommandButton *Command5;  // "关机1": opens the countdown window (Form2)
    CommandButton *Command7;  // "关机2": opens the clock-time window (Form5) (shown once loading ends)
    CommandButton *Command4;  // "退出": asks, then ends the program
    CommandButton *Command3;  // "↓" / "↑": shows and hides the menu "多功能" (shown once loading ends)
    CommandButton *Command9;  // "S": sets a password and locks the window (shown once loading ends)
    Frame *Frame3;            // "点击“+”切换": the calculator panel (tools.h)
    Frame *Frame4;            // "请输入年份↓": the leap-year panel (tools.h)
    Frame *Frame5;            // "判断生肖": the zodiac panel (tools.h)
    Frame *Frame2;            // the lock panel, over the whole window while it is locked
    Label *Label6;            // "本应用已锁定！", on the lock panel
    Label *Label8;            // "密码：", names the password field
    TextBox *Text1;           // the password field (shows "*")
    Label *Label9;            // "密码错误...": a wrong password
    CommandButton *Command10; // "解锁": unlocks with the right password (Enter on the lock panel)
    Frame *Frame1;            // the loading panel, over everything until loading ends
    Label *Label1;            // "加载中...", then "启动中..."
    Label *Label2;            // the loading count, 0 to 100
    Label *Label3;            // "%", after the count
    Line *Line1;              // the green loading bar, longer with each count
    Label *Label4;            // "欢迎使用QDX的Morvane...", shown in the middle of loading
    Menu *mnudgn;             // "多功能": the tools' menu (tools.h), hidden until Command3 shows it
    // The menu's items, the tool panels' controls and their handlers: made the first time
    // they are needed (the menu shown), not before the window first shows.
    Tools &tools();
    Timer *Timer1; // loading: counts Label2 up to 100, then shows the window's buttons
    Timer *Timer2; // the title animation of Label5, once a second after loading

    int menuClicks = 0;
    int titleTicks = 0;
    bool isLocked = false;
    QString lockPassword;

    void Form_Load() override;
    void Timer1_Timer();
    void Timer2_Timer();
    void Command3_MouseDown();
    void Form_DblClick();
    void Form_QueryUnload(bool &cancel);
    void Command4_Click();
    void Command5_Click();
    void Command7_Click();
    void Command1_Click();
    void Command2_Click();
    void Command8_Click();

    void Command9_Click();
    void Command10_Click();
    void Text1_Change();

private:
    Forms &forms_;
    std::unique_ptr<Tools> tools_;
};
