#include "forms/countdown/form4.h"

#include "core/convert.h"
#include "forms/countdown/form2.h"
#include "forms/forms.h"

Form4::Form4(Forms &forms)
    : FormWindow(forms.desktop(), forms.events(), QStringLiteral("Morvane"), 3600, 2100), forms_(forms)
{
    setWarning(); // it counts the last seconds before the shutdown: above every window
    QWidget *w = client();
    w->setAutoFillBackground(true);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, Qt::white);
    w->setPalette(palette);

    Label1 = new Label(w, "Label1", QStringLiteral("请注意！"), 1080, 240);
    Label1->setForeColor(Colour::DarkRed);
    Label1->setFontSize(15.75);
    Label1->setBold(true);
    Label2 = new Label(w, "Label2", QString(), 240, 840);
    Label2->setForeColor(Colour::Red);
    Label2->setFontSize(14.25);
    Label2->setBold(true);
    Command1 = new CommandButton(w, "Command1", QStringLiteral("知道了"), 1200, 1500, 1215, 375);
    Timer1 = new Timer(this, "Timer1", 1000, true);

    Timer1->onTimer = [this] { Timer1_Timer(); };
    Command1->onClick = [this] { Command1_Click(); };
    onQueryUnload = [this](bool &cancel) { Form_QueryUnload(cancel); };
}

void Form4::Timer1_Timer()
{
    // A typed reminder that is not a number has nothing to count down: leave it be.
    RemindAt &remindAt = forms_.form2().remindAt;
    if (!remindAt.decrement())
        return;
    Label2->setCaption(QStringLiteral("距离关机还有 ") + NumberToText(remindAt.number()) +
                       QStringLiteral(" 秒"));
}

void Form4::Command1_Click()
{
    Forms &forms = forms_; // this window is gone once unloaded
    forms.form4.unload();
    forms.form2().showWindow();
}

void Form4::Form_QueryUnload(bool &cancel)
{
    cancel = false;
    Command1_Click(); // the close box does what "知道了" does
}
