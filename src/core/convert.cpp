#include "core/convert.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr int64_t SecondsPerDay = int64_t{24} * 60 * 60;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

double finiteOrOverflow(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError(RuntimeError::Overflow);
    return value;
}

// Decides for a number out of a 64-bit float's range (C form, no sign) whether it is
// too large rather than too small: from the position of its first significant digit
// and its exponent.
bool beyondLargest(const char *begin, const char *end)
{
    const char *p = begin;
    long order = 0; // decimal exponent of the first significant digit, before the exponent part
    bool found = false;
    long intDigits = 0;
    for (; p != end && *p != '.' && *p != 'e'; ++p) {
        if (*p != '0' || found) {
            found = true;
            ++intDigits;
        }
    }
    if (found) {
        order = intDigits - 1;
    } else if (p != end && *p == '.') {
        for (++p; p != end && *p == '0'; ++p)
            --order;
        --order;
    }
    while (p != end && *p != 'e')
        ++p;
    long exponent = 0;
    if (p != end) {
        ++p;
        const bool negative = p != end && *p == '-';
        if (p != end && (*p == '-' || *p == '+'))
            ++p;
        for (; p != end; ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 1000000L); // far past any double
        if (negative)
            exponent = -exponent;
    }
    return order + exponent > 0;
}

// Reads a well-formed number in C form ([sign] digits [. digits] [e [sign] digits]).
// Too large gives an infinity of its sign, too small gives zero; it never raises.
double readPlainNumber(const QString &plain)
{
    const QByteArray bytes = plain.toLatin1();
    const char *begin = bytes.constData();
    const char *end = begin + bytes.size();
    bool negative = false;
    if (begin != end && (*begin == '+' || *begin == '-')) {
        negative = *begin == '-';
        ++begin;
    }
    double value = 0;
    if (std::from_chars(begin, end, value).ec == std::errc::result_out_of_range)
        value = beyondLargest(begin, end) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

// Parses the whole text in the locale's format. Returns false when the text is not a
// number; sets `overflow` when it is one that a 64-bit float cannot hold.
bool parseStrict(const QString &text, const QLocale &locale, double &value, bool &overflow)
{
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const QString s = text.trimmed();
    QString plain; // the number rewritten in C form
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto at = [&](const QString &token) { return !token.isEmpty() && s.mid(i, token.size()) == token; };

    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        plain += s[i++];
    int digits = 0;
    while (i < n) {
        if (isDigit(s[i])) {
            plain += s[i++];
            ++digits;
        } else if (digits > 0 && at(group) && group != decimal) {
            i += group.size();
            if (i >= n || !isDigit(s[i]))
                return false; // a separator must stand between digits
        } else {
            break;
        }
    }
    if (at(decimal)) {
        i += decimal.size();
        plain += u'.';
        while (i < n && isDigit(s[i])) {
            plain += s[i++];
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        plain += u'e';
        ++i;
        if (i < n && (s[i] == u'+' || s[i] == u'-'))
            plain += s[i++];
        int expDigits = 0;
        while (i < n && isDigit(s[i])) {
            plain += s[i++];
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    value = readPlainNumber(plain);
    overflow = std::isinf(value);
    return true;
}

// The nearest integer, halves to the even neighbour; a not-a-number stays one.
double roundHalfEven(double value)
{
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(mode);
    return r;
}

int32_t roundToInt(double value, double low, double high)
{
    const double r = roundHalfEven(value);
    if (!(r >= low && r <= high)) // also a not-a-number
        throw RuntimeError(RuntimeError::Overflow);
    return int32_t(r);
}

} // namespace

QString displayText(const QString &text)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return out;
}

double TextToNumber(const QString &text)
{
    QString plain;
    bool point = false;
    bool exponent = false;
    bool expectSign = true; // a sign may open the mantissa or the exponent
    int digits = 0;
    for (QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (expectSign && (c == u'+' || c == u'-')) {
            plain += c;
            expectSign = false;
        } else if (isDigit(c)) {
            plain += c;
            expectSign = false;
            if (!exponent)
                ++digits;
        } else if (c == u'.' && !point && !exponent) {
            plain += c;
            point = true;
            expectSign = false;
        } else if ((c == u'e' || c == u'E') && !exponent && digits > 0) {
            plain += u'e';
            exponent = true;
            expectSign = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return 0.0;
    // A dangling exponent ("5e", "5e-") reads as no exponent at all.
    while (!plain.isEmpty() && !isDigit(plain.back()) && plain.back() != u'.')
        plain.chop(1);
    return readPlainNumber(plain);
}

double StrictTextToNumber(const QString &text, const QLocale &locale)
{
    double value = 0;
    bool overflow = false;
    if (!parseStrict(text, locale, value, overflow))
        throw RuntimeError(RuntimeError::TypeMismatch);
    if (overflow)
        throw RuntimeError(RuntimeError::Overflow);
    return value;
}

bool IsNumericText(const QString &text, const QLocale &locale)
{
    double value = 0;
    bool overflow = false;
    return parseStrict(text, locale, value, overflow) && !overflow;
}

QString NumberToText(double value, const QLocale &locale)
{
    if (value == 0)
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0)
        text[e] = u'E';
    const qsizetype point = text.indexOf(u'.');
    if (point >= 0)
        text.replace(point, 1, locale.decimalPoint());
    return text;
}

QString FormatClock(const QTime &time, const QString &pattern)
{
    QString out;
    for (int i = 0; i < pattern.size(); ++i) {
        const QString pair = pattern.mid(i, 2).toLower();
        int part = -1;
        if (pair == QLatin1String("hh"))
            part = time.hour();
        else if (pair == QLatin1String("nn"))
            part = time.minute();
        else if (pair == QLatin1String("ss"))
            part = time.second();
        if (part >= 0) {
            out += QStringLiteral("%1").arg(part, 2, 10, QLatin1Char('0'));
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

QString DateText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString TimeText(const QTime &time)
{
    return FormatClock(time, QStringLiteral("hh:nn:ss"));
}

int16_t ToInt16(double value)
{
    return int16_t(roundToInt(value, -32768.0, 32767.0));
}

int32_t ToInt32(double value)
{
    return roundToInt(value, -2147483648.0, 2147483647.0);
}

int64_t ToInt64(double value)
{
    // 2^63 itself is the first double past the range; -2^63 is the last one in it.
    constexpr double Limit = 9223372036854775808.0;
    const double r = roundHalfEven(value);
    if (!(r >= -Limit && r < Limit))
        throw RuntimeError(RuntimeError::Overflow);
    return int64_t(r);
}

QTime TimeFromParts(double hour, double minute, double second)
{
    const int64_t total = int64_t(ToInt16(hour)) * 3600 + int64_t(ToInt16(minute)) * 60 + ToInt16(second);
    const int64_t inDay = ((total % SecondsPerDay) + SecondsPerDay) % SecondsPerDay;
    return QTime(0, 0).addSecs(int(inDay));
}

QTime ShiftTime(const QTime &time, double seconds)
{
    const int64_t shift = int64_t(ToInt32(seconds)) % SecondsPerDay;
    const int64_t inDay =
        ((time.msecsSinceStartOfDay() / 1000 + shift) % SecondsPerDay + SecondsPerDay) % SecondsPerDay;
    return QTime(0, 0).addSecs(int(inDay));
}

double CheckedAdd(double a, double b)
{
    return finiteOrOverflow(a + b);
}

double CheckedSubtract(double a, double b)
{
    return finiteOrOverflow(a - b);
}

double CheckedMultiply(double a, double b)
{
    return finiteOrOverflow(a * b);
}

double CheckedDivide(double a, double b)
{
    if (b == 0)
        throw RuntimeError(a == 0 ? RuntimeError::Overflow : RuntimeError::DivisionByZero);
    return finiteOrOverflow(a / b);
}
