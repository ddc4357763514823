#pragma once

#include "widgets/controls.h"
#include "widgets/menu.h"

class Form1;

// The tools of the main window: the menu "多功能" with its six items, the three panels
// laid over the top of the window (calculator, leap year, zodiac) and the feedback,
// tips and About boxes. Form1 makes the empty panels and the hidden menu; this fills
// them and owns their handlers.
class Tools final {
public:
    explicit Tools(Form1 &form1);
    Tools(const Tools &) = delete;
    Tools &operator=(const Tools &) = delete;

    MenuItem *mnusx;
    MenuItem *mnupdrn;
    MenuItem *mnujsq;
    MenuItem *mnufk;
    MenuItem *mnuxjq;
    MenuItem *mnubenzhus;

    // The calculator, in Frame3: left operand, sign, right operand, "=", result.
    TextBox *Text2;
    Label *Label10;
    TextBox *Text3;
    CommandButton *Command11;
    TextBox *Text4;
    Label *Label11;

    // The leap-year checker, in Frame4.
    TextBox *Text5;
    CommandButton *Command12;
    Label *Label12;
    Label *Label13;

    // The zodiac finder, in Frame5.
    TextBox *Text6;
    CommandButton *Command13;
    Label *Label15;
    Label *Label14;

    // The calculator's operator: 1 "+", 2 "-", 3 "×", 4 "/".
    int operatorPosition = 1;

    void mnusx_Click();
    void mnupdrn_Click();
    void mnujsq_Click();
    void Label11_Click();
    void Label13_Click();
    void Label14_Click();
    void Command11_Click();
    void Label10_Click();
    void Frame3_DblClick();
    void Command12_Click();
    void Text5_Click();
    void Command13_Click();
    void mnufk_Click();
    void mnuxjq_Click();
    void mnubenzhus_Click();

private:
    Form1 &form1_;
};
