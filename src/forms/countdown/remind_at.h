#pragma once

#include <QString>

// The countdown figure at which the reminder opens: empty, a number (a preset or the
// result of the reminder's own counting) or the text the user typed.
class RemindAt {
public:
    double number() const { return number_; }
    void setNumber(double number);
    void setText(const QString &text);
    QString text() const; // a number as its decimal text
    // True when the shown count is this figure: the same number however either is written
    // ("020" is 20), or, for a text that is no number, the same text.
    bool matches(const QString &count) const;
    // Lowers it by one; a text becomes its number less one. A text that is not a
    // number is left as it is and false is returned.
    bool decrement();

private:
    enum Kind { Empty, Number, Text } kind_ = Empty;
    double number_ = 0;
    QString text_;
};
