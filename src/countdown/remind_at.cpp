#include "countdown/remind_at.h"

#include "platform/convert.h"

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
