#include "forms/main/form1.h"

#include "core/convert.h"
#include "core/desktop.h"
#include "forms/clocktime/form5.h"
#include "forms/countdown/form2.h"
#include "forms/forms.h"
#include "forms/power.h"
#include "forms/tools/tools.h"

namespace {
const QStringList Kai{QStringLiteral("KaiTi")};

void confirmPowerAction(Window &window, const QString &question, PowerAction action)
{
    if (window.showMessage(question, MsgStyle::OkCancelQuestion, QStringLiteral("提示")) == MsgResult::Ok)
        PerformPowerAction(window.desktop(), action);
}
} // namespace

Form1::Form1(Forms &forms)
    : FormWindow(forms.desktop(), forms.events(), QStringLiteral("Morvane_V1.0"), 3975, 2595), forms_(forms)
{
    QWidget *w = client();
    // Creation order is both the tab order and the stacking order: a control made later
    // lies over the ones made before it. So, from the bottom up:
    //  1. the buttons in tab order (Command1 first: it has the focus at start), the labels;
    //  2. the tool panels, over the top of the window;
    //  3. the lock panel, over every control of the window;
    //  4. the loading panel, over everything until loading ends.
    Command1 = new CommandButton(w, "Command1", QStringLiteral("关机"), 720, 1680, 1215, 375);
    Command2 = new CommandButton(w, "Command2", QStringLiteral("重启"), 720, 1200, 615, 375);
    Command8 = new CommandButton(w, "Command8", QStringLiteral("注销"), 1320, 1200, 615, 375);
    Command5 = new CommandButton(w, "Command5", QStringLiteral("关机1"), 2160, 1200, 615, 375);
    Command7 = new CommandButton(w, "Command7", QStringLiteral("关机2"), 2760, 1200, 615, 375);
    Command4 = new CommandButton(w, "Command4", QStringLiteral("退出"), 2160, 1680, 1215, 375);
    Command3 = new CommandButton(w, "Command3", QStringLiteral("↓"), 0, 0, 615, 210);
    Command9 = new CommandButton(w, "Command9", QStringLiteral("S"), 3120, 0, 375, 225);
    Command8->hide();
    Command7->hide();
    Command3->hide();
    Command9->hide();

    Label5 = new Label(w, "Label5", QStringLiteral("Hello"), 1200, 480);
    Label5->setFontSize(26.25);
    Label5->setBold(true);
    Label7 = new Label(w, "Label7", QStringLiteral("请注意，关机倒计时正在运行中..."), 600, 240);
    Label7->setFace(Kai, 9);
    Label7->setForeColor(Colour::Red);
    Label7->hide();

    Frame3 = new Frame(w, "Frame3", QStringLiteral("点击“+”切换"), Frame::WithBorder, 0, 240, 3975, 975);
    Frame4 = new Frame(w, "Frame4", QStringLiteral("请输入年份↓"), Frame::WithBorder, 0, 360, 3975, 735);
    Frame5 = new Frame(w, "Frame5", QStringLiteral("判断生肖"), Frame::WithBorder, 0, 360, 3975, 855);
    Frame2 = new Frame(w, "Frame2", QString(), Frame::WithBorder, 0, 0, 3975, 2535);
    for (Frame *panel : {Frame3, Frame4, Frame5, Frame2})
        panel->hide();

    // The lock panel's controls, shown whenever the panel is. Enter on the panel unlocks;
    // while the panel is shown, nothing under it can be reached, by keys either.
    Label6 = new Label(Frame2, "Label6", QStringLiteral("本应用已锁定！"), 1080, 720);
    Label6->setForeColor(Colour::Red);
    Label6->setBold(true);
    Label8 = new Label(Frame2, "Label8", QStringLiteral("密码："), 720, 1245);
    Label8->setBold(true);
    Text1 = new TextBox(Frame2, "Text1", QString(), 1320, 1200, 1575, 315);
    Label8->setBuddy(Text1); // names the field for a screen reader
    Text1->setPasswordChar(QLatin1Char('*'));
    Label9 = new Label(Frame2, "Label9", QStringLiteral("密码错误..."), 1560, 1605);
    Label9->setForeColor(Colour::Red);
    Label9->setBold(true);
    Label9->hide();
    Command10 = new CommandButton(Frame2, "Command10", QStringLiteral("解锁"), 1560, 1920, 735, 330);
    setDefaultButton(Command10);
    addCoveringPanel(Frame2);

    Frame1 = new Frame(w, "Frame1", QString(), Frame::NoBorder, 0, 0, 4215, 2535);
    Label1 = new Label(Frame1, "Label1", QStringLiteral("加载中..."), 1440, 600);
    Label2 = new Label(Frame1, "Label2", QStringLiteral("0"), 1560, 960);
    Label2->setFace(Kai, 12);
    Label3 = new Label(Frame1, "Label3", QStringLiteral("%"), 1800, 960);
    Label3->setFontSize(12);
    // Two or three digits of the count are wider than the 240 twips before "%" in the faces
    // at hand: the sign follows the count rather than running into it.
    Label3->keepClearOf(Label2, 15);
    Line1 = new Line(Frame1, "Line1", 960, 1440, 900, 1440, Colour::Green);
    Label4 = new Label(Frame1, "Label4", QStringLiteral("欢迎使用QDX的Morvane..."), 720, 1680);
    Label4->hide();
    // Until loading ends nothing under the panel can be reached, by keys either: 关机 has the
    // focus, and Enter on it would ask to shut down.
    addCoveringPanel(Frame1);

    mnudgn = new Menu(this, "mnudgn", QStringLiteral("多功能"));
    mnudgn->setVisible(false);
    mnudgn->fill = [this] { tools(); };

    Timer1 = new Timer(this, "Timer1", 20, false);
    Timer2 = new Timer(this, "Timer2", 1000, false);

    Command1->setFocus();

    Timer1->onTimer = [this] { Timer1_Timer(); };
    Timer2->onTimer = [this] { Timer2_Timer(); };
    Command3->onMouseDown = [this] { Command3_MouseDown(); };
    onDblClick = [this] { Form_DblClick(); };
    onQueryUnload = [this](bool &cancel) { Form_QueryUnload(cancel); };
    Command4->onClick = [this] { Command4_Click(); };
    Command5->onClick = [this] { Command5_Click(); };
    Command7->onClick = [this] { Command7_Click(); };
    Command1->onClick = [this] { Command1_Click(); };
    Command2->onClick = [this] { Command2_Click(); };
    Command8->onClick = [this] { Command8_Click(); };
    Command9->onClick = [this] { Command9_Click(); };
    Command10->onClick = [this] { Command10_Click(); };
    Text1->onChange = [this] { Text1_Change(); };
}

Form1::~Form1() = default;

Tools &Form1::tools()
{
    if (!tools_)
        tools_ = std::make_unique<Tools>(*this);
    return *tools_;
}

void Form1::Form_Load()
{
    menuClicks = 1;
    Timer1->setEnabled(true);
    isLocked = false;
}

void Form1::Timer1_Timer()
{
    const double n = StrictTextToNumber(Label2->caption()) + 1;
    Label2->setCaption(NumberToText(n));
    Line1->setX2(Line1->x2() + 15);
    if (n > 30) {
        Timer1->setInterval(10);
        Label4->setVisible(true);
    }
    if (n > 80) {
        Timer1->setInterval(20);
        Label4->setVisible(false);
        Label1->setCaption(QStringLiteral("启动中..."));
    }
    if (n > 94)
        Timer1->setInterval(40);
    if (n == 100) {
        Command8->setVisible(true);
        Command9->setVisible(true);
        Frame1->setVisible(false);
        Command7->setVisible(true);
        Timer1->setEnabled(false);
        Timer2->setEnabled(true);
        Command3->setVisible(true);
    }
}

void Form1::Timer2_Timer()
{
    titleTicks = titleTicks + 1;
    if (titleTicks == 2) {
        Label5->setForeColor(Colour::Red);
    } else if (titleTicks == 3) {
        Label5->setForeColor(Colour::Green);
    } else if (titleTicks == 4) {
        Label5->setCaption(QStringLiteral("Q D X"));
        Label5->setForeColor(Colour::Blue);
    } else if (titleTicks >= 7) {
        // Every later tick writes the same again, which changes nothing.
        Label5->setCaption(QStringLiteral("Morvane"));
        Label5->setFontSize(14);
    }
}

void Form1::Command3_MouseDown()
{
    menuClicks = menuClicks + 1;
    if (menuClicks % 2 == 0) {
        mnudgn->setVisible(true);
        Command3->setCaption(QStringLiteral("↑"));
    } else {
        mnudgn->setVisible(false);
        Command3->setCaption(QStringLiteral("↓"));
    }
}

void Form1::Form_DblClick()
{
    const QDateTime now = desktop().now();
    showMessage(QStringLiteral("当前日期:") + DateText(now.date()) + QStringLiteral("\r\n当前时间:") +
                    TimeText(now.time()),
                MsgStyle::Ok, QStringLiteral("时间提示"));
}

void Form1::Form_QueryUnload(bool &cancel)
{
    cancel = true;
    if (isLocked)
        showMessage(QStringLiteral("应用未解锁，无法退出！"), MsgStyle::Ok, QStringLiteral("提示"));
    else
        minimize();
}

void Form1::Command4_Click()
{
    const int r =
        showMessage(QStringLiteral("真的要退出Morvane吗？"), MsgStyle::YesNoQuestion, QStringLiteral("提示"));
    if (r == MsgResult::Yes)
        forms_.end();
}

void Form1::Command5_Click()
{
    forms_.form2().Label7->setVisible(false);
    forms_.form2().Frame1->setVisible(false);
    forms_.form2().showWindow();
    hideWindow();
}

void Form1::Command7_Click()
{
    forms_.form5().Label8->setVisible(false);
    forms_.form5().showWindow();
    hideWindow();
}

void Form1::Command1_Click()
{
    confirmPowerAction(*this, QStringLiteral("你确定要将这台电脑立即关闭吗？"), PowerAction::Shutdown);
}

void Form1::Command2_Click()
{
    confirmPowerAction(*this, QStringLiteral("你确定要重启这台电脑吗？"), PowerAction::Restart);
}

void Form1::Command8_Click()
{
    confirmPowerAction(*this, QStringLiteral("你确定要注销这台电脑吗？"), PowerAction::LogOff);
}

// The lock. The password lives in lockPassword only: it is shown once, in the box right
// after it is set, and written nowhere else.

void Form1::Command9_Click()
{
    const QString answer = askText(QStringLiteral("请设置锁定本应用的密码：\r\n"
                                                  "1.密码如使用特殊符号可能出现无法解锁。\r\n"
                                                  "2.应用锁定后不影响后台运行。\r\n"
                                                  "3.锁定后需解锁后才能关闭应用。"),
                                   QStringLiteral("密码设置提示"));
    if (answer.isEmpty()) {
        showWindow(); // it is on screen already
        return;
    }
    lockPassword = answer; // as typed, blanks included
    showMessage(QStringLiteral("本次设置锁定的密码为:   ") + lockPassword +
                    QStringLiteral("\r\n1.应用锁定后需要输入正确的密码才可使用。"
                                   "\r\n2.此密码仅对本次生肖。"
                                   "\r\n3.请勿强制关闭！"),
                MsgStyle::Ok, QStringLiteral("提示"));
    showMessage(QStringLiteral("设置成功！"), MsgStyle::Ok, QStringLiteral("提示"));
    Frame2->setVisible(true);
    Frame5->setVisible(false);
    Frame3->setVisible(false);
    Frame4->setVisible(false);
    mnudgn->setVisible(false);
    isLocked = true;
    Text1->setText(QString()); // what unlocked the last lock must not unlock this one
    Text1->setFocus();
}

void Form1::Command10_Click()
{
    // Character for character: case and blanks count. Text1 keeps what was typed.
    if (Text1->text() == lockPassword) {
        Frame2->setVisible(false);
        isLocked = false;
    } else {
        Label9->setVisible(true);
    }
}

void Form1::Text1_Change()
{
    Label9->setVisible(false);
}
