#include "core/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QLocale C = QLocale::c();
const QLocale DE(QLocale::German, QLocale::Germany); // "," decimal, "." thousands
const double inf = std::numeric_limits<double>::infinity();

std::string str(const QString &s)
{
    return s.toStdString();
}

TEST(Conversions, NumberToTextShortestForm)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {
        {0.0, "0"},     {-0.0, "0"},     {5, "5"},        {-3, "-3"},         {0.1 + 0.2, "0.3"},
        {-0.5, "-0.5"}, {1e15, "1E+15"}, {1e-5, "1E-05"}, {0.0001, "0.0001"}, {2.5e300, "2.5E+300"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(str(NumberToText(c.value, C)), c.text) << c.value;
    EXPECT_EQ(str(NumberToText(1.0 / 3, C)), "0.333333333333333");
    EXPECT_EQ(str(NumberToText(123456789012345.0, C)), "123456789012345");
    EXPECT_EQ(str(NumberToText(2.5, DE)), "2,5");
    EXPECT_EQ(str(NumberToText(1234567, DE)), "1234567") << "no thousands separator";
}

// The strict reading (and whether a text is numeric) in the C locale, then in one with
// "," for the decimal point. Too small is a number (0); too large is none.
TEST(Conversions, StrictAndNumericAgree)
{
    const struct {
        const char *text;
        bool numeric;
        double value;
        const QLocale &locale = C;
    } cases[] = {
        {"5", true, 5},          {"  42 ", true, 42},       {"-3", true, -3},       {"+7", true, 7},
        {"0.5", true, 0.5},      {".5", true, 0.5},         {"5.", true, 5},        {"00", true, 0},
        {"1e3", true, 1000},     {"2.5E-1", true, 0.25},    {"2,5", true, 25},      {"1e-400", true, 0},
        {"1,000", true, 1000},   {"1,234.5", true, 1234.5}, {"", false, 0},         {" ", false, 0},
        {"abc", false, 0},       {"5a", false, 0},          {".", false, 0},        {"-", false, 0},
        {"1e", false, 0},        {",5", false, 0},          {"1,", false, 0},       {"1.2.3", false, 0},
        {"0x10", false, 0},      {"1e400", false, 0},       {"2,5", true, 2.5, DE}, {"1.000", true, 1000, DE},
        {"2,5,1", false, 0, DE},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(IsNumericText(text, c.locale), c.numeric) << c.text;
        if (c.numeric)
            EXPECT_DOUBLE_EQ(StrictTextToNumber(text, c.locale), c.value) << c.text;
        else
            EXPECT_THROW(StrictTextToNumber(text, c.locale), RuntimeError) << c.text;
    }
}

// The lenient reading never raises: too large is an infinity of its sign, too small 0.
TEST(Conversions, LenientReading)
{
    const struct {
        const char *text;
        double value;
    } cases[] = {{"", 0},          {"abc", 0},       {"12abc", 12},       {" 1 2 ", 12},
                 {"\t-3.5", -3.5}, {"1.5.6", 1.5},   {"2e3x", 2000},      {"2e", 2},
                 {"+.5", 0.5},     {"1,5", 1},       {"--5", 0},          {"7-", 7},
                 {"1\n2", 12},     {".", 0},         {"3E-2", 0.03},      {"5e-", 5},
                 {"5e+", 5},       {"1e-400", 0},    {"-1e-400", 0},      {"0.000e999999", 0},
                 {"1e400", inf},   {"-1e400", -inf}, {"123456e-5000", 0}, {"0.00001e309", 1e304}};
    for (const auto &c : cases)
        EXPECT_EQ(TextToNumber(QString::fromUtf8(c.text)), c.value) << c.text;
}

// Integers round halves to even; anything out of range is an overflow, as is a result
// that a 64-bit float cannot hold.
TEST(Conversions, RoundingAndArithmeticRaiseOnOverflow)
{
    const struct {
        double in;
        int out;
    } cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},         {-0.5, 0},
                 {-1.5, -2}, {2.4999, 2}, {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto &c : cases)
        EXPECT_EQ(ToInt16(c.in), c.out) << c.in;
    for (double bad : {32767.5, -32769.0, 1e10, inf, std::nan("")})
        EXPECT_THROW(ToInt16(bad), RuntimeError) << bad;
    EXPECT_EQ(ToInt32(2147483647.4), 2147483647);
    EXPECT_THROW(ToInt32(2147483647.5), RuntimeError);
    EXPECT_THROW(ToInt32(-inf), RuntimeError);
    EXPECT_EQ(ToInt64(-2.5), -2);
    EXPECT_EQ(ToInt64(1e18), 1000000000000000000);
    EXPECT_EQ(ToInt64(-9223372036854775808.0), std::numeric_limits<int64_t>::min());
    for (double bad : {9223372036854775808.0, -9223372036854777856.0, inf, -inf, std::nan("")})
        EXPECT_THROW(ToInt64(bad), RuntimeError) << bad;
    EXPECT_DOUBLE_EQ(CheckedDivide(1, 4), 0.25);
    try {
        CheckedDivide(1, 0);
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.code(), RuntimeError::DivisionByZero);
    }
    EXPECT_THROW(CheckedDivide(0, 0), RuntimeError);
    EXPECT_THROW(CheckedMultiply(1e200, 1e200), RuntimeError);
    EXPECT_THROW(CheckedAdd(inf, 1), RuntimeError);
    EXPECT_THROW(CheckedAdd(1.7e308, 1.7e308), RuntimeError);
    EXPECT_THROW(CheckedSubtract(-1.7e308, 1.7e308), RuntimeError);
}

TEST(Conversions, TimesOfDayCarryWrapAndFormat)
{
    const struct {
        double h, m, s;
        const char *text;
    } cases[] = {{22, 30, 0, "22:30:00"}, {0, 0, 60, "00:01:00"},  {24, 0, 0, "00:00:00"},
                 {0, -1, 0, "23:59:00"},  {0, 0, -30, "23:59:30"}, {10, 59.5, 59, "11:00:59"}};
    for (const auto &c : cases)
        EXPECT_EQ(str(TimeText(TimeFromParts(c.h, c.m, c.s))), c.text);
    EXPECT_THROW(TimeFromParts(40000, 0, 0), RuntimeError);
    EXPECT_EQ(str(TimeText(ShiftTime(QTime(0, 0, 30), -60))), "23:59:30");
    EXPECT_EQ(str(TimeText(ShiftTime(QTime(23, 59, 59), 1))), "00:00:00");
    EXPECT_EQ(str(FormatClock(QTime(9, 5, 7), QStringLiteral("nn"))), "05");
    EXPECT_EQ(str(FormatClock(QTime(21, 5, 7), QStringLiteral("hh：nn：ss"))), "21：05：07");
    EXPECT_EQ(str(TimeText(QTime(7, 5, 3))), "07:05:03") << "no time zone, no day-half marker";
}

} // namespace
