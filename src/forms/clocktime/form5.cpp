#include "forms/clocktime/form5.h"

#include "core/convert.h"
#include "core/desktop.h"
#include "forms/forms.h"
#include "forms/main/form1.h"
#include "forms/power.h"

namespace {
const QString FullWidthColon = QStringLiteral("：");
// Each tick is aimed at the very start of a second. The wait is counted from the clock's
// whole millisecond, so it does not end before the second begins; the timer's millisecond
// steps and its wake-up put the tick a millisecond or two into it. A tick that still comes
// early reads the second before and is followed at once by the next.
constexpr int TickAfterSecondMs = 0;
// A tick later than this has not been merely held up: the computer slept or the clock
// was set, and the seconds in between are not written after the fact.
constexpr qint64 MaxCatchUpSeconds = 60;

// The pieces of a time text that the watch compares: characters 1-2, 4-5 and the last two.
QString hourPiece(const QString &text)
{
    return text.left(2);
}
QString minutePiece(const QString &text)
{
    return text.mid(3, 2);
}
QString secondPiece(const QString &text)
{
    return text.right(2);
}
bool samePieces(const QString &a, const QString &b)
{
    return hourPiece(a) == hourPiece(b) && minutePiece(a) == minutePiece(b) &&
           secondPiece(a) == secondPiece(b);
}

QString targetText(const QTime &time)
{
    return FormatClock(time, QStringLiteral("hh")) + FullWidthColon +
           FormatClock(time, QStringLiteral("nn")) + FullWidthColon + FormatClock(time, QStringLiteral("ss"));
}

// True when the value can be made into the whole number a time of day is built from.
bool fitsTimePart(double value)
{
    try {
        ToInt16(value);
        return true;
    } catch (const RuntimeError &) {
        return false;
    }
}

Label *boldLabel(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    auto *label = new Label(parent, name, caption, left, top);
    label->setBold(true);
    return label;
}

QDateTime wholeSecond(const QDateTime &time)
{
    return time.addMSecs(-time.time().msec());
}
} // namespace

Form5::Form5(Forms &forms)
    : FormWindow(forms.desktop(), forms.events(), QStringLiteral("Morvane"), 3930, 2385), forms_(forms)
{
    QWidget *w = client();
    // Creation order is the tab order (the fields, 确定, 返回, 取消设置, the check box)
    // and the stacking order: Label9 is made before Frame1, which lies over it.
    Label2 = boldLabel(w, "Label2", QStringLiteral("设置定时关机"), 1080, 120);
    Label1 = boldLabel(w, "Label1", QString(), 3000, 120);
    Label1->hide();
    Label7 = new Label(w, "Label7", QStringLiteral("Label7"), 240, 600);
    Label7->setForeColor(Colour::VerdictGreen);
    Label7->hide();
    Label8 = new Label(w, "Label8", QStringLiteral("设置已取消！"), 1320, 600);
    Label8->setForeColor(Colour::Red);
    Label8->hide();
    Label6 = new Label(w, "Label6", QString(), 0, 0);
    Label6->hide();
    Label10 = new Label(w, "Label10", QString(), 0, 0);
    Label10->hide();
    Label9 = new Label(w, "Label9", QStringLiteral("1"), 480, 1080);

    Frame1 = new Frame(w, "Frame1", QStringLiteral("请输入"), Frame::WithBorder, 240, 840, 3615, 735);
    Text1 = new TextBox(Frame1, "Text1", QString(), 240, 240, 615, 375);
    Label3 = boldLabel(Frame1, "Label3", QStringLiteral("时"), 960, 330);
    Text2 = new TextBox(Frame1, "Text2", QString(), 1320, 240, 615, 375);
    Label4 = boldLabel(Frame1, "Label4", QStringLiteral("分"), 2040, 330);
    Text3 = new TextBox(Frame1, "Text3", QString(), 2400, 240, 615, 375);
    Label5 = boldLabel(Frame1, "Label5", QStringLiteral("秒"), 3120, 330);
    // The unit after each field names it for a screen reader.
    Label3->setBuddy(Text1);
    Label4->setBuddy(Text2);
    Label5->setBuddy(Text3);

    Command1 = new CommandButton(w, "Command1", QStringLiteral("确定"), 360, 1920, 975, 375);
    Command2 = new CommandButton(w, "Command2", QStringLiteral("返回"), 2760, 1920, 975, 375);
    Command3 = new CommandButton(w, "Command3", QStringLiteral("取消设置"), 1560, 1920, 975, 375);
    // 240 high, it ends above the buttons.
    Check1 = new CheckBox(w, "Check1", QStringLiteral("最后1分钟提醒我"), 360, 1680, 2400, 240);
    Check1->hide();
    setDefaultButton(Command1);
    setCancelButton(Command2);

    Timer1 = new Timer(this, "Timer1", 1000, true);
    Timer1->alignToClock(TickAfterSecondMs);

    Text1->setFocus();

    Text1->onChange = [this] { Text1_Change(); };
    Text2->onChange = [this] { Text2_Change(); };
    Text3->onChange = [this] { Text3_Change(); };
    Command1->onClick = [this] { Command1_Click(); };
    Label6->onChange = [this] { Label6_Change(); };
    Check1->onClick = [this] { Check1_Click(); };
    Command3->onClick = [this] { Command3_Click(); };
    Command2->onClick = [this] { Command2_Click(); };
    onQueryUnload = [this](bool &cancel) { Form_QueryUnload(cancel); };
    Timer1->onTimer = [this] { Timer1_Timer(); };
    Label1->onChange = [this] { Label1_Change(); };
    onDblClick = [this] { Form_DblClick(); };
    Label1->onDblClick = [this] { Label1_DblClick(); };
}

// --- Setup

void Form5::Form_Load()
{
    Command3->setEnabled(false);
}

void Form5::fieldChanged(TextBox *field, double &value, double limit)
{
    value = TextToNumber(field->text());
    if (TextToNumber(field->text()) > limit)
        field->setText(QString()); // runs this again, which stores 0
}

void Form5::Text1_Change()
{
    fieldChanged(Text1, hourValue, 24);
}

void Form5::Text2_Change()
{
    fieldChanged(Text2, minuteValue, 60);
}

void Form5::Text3_Change()
{
    fieldChanged(Text3, secondValue, 60);
}

void Form5::Command1_Click()
{
    if (Text1->text().isEmpty() && Text2->text().isEmpty() && Text3->text().isEmpty()) {
        showMessage(QStringLiteral("您还没有设置时间呢~"), MsgStyle::Ok, QStringLiteral("提示"));
        return;
    }
    // A value that cannot become a time of day is refused here, before anything changes,
    // so that no half-made setting is left behind.
    if (!fitsTimePart(hourValue) || !fitsTimePart(minuteValue) || !fitsTimePart(secondValue)) {
        showMessage(QStringLiteral("亲，时间输入有误，请重新输入！"), MsgStyle::Ok, QStringLiteral("提示"));
        return;
    }
    Frame1->setCaption(QStringLiteral("定时关机"));
    Label9->setCaption(QStringLiteral("1"));
    Check1->setVisible(true);
    Label8->setVisible(false);
    Text1->setEnabled(false);
    Text2->setEnabled(false);
    Text3->setEnabled(false);
    Label7->setVisible(true);
    Command1->setEnabled(false); // from here on a setting is active
    Command3->setEnabled(true);
    shutTime = TimeFromParts(hourValue, minuteValue, secondValue);
    Label6->setCaption(targetText(shutTime));
}

void Form5::Label6_Change()
{
    const QString target = Label6->caption();
    Label7->setCaption(QStringLiteral("设置成功！计算机将在 ") + target.mid(0, 2) + QStringLiteral("点") +
                       target.mid(3, 2) + QStringLiteral("分") + target.right(2) + QStringLiteral("秒") +
                       QStringLiteral(" 关闭！"));
}

void Form5::Check1_Click()
{
    if (Check1->value() == 1) {
        shutTime = ShiftTime(shutTime, -60);
        Label10->setCaption(targetText(shutTime));
        Check1->setEnabled(false); // only a cancel takes the reminder back
    }
}

void Form5::Command3_Click()
{
    Check1->setVisible(false);
    Check1->setEnabled(true);
    Check1->setValue(0);
    Command3->setEnabled(false);
    Label8->setVisible(true);
    Label7->setVisible(false);
    Text1->setEnabled(true);
    Text2->setEnabled(true);
    Text3->setEnabled(true);
    Command1->setEnabled(true); // from here on no setting is active
    Text1->setText(QString());
    Text2->setText(QString());
    Text3->setText(QString());
    Text1->setFocus(); // ready for the next time
}

void Form5::Command2_Click()
{
    Form1 &form1 = forms_.form1();
    form1.showWindow();
    hideWindow();
    const bool active = !Command1->isEnabled();
    form1.Label7->setVisible(active);
    form1.Command5->setEnabled(!active);
}

void Form5::Form_QueryUnload(bool &cancel)
{
    cancel = true;
    forms_.form1().minimize();
}

// --- Watch

void Form5::Timer1_Timer()
{
    const QDateTime now = wholeSecond(desktop().now());
    const qint64 passed = clockShown.isValid() ? clockShown.secsTo(now) : 0;
    if (passed >= 2 && passed <= MaxCatchUpSeconds) {
        // A late tick. Each write may open the reminder box, inside which later ticks
        // move the clock on themselves; the loop then has nothing left to write.
        while (clockShown < now) {
            clockShown = clockShown.addSecs(1);
            Label1->setCaption(TimeText(clockShown.time()));
        }
        return;
    }
    clockShown = now;
    Label1->setCaption(TimeText(now.time()));
}

void Form5::Label1_Change()
{
    const QString clock = Label1->caption();
    if (samePieces(clock, Label6->caption()) && !Command1->isEnabled())
        PerformPowerAction(desktop(), PowerAction::Shutdown);
    if (samePieces(clock, Label10->caption()) && Label9->caption() == QStringLiteral("1") &&
        Check1->value() == 1) {
        // A warning in its own time, not an answer to the user: it comes above every window.
        const int r = desktop().showMessage(
            QStringLiteral("主人！！！系统奉命提醒您！！！\r\n计算机将在 1 分钟内关闭！！！"), MsgStyle::Ok,
            QStringLiteral("关机提醒"), nullptr);
        if (r == MsgResult::Ok)
            Label9->setCaption(QString());
    }
}

void Form5::Form_DblClick()
{
    Label1->setVisible(true);
}

void Form5::Label1_DblClick()
{
    Label1->setVisible(false);
}
