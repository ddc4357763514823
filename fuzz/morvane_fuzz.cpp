// A libFuzzer target over the number and time conversions and over every handler of the
// windows that takes typed text. The windows are the program's own, on the fake desktop of
// the tests (virtual time, boxes answered from a script, command lines only recorded, so
// nothing is ever launched), driven like a user with Qt Test's input events.
//
// How an input is read:
//  - its first byte picks the target, byte % 7 (Target below), and the locale in which
//    numbers are read and written, byte / 7 % 6 (locales() below);
//  - the rest is UTF-8 text, cut at each line feed into fields; a field that is not there
//    is empty;
//  - a field that holds a count (ticks, clicks) is read by its leading decimal digits,
//    capped; a field that holds a yes/no is yes when it is not empty;
//  - a field typed into a box is typed key by key, at most MaxTyped characters: a backspace
//    character presses Backspace, any other control character is left out.
// Each input runs in a fresh program, so that whatever it finds replays from the input alone.
//
// Every check that fails prints what it expected, with the input, and aborts. So do a
// question box that nobody answers, a run-time error reported to the user, and the program
// ending: none of them may happen on the paths driven here.

#include "core/convert.h"
#include "forms/clocktime/form5.h"
#include "forms/countdown/form2.h"
#include "forms/countdown/form4.h"
#include "forms/forms.h"
#include "forms/main/form1.h"
#include "forms/tools/tools.h"
#include "support/fake_desktop.h"
#include "support/test_app.h"

#include <QApplication>
#include <QDate>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <initializer_list>
#include <limits>
#include <optional>
#include <vector>

namespace {

enum Target { Conversions, Countdown, Reminder, ClockTime, Calculator, Years, Lock, TargetCount };
const char *const TargetNames[] = {"conversions", "countdown", "reminder", "clock time",
                                   "calculator",  "years",     "lock"};

constexpr int MaxTyped = 40;
constexpr int MaxTicks = 120;

const std::vector<QLocale> &locales()
{
    static const std::vector<QLocale> all{
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),      // "," decimal, "." thousands
        QLocale(QLocale::French, QLocale::France),       // a narrow no-break space for thousands
        QLocale(QLocale::Chinese, QLocale::China),       // the interface's own
        QLocale(QLocale::German, QLocale::Switzerland)}; // "’" for thousands
    return all;
}

struct Input {
    Target target = Conversions;
    QLocale locale;
    QStringList fields;
    QString rest; // all the fields with their line feeds

    QString field(int i) const { return fields.value(i); }
    // The leading decimal digits of a field, at most `cap`.
    int count(int i, int cap) const
    {
        int n = 0;
        for (QChar c : field(i)) {
            if (c < u'0' || c > u'9')
                break;
            n = std::min(n * 10 + (c.unicode() - u'0'), cap);
        }
        return n;
    }
    bool yes(int i) const { return !field(i).isEmpty(); }
};

const Input *g_input = nullptr; // the input being run, for the report of a failed check

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        if (c < u' ' || c == u'"' || c == u'\\')
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + u'"';
}

[[noreturn]] void fail(const char *condition, const QString &detail)
{
    std::fprintf(stderr, "\nmorvane_fuzz: check failed: %s\n  %s\n", condition, qPrintable(detail));
    if (g_input) {
        std::fprintf(stderr, "  target: %s, locale: %s\n", TargetNames[g_input->target],
                     qPrintable(g_input->locale.name()));
        for (int i = 0; i < g_input->fields.size(); ++i)
            std::fprintf(stderr, "  field %d: %s\n", i, qPrintable(quoted(g_input->fields[i])));
    }
    std::abort();
}

// `detail` is worked out only when the check fails.
#define CHECK(condition, detail)                                                                             \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            fail(#condition, detail);                                                                        \
    } while (false)

QString num(double value)
{
    return QString::number(value, 'g', 17);
}

// --- The conversions

// [sign] digits [. digits] or [sign] . digits, then [e [sign] digits]: the C form that every
// reader of numbers takes the same way.
bool isPlainNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto digits = [&] {
        const qsizetype start = i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        return i - start;
    };
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype mantissa = digits();
    if (i < n && text[i] == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == n;
}

// IsNumericText accepts exactly what StrictTextToNumber converts; a text in plain C form
// reads the same strictly (where "." is the decimal point), leniently and by Qt's own reader.
void checkReading(const QString &text, const QLocale &locale)
{
    const double lenient = TextToNumber(text);
    CHECK(!std::isnan(lenient), quoted(text));
    const bool numeric = IsNumericText(text, locale);
    CHECK(!(numeric && text.isEmpty()), QString());
    double strict = 0;
    bool converted = false;
    try {
        strict = StrictTextToNumber(text, locale);
        converted = true;
    } catch (const RuntimeError &error) {
        CHECK(error.code() == RuntimeError::TypeMismatch || error.code() == RuntimeError::Overflow,
              quoted(text));
    }
    CHECK(numeric == converted, quoted(text) + QStringLiteral(" in ") + locale.name() +
                                    QStringLiteral(": IsNumericText ") + QString::number(numeric) +
                                    QStringLiteral(", StrictTextToNumber converted ") +
                                    QString::number(converted));
    if (converted)
        CHECK(std::isfinite(strict), quoted(text));
    if (!isPlainNumber(text))
        return;
    if (locale.decimalPoint() == QLatin1String(".") && converted)
        CHECK(strict == lenient, quoted(text) + QStringLiteral(": strict ") + num(strict) +
                                     QStringLiteral(", lenient ") + num(lenient));
    bool ok = false;
    const double qt = QLocale::c().toDouble(text, &ok);
    if (ok && std::isfinite(qt))
        CHECK(lenient == qt, quoted(text) + QStringLiteral(": TextToNumber ") + num(lenient) +
                                 QStringLiteral(", Qt ") + num(qt));
}

// NumberToText writes a text that reads back as the same number to 15 significant digits,
// and writing that number again gives the same text.
void checkWriting(double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return;
    const QString text = NumberToText(value, locale);
    const QString what =
        num(value) + QStringLiteral(" in ") + locale.name() + QStringLiteral(" -> ") + quoted(text);
    CHECK(!text.isEmpty() && !text.front().isSpace() && text != QLatin1String("-0"), what);
    const QString group = locale.groupSeparator();
    if (!group.isEmpty() && group != locale.decimalPoint())
        CHECK(!text.contains(group), what);
    CHECK(IsNumericText(text, locale), what);
    const double back = StrictTextToNumber(text, locale);
    CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-14, what + QStringLiteral(" -> ") + num(back));
    CHECK(NumberToText(back, locale) == text, what + QStringLiteral(" -> ") + NumberToText(back, locale));
    if (locale.decimalPoint() == QLatin1String("."))
        CHECK(TextToNumber(text) == back, what);
}

// Rounding to the nearest whole number, halves to the even one; out of range an overflow.
template <class Convert>
void checkRounding(double value, double low, double high, Convert convert, const char *name)
{
    const double nearest = std::nearbyint(value); // the default rounding: to nearest, ties to even
    const bool fits = nearest >= low && nearest <= high;
    const QString what = QLatin1String(name) + u'(' + num(value) + u')';
    try {
        const double got = double(convert(value));
        CHECK(fits, what + QStringLiteral(" gave ") + num(got));
        CHECK(got == nearest && std::fabs(got - value) <= 0.5, what + QStringLiteral(" gave ") + num(got));
        if (std::fabs(got - value) == 0.5)
            CHECK(std::fmod(got, 2) == 0, what + QStringLiteral(" gave ") + num(got));
    } catch (const RuntimeError &error) {
        CHECK(!fits && error.code() == RuntimeError::Overflow, what);
    }
}

std::optional<int32_t> toInt32(double value)
{
    try {
        return ToInt32(value);
    } catch (const RuntimeError &) {
        return std::nullopt;
    }
}

// Checked arithmetic gives the plain result when it is finite, and an error otherwise.
void checkArithmetic(double a, double b)
{
    const struct {
        double (*checked)(double, double);
        double plain;
        const char *name;
    } operations[] = {{CheckedAdd, a + b, "+"},
                      {CheckedSubtract, a - b, "-"},
                      {CheckedMultiply, a * b, "*"},
                      {CheckedDivide, a / b, "/"}};
    for (const auto &op : operations) {
        const QString what = num(a) + u' ' + QLatin1String(op.name) + u' ' + num(b);
        const bool defined = std::isfinite(op.plain) && !(op.checked == CheckedDivide && b == 0);
        try {
            const double got = op.checked(a, b);
            CHECK(defined && got == op.plain, what + QStringLiteral(" gave ") + num(got));
        } catch (const RuntimeError &error) {
            CHECK(!defined, what);
            if (op.checked == CheckedDivide && b == 0)
                CHECK(error.code() == (a == 0 ? RuntimeError::Overflow : RuntimeError::DivisionByZero), what);
            else
                CHECK(error.code() == RuntimeError::Overflow, what);
        }
    }
}

void checkTimes(double hour, double minute, double second, double shift, const QString &pattern)
{
    const double parts[] = {std::nearbyint(hour), std::nearbyint(minute), std::nearbyint(second)};
    bool fits = true;
    for (double p : parts)
        fits = fits && p >= -32768 && p <= 32767;
    const QString what = QStringLiteral("TimeFromParts(%1, %2, %3)").arg(num(hour), num(minute), num(second));
    QTime time;
    try {
        time = TimeFromParts(hour, minute, second);
        CHECK(fits, what);
    } catch (const RuntimeError &error) {
        CHECK(!fits && error.code() == RuntimeError::Overflow, what);
        return;
    }
    const int64_t total = int64_t(parts[0]) * 3600 + int64_t(parts[1]) * 60 + int64_t(parts[2]);
    const QTime expected = QTime(0, 0).addSecs(int(total % 86400)); // addSecs wraps around midnight
    CHECK(time.isValid() && time == expected, what + QStringLiteral(" gave ") + time.toString());
    CHECK(FormatClock(time, QStringLiteral("hh:nn:ss")) == time.toString(QStringLiteral("HH:mm:ss")), what);
    CHECK(FormatClock(time, pattern).size() == pattern.size(), quoted(pattern));

    const std::optional<int32_t> seconds = toInt32(shift);
    if (!seconds)
        return;
    const QTime shifted = ShiftTime(time, shift);
    CHECK(shifted.isValid() && shifted.msec() == 0, what);
    CHECK((time.secsTo(shifted) - int64_t(*seconds)) % 86400 == 0,
          time.toString() + QStringLiteral(" shifted by ") + num(shift) + QStringLiteral(" gave ") +
              shifted.toString());
    if (*seconds != std::numeric_limits<int32_t>::min()) // its opposite is not a 32-bit number
        CHECK(ShiftTime(shifted, -double(*seconds)) == time, what + QStringLiteral(" shifted back"));
}

void conversions(const Input &in)
{
    const QString texts[] = {in.field(0), in.field(1), in.field(2), in.rest};
    for (const QLocale &locale : {in.locale, QLocale::c()}) {
        for (const QString &text : texts) {
            checkReading(text, locale);
            checkWriting(TextToNumber(text), locale);
            if (IsNumericText(text, locale))
                checkWriting(StrictTextToNumber(text, locale), locale);
        }
    }
    const double a = TextToNumber(in.field(0));
    const double b = TextToNumber(in.field(1));
    const double c = TextToNumber(in.field(2));
    checkRounding(a, -32768, 32767, ToInt16, "ToInt16");
    checkRounding(a, -2147483648.0, 2147483647.0, ToInt32, "ToInt32");
    checkRounding(a, -9223372036854775808.0, 9223372036854774784.0, ToInt64, "ToInt64"); // below 2^63
    checkArithmetic(a, b);
    checkTimes(a, b, c, b, in.field(2));
}

// --- The windows

// Sees the text of a box before and after each key typed into it.
using KeyCheck = std::function<void(const QString &before, char32_t key, const QString &after)>;

// Types into a text box or a combo box's field as a user does: what is in it is selected and
// deleted, then each character is a key press that carries it. Returns whether the text
// changed at any moment.
bool type(QLineEdit *box, const QString &text, const KeyCheck &afterKey = {})
{
    bool changed = false;
    if (!box->text().isEmpty()) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        changed = true;
    }
    const QList<uint> characters = text.left(2 * MaxTyped).toUcs4();
    for (qsizetype i = 0; i < characters.size() && i < MaxTyped; ++i) {
        const char32_t c = characters[i];
        const QString before = box->text();
        if (c == u'\b') {
            QTest::keyClick(box, Qt::Key_Backspace);
        } else if (c >= 0x20 && c != 0x7f && !(c >= 0x80 && c < 0xa0) && QChar::isPrint(c)) {
            const Qt::Key key = c < 0x80 ? QTest::asciiToKey(char(c)) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, box, key, QString::fromUcs4(&c, 1), Qt::NoModifier);
        } else {
            continue;
        }
        changed = changed || box->text() != before;
        if (afterKey)
            afterKey(before, c, box->text());
    }
    return changed;
}

// What a key does at the end of a line edit's text: Backspace takes off the last character
// (both halves of a surrogate pair), any other key adds its character.
QString edited(QString text, char32_t key)
{
    if (key != u'\b')
        return text + QString::fromUcs4(&key, 1);
    const qsizetype n = text.size();
    text.chop(n >= 2 && text[n - 1].isLowSurrogate() && text[n - 2].isHighSurrogate() ? 2 : 1);
    return text;
}

QString str(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Whatever a target did: no run-time error reached the user, the program did not end, the
// only command launched was the shutdown, and the computer is kept awake exactly while a
// timed shutdown waits.
void checkProgram(TestApp &app)
{
    for (const auto &m : app.desktop.messages)
        CHECK(!m.posted, QStringLiteral("reported: ") + quoted(m.text));
    CHECK(app.quitCalls == 0 && !app.forms.events().ended(), QString());
    for (const QString &command : app.desktop.commands)
        CHECK(command == shutdownLine(), quoted(command));
    bool pending = false;
    if (app.forms.form2.exists())
        pending = pending || app.forms.form2().Timer1->enabled();
    if (app.forms.form5.exists())
        pending = pending || !app.forms.form5().Command1->isEnabled();
    CHECK(app.desktop.sleepInhibited == pending, QString());
}

// A whole number of seconds that the countdown can bring down to "0", one by one: up to 2^53.
bool canCountDown(const QString &entry)
{
    if (!IsNumericText(entry))
        return false;
    const double v = StrictTextToNumber(entry);
    return v >= 0 && v == std::floor(v) && v <= 9007199254740992.0;
}

// Whether the reminder typed as `typed` opens at the shown count: the same number however
// written, or the same text.
bool remindsAt(const QString &typed, const QString &count)
{
    if (IsNumericText(typed) && IsNumericText(count))
        return StrictTextToNumber(typed) == StrictTextToNumber(count);
    return typed == count;
}

// The count shown `k` seconds after a start with `entry`, worth `v`: the entry itself until the
// first tick, then one less every second down to "0". For a start small enough that every
// figure is written out in full.
QString shownCount(const QString &entry, double v, int k)
{
    const double done = std::min<double>(k, v);
    return done == 0 ? entry : QString::number(qint64(v - done));
}
constexpr double LargestFullFigure = 1e15;

Form2 &openCountdown(TestApp &app)
{
    app.finishLoading();
    QTest::mouseClick(app.forms.form1().Command5, Qt::LeftButton);
    return app.forms.form2();
}

// Types the entry and presses Enter; returns whether the countdown started. The red line
// under the entry shows whenever 确定 refuses it, and an entry worth 0 seconds, which shuts
// down at once, is announced before it is taken.
bool start(Form2 &f, const QString &typed)
{
    const bool changed = type(f.Text1, typed);
    const QString entry = f.Text1->text();
    const bool valid = canCountDown(entry);
    CHECK(f.Command1->isEnabled() == valid, quoted(entry));
    CHECK(f.Label15->isVisible() == (changed && !valid), quoted(entry));
    CHECK(f.Label6->isVisible() == (valid && StrictTextToNumber(entry) == 0), quoted(entry));
    QTest::keyClick(f.Text1, Qt::Key_Return);
    const bool running = f.Command1->caption() == str("取消关机");
    CHECK(running == valid, quoted(entry));
    return running;
}

// Fields: the entry, the ticks to run, the tick after which 取消关机 is pressed (empty: never).
void countdown(const Input &in)
{
    TestApp app;
    Form2 &f = openCountdown(app);
    const bool started = start(f, in.field(0));
    const QString entry = f.Text1->text();
    const double v = started ? StrictTextToNumber(entry) : 0;
    const int ticks = in.count(1, MaxTicks);
    const int cancelAfter = in.yes(2) ? in.count(2, MaxTicks) : -1;
    const int lastTick = cancelAfter >= 0 ? std::min(ticks, cancelAfter) : ticks;
    auto commandsBy = [&](int k) { return started && v <= k ? 1 : 0; };
    for (int k = 0; k <= ticks; ++k) {
        if (k > 0)
            app.desktop.advance(1000);
        const int seen = std::min(k, lastTick);
        CHECK(app.desktop.commands.size() == commandsBy(seen),
              QStringLiteral("%1 commands after %2 s").arg(app.desktop.commands.size()).arg(k));
        if (started && k <= lastTick && v <= LargestFullFigure)
            CHECK(f.Label4->caption() == shownCount(entry, v, k),
                  QStringLiteral("after %1 s the count reads ").arg(k) + quoted(f.Label4->caption()));
        if (started && k <= lastTick)
            CHECK(f.Timer1->enabled() == (v > k), QString());
        if (k == cancelAfter && started) {
            QTest::mouseClick(f.Command1, Qt::LeftButton);
            CHECK(!f.Timer1->enabled() && f.Label4->caption().isEmpty() &&
                      f.Command1->caption() == str("确定"),
                  QString());
        }
        checkProgram(app);
    }
}

// Fields: the entry, the reminder typed into the combo box, the ticks to run; then, if there
// is a fourth, a text typed into the combo box while the reminder is open. For that the user
// goes back to the main window before the reminder opens, and back to the countdown once it
// has opened.
void reminder(const Input &in)
{
    TestApp app;
    Form2 &f = openCountdown(app);
    if (!start(f, in.field(0)))
        return;
    const QString entry = f.Text1->text();
    const double v = StrictTextToNumber(entry);
    QTest::mouseClick(f.Check1, Qt::LeftButton);
    CHECK(f.Frame3->isVisible(), QString());
    type(f.Combo1->lineEdit(), in.field(1));
    const QString typed = f.Combo1->text();
    CHECK(f.check2->isEnabled() == !typed.isEmpty(), quoted(typed));
    QTest::mouseClick(f.check2, Qt::LeftButton);
    const bool armed = f.check2->value() == 1;
    CHECK(armed == !typed.isEmpty(), quoted(typed));
    if (armed)
        CHECK(f.remindAt.text() == typed && f.Label16->caption() == str("设置完毕！"), quoted(typed));
    const bool retype = in.fields.size() > 3;
    if (retype)
        QTest::mouseClick(f.Command2, Qt::LeftButton); // 返回

    const int ticks = in.count(2, MaxTicks);
    int openedAt = -1;
    bool retyped = false;
    for (int k = 1; k <= ticks; ++k) {
        // What the reminder's own tick is to do with the value it finds.
        const bool open = app.forms.form4.exists();
        const QString remindBefore = f.remindAt.text();
        const QString lineBefore = open ? app.forms.form4().Label2->caption() : QString();
        app.desktop.advance(1000);
        if (v <= LargestFullFigure && k <= v && armed && openedAt < 0 &&
            remindsAt(typed, shownCount(entry, v, k)))
            openedAt = k;
        if (v <= LargestFullFigure)
            CHECK(app.forms.form4.exists() == (openedAt >= 0),
                  QStringLiteral("after %1 s, the count at ").arg(k) + quoted(f.Label4->caption()));
        if (open) {
            // A number goes down by one and is shown; a text that is no number stays as it is.
            const QString line = app.forms.form4().Label2->caption();
            const double now = f.remindAt.number();
            if (IsNumericText(remindBefore)) {
                const double expected = StrictTextToNumber(remindBefore) - 1;
                CHECK(std::fabs(now - expected) <= 1e-12 * std::max(1.0, std::fabs(expected)),
                      quoted(remindBefore) + QStringLiteral(" became ") + num(now));
                CHECK(line == str("距离关机还有 ") + NumberToText(now) + str(" 秒"), quoted(line));
            } else {
                CHECK(f.remindAt.text() == remindBefore && line == lineBefore, quoted(line));
            }
        }
        if (openedAt >= 0 && !retyped) {
            CHECK(!f.isVisible(), QString());
            // In step with the count, and on below "0" once the count has stopped there.
            if (k > openedAt)
                CHECK(f.remindAt.number() == v - k,
                      QStringLiteral("after %1 s the reminder holds ").arg(k) + num(f.remindAt.number()));
        }
        if (openedAt >= 0 && retype && !retyped) {
            QTest::mouseClick(app.forms.form1().Command5, Qt::LeftButton); // 关机1
            CHECK(f.isVisible() && f.Combo1->isVisible(), QString());
            type(f.Combo1->lineEdit(), in.field(3));
            retyped = true;
        }
        CHECK(app.desktop.commands.size() == (v <= k ? 1 : 0), QString());
        checkProgram(app);
    }
}

// The target that the fields give when 确定 sets them, or nothing when it refuses them.
std::optional<QTime> expectedTarget(const Form5 &f)
{
    double parts[3];
    int i = 0;
    for (const TextBox *box : {f.Text1, f.Text2, f.Text3})
        parts[i++] = std::nearbyint(TextToNumber(box->text()));
    for (double p : parts) {
        if (!(p >= -32768 && p <= 32767))
            return std::nullopt;
    }
    const int64_t total = int64_t(parts[0]) * 3600 + int64_t(parts[1]) * 60 + int64_t(parts[2]);
    return QTime(0, 0).addSecs(int(total % 86400));
}

// Fields: hours, minutes, seconds; yes/no: ask for the reminder; yes/no: cancel the setting.
// A setting made is then run through the second it is due: the wall clock is set to a moment
// before it (before the reminder when one was asked for), and virtual time runs on past it.
void clockTime(const Input &in)
{
    TestApp app;
    app.finishLoading();
    QTest::mouseClick(app.forms.form1().Command7, Qt::LeftButton);
    Form5 &f = app.forms.form5();
    const struct {
        TextBox *box;
        double Form5::*value;
        double limit;
    } fields[] = {{f.Text1, &Form5::hourValue, 24},
                  {f.Text2, &Form5::minuteValue, 60},
                  {f.Text3, &Form5::secondValue, 60}};
    bool anyText = false;
    for (int i = 0; i < 3; ++i) {
        // Each key leaves the field as typed, or empty when that reads as more than its limit.
        const double limit = fields[i].limit;
        type(fields[i].box, in.field(i), [limit](const QString &before, char32_t key, const QString &after) {
            const QString typed = edited(before, key);
            CHECK(after == (TextToNumber(typed) > limit ? QString() : typed),
                  quoted(before) + QStringLiteral(" and a key gave ") + quoted(after));
        });
        const QString text = fields[i].box->text();
        CHECK(f.*fields[i].value == TextToNumber(text) && TextToNumber(text) <= fields[i].limit,
              quoted(text));
        anyText = anyText || !text.isEmpty();
    }
    const std::optional<QTime> target = expectedTarget(f);
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    const bool set = !f.Command1->isEnabled();
    CHECK(set == (anyText && target.has_value()), QString());
    if (!set) {
        CHECK(app.desktop.messages.size() == 1 && !f.Command3->isEnabled(), QString());
        checkProgram(app);
        return;
    }
    CHECK(app.desktop.messages.empty(), QString());
    CHECK(f.Label6->caption() == target->toString(QStringLiteral("HH：mm：ss")), quoted(f.Label6->caption()));
    const bool remind = in.yes(3);
    if (remind) {
        QTest::mouseClick(f.Check1, Qt::LeftButton);
        CHECK(f.Label10->caption() == target->addSecs(-60).toString(QStringLiteral("HH：mm：ss")),
              quoted(f.Label10->caption()));
    }
    const bool cancel = in.yes(4);
    if (cancel)
        QTest::mouseClick(f.Command3, Qt::LeftButton);
    checkProgram(app);

    const int lead = remind ? 62 : 2; // seconds before the target that the clock is set to
    const QDateTime now = app.desktop.now();
    QDateTime at(now.date(), target->addSecs(-lead).addMSecs(now.time().msec()));
    if (at <= now)
        at = at.addDays(1);
    app.desktop.jumpClock(now.msecsTo(at));
    app.desktop.advance((lead - 1) * 1000);
    CHECK(app.desktop.commands.isEmpty(), QStringLiteral("launched before ") + target->toString());
    const qsizetype reminders = remind && !cancel ? 1 : 0;
    CHECK(qsizetype(app.desktop.messages.size()) == reminders, QString());
    if (reminders)
        CHECK(app.desktop.messages.back().title == str("关机提醒"), QString());
    app.desktop.advance(3000);
    CHECK(app.desktop.commands.size() == (cancel ? 0 : 1),
          QStringLiteral("%1 commands at ").arg(app.desktop.commands.size()) + target->toString());
    CHECK(qsizetype(app.desktop.messages.size()) == reminders, QString());
    checkProgram(app);
}

// The main window past loading with the tools menu shown.
Form1 &withTools(TestApp &app)
{
    app.finishLoading();
    Form1 &f = app.forms.form1();
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    CHECK(f.mnudgn->isVisible(), QString());
    return f;
}

// Fields: the left operand, the right one, the clicks on the sign.
void calculator(const Input &in)
{
    TestApp app;
    Form1 &f = withTools(app);
    Tools &t = f.tools();
    t.mnujsq->trigger();
    CHECK(f.Frame3->isVisible(), QString());
    type(t.Text2, in.field(0));
    type(t.Text3, in.field(1));
    const int clicks = in.count(2, 7);
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(t.Label10, Qt::LeftButton);
    const QString signs[] = {str("+"), str("-"), str("×"), str("/")};
    CHECK(t.Label10->caption() == signs[clicks % 4], QString());
    CHECK(clicks == 0 || t.Text4->text().isEmpty(), QString());

    const QString left = t.Text2->text();
    const QString right = t.Text3->text();
    const bool usable = !left.isEmpty() && !right.isEmpty() && IsNumericText(left) && IsNumericText(right);
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    CHECK(t.Text2->text() == (usable ? left : str("0")) && t.Text3->text() == (usable ? right : str("0")),
          quoted(t.Text2->text()) + u' ' + quoted(t.Text3->text()));
    const double a = StrictTextToNumber(t.Text2->text());
    const double b = StrictTextToNumber(t.Text3->text());
    const double results[] = {a + b, a - b, a * b, a / b};
    const double r = results[clicks % 4];
    const QString expected = std::isfinite(r) && !(clicks % 4 == 3 && b == 0) ? NumberToText(r) : QString();
    CHECK(t.Text4->text() == expected, quoted(t.Text4->text()) + QStringLiteral(", not ") + quoted(expected));
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    CHECK(t.Text4->text() == expected, QStringLiteral("a second = gave ") + quoted(t.Text4->text()));
    checkProgram(app);
}

// The year a year box holds, read as the panels read it, when it is a number.
std::optional<double> yearIn(const QString &text)
{
    if (text.isEmpty() || !IsNumericText(text))
        return std::nullopt;
    return std::nearbyint(TextToNumber(text));
}

// Fields: the text typed into the leap-year box, the one typed into the zodiac box.
void years(const Input &in)
{
    TestApp app;
    Form1 &f = withTools(app);
    Tools &t = f.tools();
    const QString cannotJudge = str("无法判断");

    t.mnupdrn->trigger();
    QTest::mouseClick(t.Text5, Qt::LeftButton); // the grey hint goes
    CHECK(t.Text5->text().isEmpty() && t.Text5->foreColor() == Colour::Black, QString());
    type(t.Text5, in.field(0));
    QTest::mouseClick(t.Command12, Qt::LeftButton);
    const QString leap = t.Label12->caption();
    const bool green = t.Label12->foreColor() == Colour::VerdictGreen;
    CHECK(f.Frame4->caption() == str("闰年判断器"), QString());
    CHECK((leap == str("是闰年") && green) || ((leap == str("不是闰年") || leap == cannotJudge) && !green),
          quoted(leap));
    if (const std::optional<double> year = yearIn(t.Text5->text())) {
        // The Gregorian rule, which does not depend on the sign (year 0 is a leap year).
        const double y = std::fabs(*year);
        if (y <= 2147483647.0)
            CHECK(leap == (y == 0 || QDate::isLeapYear(int(y)) ? str("是闰年") : str("不是闰年")),
                  quoted(leap));
    } else {
        CHECK(leap == cannotJudge, quoted(leap));
    }

    t.mnusx->trigger();
    type(t.Text6, in.field(1));
    QTest::mouseClick(t.Command13, Qt::LeftButton);
    const QString animal = t.Label15->caption();
    CHECK(f.Frame5->caption() == str("十二生肖"), QString());
    if (const std::optional<double> year = yearIn(t.Text6->text())) {
        // Counted from 2020, a year of the rat, forwards and backwards.
        static const QStringList fromRat =
            str("鼠牛虎兔龙蛇马羊猴鸡狗猪").split(QString(), Qt::SkipEmptyParts);
        if (std::fabs(*year) <= 1e15) {
            const int64_t offset = ((int64_t(*year) - 2020) % 12 + 12) % 12;
            CHECK(animal == fromRat[int(offset)] && t.Label15->foreColor() == Colour::VerdictGreen,
                  quoted(animal));
        }
    } else {
        CHECK(animal == cannotJudge && t.Label15->foreColor() == Colour::Red, quoted(animal));
    }
    checkProgram(app);
}

// Fields: a password given to the prompt, then attempts typed into the lock panel; once it is
// unlocked, the next field is given to the prompt as a new password, and so on.
void lock(const Input &in)
{
    TestApp app;
    app.finishLoading();
    Form1 &f = app.forms.form1();
    QString password;
    for (int i = 0; i < in.fields.size(); ++i) {
        if (!f.isLocked) {
            const QString answer = in.field(i);
            const size_t boxes = app.desktop.messages.size();
            app.desktop.answerText(answer);
            QTest::mouseClick(f.Command9, Qt::LeftButton);
            CHECK(f.isLocked == !answer.isEmpty() && f.Frame2->isVisible() == f.isLocked, quoted(answer));
            CHECK(app.desktop.messages.size() - boxes == (answer.isEmpty() ? 0u : 2u), quoted(answer));
            if (!f.isLocked)
                continue;
            password = answer;
            CHECK(!f.close() && f.isVisible() &&
                      app.desktop.messages.back().text == str("应用未解锁，无法退出！"),
                  QString());
            continue;
        }
        const bool wrongBefore = f.Label9->isVisible();
        const bool changed = type(f.Text1, in.field(i));
        CHECK(f.Label9->isVisible() == (wrongBefore && !changed),
              QString()); // any change hides the error line
        QTest::keyClick(f.Text1, Qt::Key_Return);
        const bool right = f.Text1->text() == password;
        CHECK(f.isLocked == !right && f.Frame2->isVisible() == !right, quoted(f.Text1->text()));
        if (!right)
            CHECK(f.Label9->isVisible(), QString());
    }
    checkProgram(app);
}

void run(const Input &in)
{
    switch (in.target) {
    case Conversions: conversions(in); break;
    case Countdown: countdown(in); break;
    case Reminder: reminder(in); break;
    case ClockTime: clockTime(in); break;
    case Calculator: calculator(in); break;
    case Years: years(in); break;
    case Lock: lock(in); break;
    case TargetCount: break;
    }
}

// Qt's notes that the off-screen platform cannot do some things, and that a font lacks
// some tables, say nothing about the program and would drown everything else.
void dropPlatformNotes(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg ||
        message.startsWith(QLatin1String("This plugin does not support")) ||
        message.contains(QLatin1String("OpenType support missing")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

// Built-in settings of the sanitizers, so that an input replays under the same ones.
// Fontconfig keeps its patterns in memory that it maps itself, which the leak checker does
// not read: what it holds there looks lost while it is still in use.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
extern "C" const char *__ubsan_default_options()
{
    return "print_stacktrace=1";
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "UTC"); // no daylight-saving jumps in the virtual clock
    tzset();
    static int argc = 1;
    static char name[] = "morvane_fuzz";
    static char *argv[] = {name, nullptr};
    qInstallMessageHandler(dropPlatformNotes);
    new QApplication(argc, argv); // lives as long as the process
    QApplication::setQuitOnLastWindowClosed(false);
    FakeDesktop::unscriptedBox = [](const QString &text) {
        fail("no unscripted question box", quoted(text));
    };
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    Input in;
    in.target = Target(data[0] % TargetCount);
    in.locale = locales()[data[0] / TargetCount % locales().size()];
    in.rest = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    in.fields = in.rest.split(u'\n');
    g_input = &in;
    QLocale::setDefault(in.locale);
    run(in);
    // The program is gone: every window and control went with it.
    CHECK(QApplication::allWidgets().isEmpty(),
          QStringLiteral("%1 widgets left").arg(QApplication::allWidgets().size()));
    g_input = nullptr;
    return 0;
}
