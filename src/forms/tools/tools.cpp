#include "forms/tools/tools.h"

#include "core/convert.h"
#include "core/desktop.h"
#include "forms/main/form1.h"

#include <optional>

namespace {

const QString CannotJudge = QStringLiteral("无法判断");
const QString Thanks = QStringLiteral("提交成功");

// The "×" in a panel's top-right corner that closes it.
Label *closeLabel(Frame *frame, const char *name, int left, int top, int width, int height)
{
    auto *label = new Label(frame, name, QStringLiteral("×"), left, top, width, height);
    label->setForeColor(Colour::DarkRed);
    label->setFontSize(7.5);
    label->setBold(true);
    return label;
}

TextBox *numberBox(Frame *frame, const char *name, const QString &text, int left, int top, int width,
                   int height, double pointSize)
{
    auto *box = new TextBox(frame, name, text, left, top, width, height);
    applyFont(*box, pointSize, true);
    return box;
}

CommandButton *judgeButton(Frame *frame, const char *name, int left, int top, int width, int height)
{
    auto *button = new CommandButton(frame, name, QStringLiteral("判断"), left, top, width, height);
    applyFont(*button, 9, false);
    return button;
}

Label *verdictLabel(Frame *frame, const char *name, int left, int top)
{
    auto *label = new Label(frame, name, QString(), left, top);
    label->setForeColor(Colour::VerdictGreen);
    label->setFontSize(12);
    label->setBold(true);
    return label;
}

// A year typed into a year box: read leniently and rounded, halves to even. A year
// beyond 16 or 32 bits is still judged, on 64 bits; one beyond those (1e99) has none.
std::optional<int64_t> yearOf(const QString &text)
{
    try {
        return ToInt64(TextToNumber(text));
    } catch (const RuntimeError &) {
        return std::nullopt;
    }
}

bool isLeapYear(int64_t year)
{
    if (year % 100 == 0)
        return year % 400 == 0;
    return year % 4 == 0;
}

// The animal of a year. The cycle goes on backwards before year 0: -1 is the year
// before 0 ("猴"), so it is "羊".
QString animalOf(int64_t year)
{
    static const QString Animals[] = {
        QStringLiteral("猴"), QStringLiteral("鸡"), QStringLiteral("狗"), QStringLiteral("猪"),
        QStringLiteral("鼠"), QStringLiteral("牛"), QStringLiteral("虎"), QStringLiteral("兔"),
        QStringLiteral("龙"), QStringLiteral("蛇"), QStringLiteral("马"), QStringLiteral("羊"),
    };
    return Animals[(year % 12 + 12) % 12];
}

bool isNumberEntry(const QString &text)
{
    return !text.isEmpty() && IsNumericText(text);
}

} // namespace

Tools::Tools(Form1 &form1) : form1_(form1)
{
    Menu *menu = form1.mnudgn;
    mnusx = menu->addItem("mnusx", QStringLiteral("十二生肖"), QKeySequence(Qt::Key_F1));
    mnupdrn = menu->addItem("mnupdrn", QStringLiteral("判断闰年"), QKeySequence(Qt::Key_F2));
    mnujsq = menu->addItem("mnujsq", QStringLiteral("简易计算器"), QKeySequence(Qt::Key_F3));
    mnufk =
        menu->addItem("mnufk", QStringLiteral("用户反馈"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F8));
    mnuxjq = menu->addItem("mnuxjq", QStringLiteral("助手小技巧"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F7));
    mnubenzhus = menu->addItem("mnubenzhus", QStringLiteral("关于本应用"), QKeySequence(Qt::Key_F12));

    // The frames' own font is their caption's; every control in them sets its own.
    for (Frame *frame : {form1.Frame3, form1.Frame4, form1.Frame5})
        applyFont(*frame, 7.5, true);

    Frame *f3 = form1.Frame3;
    Text2 = numberBox(f3, "Text2", QString(), 120, 360, 735, 375, 14.25);
    Label10 = new Label(f3, "Label10", QStringLiteral("+"), 960, 400, 165, 300);
    Label10->setForeColor(Colour::Black);
    Label10->setFontSize(14.25);
    Label10->setBold(true);
    Text3 = numberBox(f3, "Text3", QString(), 1320, 360, 855, 375, 14.25);
    Command11 = new CommandButton(f3, "Command11", QStringLiteral("="), 2280, 360, 495, 375);
    applyFont(*Command11, 14.25, true);
    Text4 = numberBox(f3, "Text4", QString(), 2880, 360, 855, 375, 14.25);
    Text4->setReadOnly(true);
    // A screen reader would name each box by the panel's title; name them for what they hold.
    Text2->setAccessibleName(QStringLiteral("第一个数"));
    Text3->setAccessibleName(QStringLiteral("第二个数"));
    Text4->setAccessibleName(QStringLiteral("计算结果"));
    Label11 = closeLabel(f3, "Label11", 3752, 90, 165, 150);

    Frame *f4 = form1.Frame4;
    Text5 = numberBox(f4, "Text5", QStringLiteral("1999"), 240, 240, 1215, 375, 10.5);
    Text5->setMaxLength(4);
    Text5->setForeColor(Colour::Grey);
    Command12 = judgeButton(f4, "Command12", 1560, 240, 735, 375);
    Label12 = verdictLabel(f4, "Label12", 2640, 300);
    Label13 = closeLabel(f4, "Label13", 3750, 110, 165, 255);

    Frame *f5 = form1.Frame5;
    Text6 = numberBox(f5, "Text6", QString(), 240, 240, 1215, 375, 10.5);
    Text6->setMaxLength(4);
    Text6->setForeColor(Colour::Black);
    Command13 = judgeButton(f5, "Command13", 1560, 240, 855, 375);
    Label15 = verdictLabel(f5, "Label15", 2760, 280);
    Label14 = closeLabel(f5, "Label14", 3750, 110, 165, 255);

    mnusx->onClick = [this] { mnusx_Click(); };
    mnupdrn->onClick = [this] { mnupdrn_Click(); };
    mnujsq->onClick = [this] { mnujsq_Click(); };
    Label11->onClick = [this] { Label11_Click(); };
    Label13->onClick = [this] { Label13_Click(); };
    Label14->onClick = [this] { Label14_Click(); };
    Command11->onClick = [this] { Command11_Click(); };
    Label10->onClick = [this] { Label10_Click(); };
    f3->onDblClick = [this] { Frame3_DblClick(); };
    Command12->onClick = [this] { Command12_Click(); };
    Text5->onClick = [this] { Text5_Click(); };
    Command13->onClick = [this] { Command13_Click(); };
    mnufk->onClick = [this] { mnufk_Click(); };
    mnuxjq->onClick = [this] { mnuxjq_Click(); };
    mnubenzhus->onClick = [this] { mnubenzhus_Click(); };
}

// --- Opening and closing the panels: at most one is open.

void Tools::mnusx_Click()
{
    form1_.Frame5->setVisible(true);
    form1_.Frame3->setVisible(false);
    form1_.Frame4->setVisible(false);
}

void Tools::mnupdrn_Click()
{
    form1_.Frame4->setVisible(true);
    form1_.Frame3->setVisible(false);
    form1_.Frame5->setVisible(false);
}

void Tools::mnujsq_Click()
{
    form1_.Frame3->setVisible(true);
    form1_.Frame4->setVisible(false);
    form1_.Frame5->setVisible(false);
}

void Tools::Label11_Click()
{
    form1_.Frame3->setVisible(false);
}

void Tools::Label13_Click()
{
    form1_.Frame4->setVisible(false);
}

void Tools::Label14_Click()
{
    form1_.Frame5->setVisible(false);
}

// --- The calculator

// Any run-time error ends it silently, leaving the operands as it wrote them; a fault in
// the operation empties the result box, which would otherwise show the last result beside
// operands it is not the result of.
void Tools::Command11_Click()
{
    try {
        if (Text2->text().isEmpty() || Text3->text().isEmpty() || !IsNumericText(Text3->text()) ||
            !IsNumericText(Text2->text())) {
            Text3->setText(QStringLiteral("0"));
            Text2->setText(QStringLiteral("0"));
        }
        double (*operation)(double, double) = nullptr;
        const QString sign = Label10->caption();
        if (sign == QLatin1String("+"))
            operation = CheckedAdd;
        else if (sign == QLatin1String("-"))
            operation = CheckedSubtract;
        else if (sign == QStringLiteral("×"))
            operation = CheckedMultiply;
        else if (sign == QLatin1String("/"))
            operation = CheckedDivide;
        else
            return;
        // Each operand is read the way it was accepted, in the locale's format, so that
        // "1,000" is a thousand here too.
        const double b = StrictTextToNumber(Text3->text());
        const double a = StrictTextToNumber(Text2->text());
        Text4->setText(NumberToText(operation(a, b)));
    } catch (const RuntimeError &) {
        Text4->setText(QString());
    }
}

void Tools::Label10_Click()
{
    static const QString Signs[] = {QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("×"),
                                    QStringLiteral("/")};
    Text4->setText(QString());
    operatorPosition = operatorPosition % 4 + 1;
    Label10->setCaption(Signs[operatorPosition - 1]);
    if (operatorPosition == 2)
        form1_.Frame3->setCaption(QStringLiteral("简易计算器"));
}

void Tools::Frame3_DblClick()
{
    Text2->setText(QString());
    Text3->setText(QString());
    Text4->setText(QString());
}

// --- The leap-year checker

void Tools::Command12_Click()
{
    form1_.Frame4->setCaption(QStringLiteral("闰年判断器"));
    const std::optional<int64_t> year = yearOf(Text5->text());
    if (!year) {
        Label12->setCaption(CannotJudge);
        Label12->setForeColor(Colour::Red);
    } else if (isLeapYear(*year)) {
        Label12->setCaption(QStringLiteral("是闰年"));
        Label12->setForeColor(Colour::VerdictGreen);
    } else {
        Label12->setCaption(QStringLiteral("不是闰年"));
        Label12->setForeColor(Colour::Red);
    }
    // A text that is no number at all overrides whatever its leading digits gave.
    if (!isNumberEntry(Text5->text())) {
        Label12->setCaption(CannotJudge);
        Label12->setForeColor(Colour::Red);
    }
}

// The grey hint goes at the first click; every later click empties the box too.
void Tools::Text5_Click()
{
    Text5->setText(QString());
    Text5->setForeColor(Colour::Black);
}

// --- The zodiac finder

void Tools::Command13_Click()
{
    form1_.Frame5->setCaption(QStringLiteral("十二生肖"));
    const std::optional<int64_t> year = yearOf(Text6->text());
    Label15->setCaption(year ? animalOf(*year) : CannotJudge);
    if (!isNumberEntry(Text6->text())) {
        Label15->setCaption(CannotJudge);
        Label15->setForeColor(Colour::Red);
    } else {
        Label15->setForeColor(year ? Colour::VerdictGreen : Colour::Red);
    }
}

// --- Feedback, tips and About

void Tools::mnufk_Click()
{
    Window &form1 = form1_;
    const QString rating =
        form1.askText(QStringLiteral("请为本应用程序作出评价：\r\nA.满意！\r\nB.还行！\r\nC.差！"),
                      QStringLiteral("用户反馈"));
    if (rating == QLatin1String("c") || rating == QLatin1String("C")) {
        const int r = form1.showMessage(
            QStringLiteral("感谢您的评价，是否对需要留言~\r\n点击”是“给我们留言~\r\n点击”否“返回首页  "),
            MsgStyle::YesNoQuestion, Thanks);
        if (r == MsgResult::Yes) {
            form1.askText(QStringLiteral("请输入您的留言："), QStringLiteral("用户留言")); // not kept
            form1.showMessage(QStringLiteral("感谢您的反馈~"), MsgStyle::Ok, Thanks);
        } else {
            form1_.showWindow();
        }
    } else {
        form1.showMessage(QStringLiteral("感谢您的评价！再见~"), MsgStyle::Ok, Thanks);
    }
}

void Tools::mnuxjq_Click()
{
    form1_.showMessage(QStringLiteral("本应用的小技巧：\r\n"
                                      "1.在主页面中双击可显示当前日期时间。\r\n"
                                      "2.在简易计算器里的空白处双击可清空数值。\r\n"
                                      "3.在 关机2 方式中双击空白处可显示当前系统时间\r\n"
                                      "4.更新中..."),
                       MsgStyle::Ok, QStringLiteral("小技巧"));
}

void Tools::mnubenzhus_Click()
{
    form1_.showMessage(QStringLiteral("本程序应用安全无毒，请放心使用！\r\n"
                                      "如遇问题请联系Morvane项目组，即时通讯：morvane-team\r\n"
                                      "更高版本敬请期待！"),
                       MsgStyle::Ok, QStringLiteral("信息"));
}
