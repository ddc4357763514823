#pragma once

#include "core/runtime_error.h"

#include <QLocale>
#include <QString>
#include <QTime>

#include <cstdint>

// Lenient reading: skips blanks, tabs and line feeds, reads a sign, digits, one '.'
// whatever the locale, and an exponent; stops at the first character that does not fit.
// Never raises: a magnitude too large for a 64-bit float reads as an infinity of its
// sign (the integer conversions and the checked arithmetic refuse it), one too small as 0.
double TextToNumber(const QString &text);

// The whole text in the locale's number format; anything else is a type mismatch, and a
// number too large for a 64-bit float an overflow. One too small reads as 0.
double StrictTextToNumber(const QString &text, const QLocale &locale = QLocale());

// True when StrictTextToNumber would accept the text; false for the empty text.
bool IsNumericText(const QString &text, const QLocale &locale = QLocale());

// Texts join lines with CR LF; what shows them wants plain line feeds.
QString displayText(const QString &text);

// Shortest form with up to 15 significant digits, the locale's decimal separator,
// no thousands separators, never "-0".
QString NumberToText(double value, const QLocale &locale = QLocale());

// "hh", "nn" and "ss" become the two-digit 24-hour hour, minute and second;
// every other character of the pattern is copied.
QString FormatClock(const QTime &time, const QString &pattern);

// The platform's default texts: the locale's short date and a two-digit 24-hour time.
QString DateText(const QDate &date, const QLocale &locale = QLocale());
QString TimeText(const QTime &time);

// Rounding to the nearest integer, halves to the even neighbour; out of range is an overflow.
int16_t ToInt16(double value);
int32_t ToInt32(double value);
int64_t ToInt64(double value);

// A time of day from hour, minute and second, each first rounded to 16 bits,
// combined with carry and wrapped into the day (negative totals count back).
QTime TimeFromParts(double hour, double minute, double second);
QTime ShiftTime(const QTime &time, double seconds);

// Arithmetic that raises an error instead of giving an infinity or a not-a-number.
double CheckedAdd(double a, double b);
double CheckedSubtract(double a, double b);
double CheckedMultiply(double a, double b);
double CheckedDivide(double a, double b);
