#include "forms/countdown/form2.h"

#include "core/convert.h"
#include "core/desktop.h"
#include "forms/countdown/form4.h"
#include "forms/forms.h"
#include "forms/main/form1.h"
#include "forms/power.h"

#include <cmath>
#include <iterator>

namespace {
const QString CancelCaption = QStringLiteral("取消关机");
// The reminder presets, in the order of Combo1's list.
constexpr int Presets[] = {15, 30, 60, 120, 180};
constexpr int PresetCount = int(std::size(Presets));
// Faces with narrow digits, so that the figure leaves its line readable.
const QStringList FigureFaces{QStringLiteral("Arial"), QStringLiteral("WenQuanYi Zen Hei")};
constexpr int FigureGap = 15; // twips between a figure and the text after it

Label *redLabel(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    auto *label = new Label(parent, name, caption, left, top);
    label->setForeColor(Colour::Red);
    label->hide();
    return label;
}

// The largest count that goes down one by one: above it a double's neighbours are more
// than 1 apart, so the figure less one is the figure again and never reaches "0".
constexpr double LargestCount = 9007199254740992.0; // 2^53

// An entry that can count down to "0": a number that is whole, not negative and not
// beyond the counts that step down by one.
bool isValidEntry(const QString &entry)
{
    if (!IsNumericText(entry))
        return false;
    const double value = StrictTextToNumber(entry);
    return value >= 0 && value == std::floor(value) && value <= LargestCount;
}

// A figure worth zero seconds ("0", "00"): the moment to shut down.
bool isZeroFigure(const QString &figure)
{
    return IsNumericText(figure) && StrictTextToNumber(figure) == 0;
}
} // namespace

Form2::Form2(Forms &forms)
    : FormWindow(forms.desktop(), forms.events(), QStringLiteral("Morvane"), 4320, 4740), forms_(forms)
{
    QWidget *w = client();
    Label8 = new Label(w, "Label8", QStringLiteral("请输入！"), 1080, 120);
    Label8->setFontSize(26.25);
    Label7 = redLabel(w, "Label7", QStringLiteral("关机已被成功取消！"), 1080, 360);

    Label1 = new Label(w, "Label1", QStringLiteral("我需要"), 600, 900);
    Text1 = new TextBox(w, "Text1", QString(), 1200, 840, 1095, 315); // first in the tab order
    Label1->setBuddy(Text1);                                          // names the field for a screen reader
    Text1->setMaxLength(5);
    Label2 = new Label(w, "Label2", QStringLiteral("秒后关机。"), 2400, 900);
    Label6 = redLabel(w, "Label6", QStringLiteral("您输入的是0，点击确定将立刻关机！"), 480, 1260);
    Label15 = redLabel(w, "Label15", QStringLiteral("亲，请正确输入！"), 1200, 1260);

    Frame1 = new Frame(w, "Frame1", QStringLiteral("倒计时"), Frame::WithBorder, 240, 1560, 3840, 735);
    Frame1->hide();
    Label3 = new Label(Frame1, "Label3", QStringLiteral("计算机将在"), 240, 360);
    Label4 = new Label(Frame1, "Label4", QString(), 1560, 300);
    Label4->setForeColor(Colour::Red);
    Label4->setFace(FigureFaces, 14.25);
    Label4->setBold(true);
    // Up to three characters of the figure end before 2100 and up to five before 2450,
    // where Label4_Change puts "秒后关闭！"; a longer figure pushes it further right.
    Label4->shrinkToFit({QStringLiteral("888")}, 2100 - 1560 - FigureGap);
    Label4->shrinkToFit({QStringLiteral("88888"), QStringLiteral("8E+88")}, 2450 - 1560 - FigureGap);
    Label5 = new Label(Frame1, "Label5", QStringLiteral("秒后关闭！"), 2000, 360);
    Label5->keepClearOf(Label4, FigureGap);

    Check1 = new CheckBox(w, "Check1", QStringLiteral("查看详情"), 240, 2400, 1215, 255);
    Check1->hide();

    Frame2 = new Frame(w, "Frame2", QString(), Frame::NoBorder, 240, 2700, 3840, 735);
    Frame2->hide();
    Label10 = new Label(Frame2, "Label10", QStringLiteral("电脑将在"), 0, 0);
    Label9 = new Label(Frame2, "Label9", QStringLiteral("0"), 840, 0);
    Label11 = new Label(Frame2, "Label11", QStringLiteral("分钟左右后关闭！"), 1320, 0);
    Label11->keepClearOf(Label9, FigureGap);
    Label12 = new Label(Frame2, "Label12", QString(), 0, 240);

    Frame3 = new Frame(w, "Frame3", QString(), Frame::NoBorder, 240, 3480, 3840, 615);
    Frame3->hide();
    check2 = new CheckBox(Frame3, "check2", QStringLiteral("最后"), 0, 30, 735, 255);
    Combo1 = new ComboBox(Frame3, "Combo1", 720, 0, 855, 300);
    Label13 = new Label(Frame3, "Label13", QStringLiteral("秒提醒我！"), 1680, 45);
    Label13->setBuddy(Combo1); // names the box for a screen reader
    Label16 = redLabel(Frame3, "Label16", QStringLiteral("设置完毕！"), 0, 360);
    Label14 = redLabel(Frame3, "Label14", QStringLiteral("设置成功！"), 1200, 360);

    Command1 = new CommandButton(w, "Command1", QStringLiteral("确定"), 600, 4200, 1215, 375);
    Command2 = new CommandButton(w, "Command2", QStringLiteral("返回"), 2400, 4200, 1215, 375);
    setDefaultButton(Command1);
    setCancelButton(Command2);

    Timer1 = new Timer(this, "Timer1", 1000, false);
    Timer2 = new Timer(this, "Timer2", 1000, true);

    Text1->setFocus();

    Text1->onChange = [this] { Text1_Change(); };
    Command1->onClick = [this] { Command1_Click(); };
    Timer1->onTimer = [this] { Timer1_Timer(); };
    Label4->onChange = [this] { Label4_Change(); };
    Check1->onClick = [this] { Check1_Click(); };
    Combo1->onClick = [this] { Combo1_Click(); };
    Combo1->onChange = [this] { Combo1_Change(); };
    check2->onClick = [this] { check2_Click(); };
    Timer2->onTimer = [this] { Timer2_Timer(); };
    Command2->onClick = [this] { Command2_Click(); };
    onQueryUnload = [this](bool &cancel) { Form_QueryUnload(cancel); };
}

void Form2::Form_Load()
{
    Command1->setEnabled(isValidEntry(Text1->text()));
    check2->setEnabled(false);
    Check1->setValue(0);
    for (int preset : Presets)
        Combo1->addItem(QString::number(preset));
}

void Form2::Text1_Change()
{
    const QString entry = Text1->text();
    Label15->setVisible(!isValidEntry(entry));
    Command1->setEnabled(isValidEntry(entry));
    if (isValidEntry(entry) && isZeroFigure(entry)) {
        Label6->setVisible(true);
        Label7->setVisible(false);
    } else {
        Label6->setVisible(false);
    }
}

void Form2::Command1_Click()
{
    Label8->setVisible(false);
    Check1->setVisible(true);
    if (Command1->caption() == CancelCaption) {
        Timer1->setEnabled(false);
        Text1->setText(QString());
        Check1->setValue(0);
    }
    startStopClicks = startStopClicks + 1;
    if (startStopClicks % 2 == 0) {
        Command1->setCaption(QStringLiteral("确定"));
        Check1->setVisible(false);
        Label7->setVisible(true);
        Text1->setEnabled(true);
        Label1->setVisible(true);
        Label2->setVisible(true);
        Text1->setVisible(true);
        Text1->setFocus(); // ready for the next figure
    } else {
        Command1->setCaption(CancelCaption);
        Frame3->setVisible(false);
        Label7->setVisible(false);
        Text1->setEnabled(false);
        Label1->setVisible(false);
        Label2->setVisible(false);
        Text1->setVisible(false);
        check2->setEnabled(false);
        check2->setValue(0);
        Combo1->setText(QString());
        Label14->setVisible(false);
    }
    Timer1->setEnabled(true);
    Label4->setCaption(Text1->text()); // with "0" its handler shuts down and stops Timer1 again
    if (IsNumericText(Text1->text())) {
        Frame1->setVisible(true);
    } else {
        Timer1->setEnabled(false);
        Text1->setText(QString());
    }
}

void Form2::Timer1_Timer()
{
    Label9->setCaption(NumberToText(std::floor(StrictTextToNumber(Label4->caption()) / 60)));
    if (IsNumericText(Text1->text())) {
        Label4->setCaption(NumberToText(CheckedSubtract(StrictTextToNumber(Label4->caption()), 1)));
        forms_.form1().Label7->setVisible(true);
    }
    if (!(StrictTextToNumber(Label4->caption()) > 0) && !IsNumericText(Text1->text()))
        Timer1->setEnabled(false);
}

void Form2::Label4_Change()
{
    const QString count = Label4->caption();
    Label5->setLeft(count.size() > 3 ? 2450 : 2100);
    if (isZeroFigure(count))
        PerformPowerAction(desktop(), PowerAction::Shutdown);
    if (check2->value() == 1 && remindAt.matches(count)) {
        forms_.form4().showWindow();
        hideWindow();
    }
    if (isZeroFigure(count))
        Timer1->setEnabled(false);
    Frame1->setVisible(true);
}

void Form2::Check1_Click()
{
    const bool open = Check1->value() == 1;
    Frame2->setVisible(open);
    Frame3->setVisible(open);
}

void Form2::Combo1_Click()
{
    check2->setEnabled(true);
    check2->setValue(0);
    Label14->setVisible(false);
}

void Form2::Combo1_Change()
{
    check2->setValue(0);
    if (!Combo1->text().isEmpty()) {
        remindAt.setText(Combo1->text());
        check2->setEnabled(true);
    } else {
        check2->setEnabled(false);
        Combo1->setText(QString()); // already empty: no event
        check2->setValue(0);        // already 0: no event
    }
}

void Form2::check2_Click()
{
    if (check2->value() == 1) {
        const int index = Combo1->listIndex();
        if (index >= 0 && index < PresetCount) {
            remindAt.setNumber(Presets[index]);
            Label14->setVisible(true);
            check2->setEnabled(false);
            check2->setValue(1); // already 1: no event
            Label16->setVisible(false);
        }
    }
    // The steps below overlap the one above; each is kept as the order is behaviour.
    Label16->setVisible(check2->value() == 1);
    if (check2->value() == 0) {
        Label16->setVisible(true);
        Label16->setCaption(QStringLiteral("设置以取消！"));
        Label14->setVisible(false);
    } else {
        Label16->setVisible(true);
        Label16->setCaption(QStringLiteral("设置完毕！"));
    }
}

void Form2::Timer2_Timer()
{
    const QDateTime now = desktop().now();
    Label12->setCaption(QStringLiteral("当前日期:") + DateText(now.date()) + QStringLiteral("\r\n当前时间:") +
                        TimeText(now.time()));
}

void Form2::Command2_Click()
{
    Form1 &form1 = forms_.form1();
    form1.showWindow();
    hideWindow();
    form1.Frame1->setVisible(false);
    const bool running = Command1->caption() == CancelCaption;
    form1.Label7->setVisible(running);
    form1.Command7->setEnabled(!running);
}

void Form2::Form_QueryUnload(bool &cancel)
{
    cancel = true;
    forms_.form1().minimize();
}
