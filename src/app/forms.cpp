#include "app/forms.h"

#include "app/form1.h"
#include "countdown/form2.h"
#include "countdown/form4.h"
#include "platform/convert.h"
#include "platform/desktop.h"

#include <QCoreApplication>

void RemindAt::setNumber(double number)
{
    kind_ = Number;
    number_ = number;
    text_.clear();
}

void RemindAt::setText(const QString &text)
{
    kind_ = Text;
    text_ = text;
}

QString RemindAt::text() const
{
    switch (kind_) {
    case Empty: return QString();
    case Number: return NumberToText(number_);
    case Text: return text_;
    }
    return {};
}

bool RemindAt::decrement()
{
    double value = 0; // empty counts as 0
    if (kind_ == Number)
        value = number_;
    else if (kind_ == Text) {
        if (!IsNumericText(text_))
            return false;
        value = StrictTextToNumber(text_);
    }
    setNumber(CheckedSubtract(value, 1));
    return true;
}

Forms::Forms(Desktop &desktop, std::function<void()> quit) : desktop_(desktop), quit_(std::move(quit))
{
    setProgramEnded(false);
    setErrorReporter(
        [&desktop](const QString &message) { desktop.postMessage(message, QStringLiteral("Morvane")); });
}

Forms::~Forms()
{
    setErrorReporter(nullptr);
    form4_.reset();
    form2_.reset();
    form1_.reset();
    // A reminder unloaded from its own handler is deleted later; do it now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Forms::start()
{
    form1().showWindow();
}

Form1 &Forms::form1()
{
    if (!form1_) {
        form1_ = std::make_unique<Form1>(*this);
        form1_->Form_Load();
    }
    return *form1_;
}

Form2 &Forms::form2()
{
    if (!form2_) {
        form2_ = std::make_unique<Form2>(*this);
        form2_->Form_Load();
    }
    return *form2_;
}

Form4 &Forms::form4()
{
    if (!form4_)
        form4_ = std::make_unique<Form4>(*this);
    return *form4_;
}

void Forms::unloadForm4()
{
    if (!form4_)
        return;
    form4_->stopTimers();
    form4_->hide();
    // It may be unloading itself from one of its own handlers.
    form4_.release()->deleteLater();
}

void Forms::end()
{
    ended_ = true;
    setProgramEnded(true);
    for (Window *w : std::initializer_list<Window *>{form1_.get(), form2_.get(), form4_.get()}) {
        if (w) {
            w->stopTimers();
            w->hide();
        }
    }
    if (quit_)
        quit_();
}
