#pragma once

#include "widgets/controls.h"
#include "widgets/menu.h"
#include "widgets/timer.h"
#include "widgets/window.h"

#include <memory>

class Forms;
class Tools;

// The main window: loading and title animations, the power buttons, the ways to the
// timed-shutdown windows, the exit; the lock panel and the tool panels.
class Form1 final : public Window {
public:
    explicit Form1(Forms &forms);
    ~Form1() override;

    Label *Label5;
    Label *Label7;
    CommandButton *Command1;
    CommandButton *Command2;
    CommandButton *Command8;
    CommandButton *Command5;
    CommandButton *Command7;
    CommandButton *Command4;
    CommandButton *Command3;
    CommandButton *Command9;
    Frame *Frame3;
    Frame *Frame4;
    Frame *Frame5;
    Frame *Frame2;
    Label *Label6;
    Label *Label8;
    TextBox *Text1;
    Label *Label9;
    CommandButton *Command10;
    Frame *Frame1;
    Label *Label1;
    Label *Label2;
    Label *Label3;
    Line *Line1;
    Label *Label4;
    Menu *mnudgn;
    // The menu's items, the tool panels' controls and their handlers: made the first time
    // they are needed (the menu shown), not before the window first shows.
    Tools &tools();
    Timer *Timer1;
    Timer *Timer2;

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
