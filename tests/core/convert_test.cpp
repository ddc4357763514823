#include "core/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

const QLocale C = QLocale::c();
const QLocale DE(QLocale::German, QLocale::Germany); // "," decimal, "." thousands
const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");

// What f gives, or the number of the error it raises: "E6" an overflow, "E11" a division
// by zero, "E13" a type mismatch.
std::string outcome(const std::function<QString()> &f)
{
    try {
        return f().toStdString();
    } catch (const RuntimeError &e) {
        return "E" + std::to_string(e.code());
    }
}

// The outcomes of f for each input, joined by blanks.
template <typename Inputs, typename F> std::string each(const Inputs &inputs, F f)
{
    std::string out;
    for (const auto &in : inputs)
        out += (out.empty() ? "" : " ") + outcome([&] { return QString(f(in)); });
    return out;
}
template <typename In, typename F> std::string each(std::initializer_list<In> inputs, F f)
{
    return each<std::initializer_list<In>>(inputs, f);
}

TEST(Conversions, NumberToTextShortestForm)
{
    EXPECT_EQ(
        each({0.0, -0.0, 5.0, -3.0, 0.1 + 0.2, -0.5, 1e15, 1e-5, 0.0001, 2.5e300, 1.0 / 3, 123456789012345.0},
             [](double v) { return NumberToText(v, C); }),
        "0 0 5 -3 0.3 -0.5 1E+15 1E-05 0.0001 2.5E+300 0.333333333333333 123456789012345");
    EXPECT_EQ(each({2.5, 1234567.0}, [](double v) { return NumberToText(v, DE); }), "2,5 1234567")
        << "no thousands separator";
}

// The strict reading, and whether a text is numeric, in the C locale and in one with ","
// for the decimal point. Too small is a number (0); too large an overflow.
TEST(Conversions, StrictAndNumericAgree)
{
    const struct {
        const char *text, *read;
        const QLocale &locale = C;
    } cases[] = {
        {"5", "5"},      {"  42 ", "42"},    {"-3", "-3"},          {"+7", "7"},           {"0.5", "0.5"},
        {".5", "0.5"},   {"5.", "5"},        {"00", "0"},           {"1e3", "1000"},       {"2.5E-1", "0.25"},
        {"2,5", "25"},   {"1e-400", "0"},    {"1,000", "1000"},     {"1,234.5", "1234.5"}, {"", "E13"},
        {" ", "E13"},    {"abc", "E13"},     {"5a", "E13"},         {".", "E13"},          {"-", "E13"},
        {"1e", "E13"},   {",5", "E13"},      {"1,", "E13"},         {"1.2.3", "E13"},      {"0x10", "E13"},
        {"1e400", "E6"}, {"2,5", "2.5", DE}, {"1.000", "1000", DE}, {"2,5,1", "E13", DE}};
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(outcome([&] { return NumberToText(StrictTextToNumber(text, c.locale), C); }), c.read)
            << c.text;
        EXPECT_EQ(IsNumericText(text, c.locale), c.read[0] != 'E') << c.text;
    }
}

// The lenient reading never raises: too large is an infinity of its sign, too small 0.
TEST(Conversions, LenientReading)
{
    const std::pair<const char *, double> cases[] = {
        {"", 0},          {"abc", 0},       {"12abc", 12},       {" 1 2 ", 12},
        {"\t-3.5", -3.5}, {"1.5.6", 1.5},   {"2e3x", 2000},      {"2e", 2},
        {"+.5", 0.5},     {"1,5", 1},       {"--5", 0},          {"7-", 7},
        {"1\n2", 12},     {".", 0},         {"3E-2", 0.03},      {"5e-", 5},
        {"5e+", 5},       {"1e-400", 0},    {"-1e-400", 0},      {"0.000e999999", 0},
        {"1e400", inf},   {"-1e400", -inf}, {"123456e-5000", 0}, {"0.00001e309", 1e304}};
    for (const auto &[text, value] : cases)
        EXPECT_EQ(TextToNumber(QString::fromUtf8(text)), value) << text;
}

// Integers round halves to even; anything out of range is an overflow, as is a result
// that a 64-bit float cannot hold.
TEST(Conversions, RoundingAndArithmeticRaiseOnOverflow)
{
    EXPECT_EQ(each({0.5, 1.5, 2.5, -0.5, -1.5, 2.4999, 32767.4, -32768.5, 32767.5, -32769.0, 1e10, inf, nan},
                   [](double v) { return QString::number(ToInt16(v)); }),
              "0 2 2 0 -2 2 32767 -32768 E6 E6 E6 E6 E6");
    EXPECT_EQ(each({2147483647.4, 2147483647.5, -inf}, [](double v) { return QString::number(ToInt32(v)); }),
              "2147483647 E6 E6");
    EXPECT_EQ(each({-2.5, 1e18, -9223372036854775808.0, 9223372036854775808.0, -9223372036854777856.0, inf,
                    -inf, nan},
                   [](double v) { return QString::number(ToInt64(v)); }),
              "-2 1000000000000000000 -9223372036854775808 E6 E6 E6 E6 E6");
    const struct {
        double (*op)(double, double);
        double a, b;
    } sums[] = {{CheckedDivide, 1, 4},
                {CheckedDivide, 1, 0},
                {CheckedDivide, 0, 0},
                {CheckedMultiply, 1e200, 1e200},
                {CheckedAdd, inf, 1},
                {CheckedAdd, 1.7e308, 1.7e308},
                {CheckedSubtract, -1.7e308, 1.7e308}};
    EXPECT_EQ(each(sums, [](const auto &s) { return NumberToText(s.op(s.a, s.b), C); }),
              "0.25 E11 E6 E6 E6 E6 E6");
}

} // namespace
