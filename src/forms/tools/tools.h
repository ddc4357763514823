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

    MenuItem *mnusx;      // "十二生肖" (F1): the zodiac panel
    MenuItem *mnupdrn;    // "判断闰年" (F2): the leap-year panel
    MenuItem *mnujsq;     // "简易计算器" (F3): the calculator panel
    MenuItem *mnufk;      // "用户反馈" (Ctrl+Shift+F8): the feedback box
    MenuItem *mnuxjq;     // "助手小技巧" (Ctrl+Shift+F7): the tips box
    MenuItem *mnubenzhus; // "关于本应用" (F12): the About box

    // The calculator, in Frame3: left operand, sign, right operand, "=", result.
    TextBox *Text2;           // the left operand
    Label *Label10;           // "+": the sign; a click turns it to the next one
    TextBox *Text3;           // the right operand
    CommandButton *Command11; // "=": works the result out
    TextBox *Text4;           // the result (read only)
    Label *Label11;           // "×": closes the panel

    // The leap-year checker, in Frame4.
    TextBox *Text5;           // the year, "1999" in grey until clicked
    CommandButton *Command12; // "判断": tells whether the year is a leap year
    Label *Label12;           // the verdict
    Label *Label13;           // "×": closes the panel

    // The zodiac finder, in Frame5.
    TextBox *Text6;           // the year
    CommandButton *Command13; // "判断": finds the year's animal
    Label *Label15;           // the verdict
    Label *Label14;           // "×": closes the panel

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
