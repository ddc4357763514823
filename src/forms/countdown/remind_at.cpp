#include "forms/countdown/remind_at.h"

#include "core/convert.h"

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

bool RemindAt::matches(const QString &count) const
{
    const QString own = text();
    if (IsNumericText(own) && IsNumericText(count))
        return StrictTextToNumber(own) == StrictTextToNumber(count);
    return own == count;
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
