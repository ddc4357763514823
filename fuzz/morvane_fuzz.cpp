// A libFuzzer target over the number and time conversions and over every handler of the
// windows that takes typed text. The windows are the program's own, on the fake desktop of
// the tests (virtual time, boxes answered from a script, command lines only recorded, so
// nothing is ever launched), driven with the tests' own user steps.
//
// How an input is read:
//  - its first byte picks the target, byte % 5 (conversions, then Windows), and the locale in
//    which numbers are read and written, byte / 5 % 6 (Locales);
//  - the rest is UTF-8 text, cut at each line feed into fields; a missing field is empty;
//  - a count (ticks, clicks) is a field's first three characters read as a whole number,
//    kept within its bounds;
//  - a field typed into a box is typed key by key, a backspace character as Backspace; the
//    characters that are not printable, or lie beyond the 16-bit range, are left out (a tab
//    or a return would move the focus or press a button).
// Each input runs in a fresh program, so that whatever it finds replays from the input alone.
// A failed check prints its line and aborts, and libFuzzer keeps the input; so does a question
// box that nobody answers, a run-time error reported to the user and the program ending.

#include "core/convert.h"
#include "forms/tools/tools.h"
#include "support/user_steps.h"

#include <QApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <optional>

namespace {

// C; the United States; Germany ("," decimal, "." thousands); France (a narrow no-break
// space for thousands); China, the interface's own; Switzerland ("’" for thousands).
const QLocale Locales[] = {QLocale::c(),     QLocale("en_US"), QLocale("de_DE"),
                           QLocale("fr_FR"), QLocale("zh_CN"), QLocale("de_CH")};
constexpr double LargestFullFigure = 1e15; // counts up to here are written out in full

#define CHECK(condition)                                                                                     \
    ((condition) ? void() : qFatal("morvane_fuzz: check failed at line %d: %s", __LINE__, #condition))

QString typed(const QString &field)
{
    static const QRegularExpression leftOut(QStringLiteral("[^\\x08\\P{C}]|[^\\x{0}-\\x{ffff}]"));
    return QString(field).remove(leftOut);
}

// What `f` gives, or nothing when it raised a run-time error, which must be one of `may`
// (an overflow when none is named).
template <class F, class... Code> auto attempt(F f, Code... may) -> std::optional<decltype(f())>
{
    try {
        return f();
    } catch (const RuntimeError &error) {
        CHECK(sizeof...(may) ? ((error.code() == may) || ...) : error.code() == RuntimeError::Overflow);
        return std::nullopt;
    }
}

// --- The conversions, each against an independent reading: a number in C form (which every
// reader takes the same way) read by Qt, rounding by the FPU, plain arithmetic, QTime.

const QRegularExpression PlainNumber(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));

void conversions(const QStringList &in)
{
    const QString decimal = QLocale().decimalPoint(), group = QLocale().groupSeparator();
    const bool point = decimal == ".";
    for (const QString &text : {in.value(0), in.value(1), in.value(2), in.join(u'\n')}) {
        // IsNumericText accepts exactly what StrictTextToNumber converts; a text in C form
        // reads the same strictly (where "." is the decimal point), leniently and by Qt.
        const std::optional<double> strict = attempt([&] { return StrictTextToNumber(text); },
                                                     RuntimeError::TypeMismatch, RuntimeError::Overflow);
        bool ok = false;
        const double lenient = TextToNumber(text), qt = QLocale::c().toDouble(text, &ok);
        CHECK(IsNumericText(text) == strict.has_value() && !std::isnan(lenient) &&
              (!strict || (std::isfinite(*strict) && !text.isEmpty())));
        CHECK(!PlainNumber.match(text).hasMatch() ||
              ((!strict || !point || *strict == lenient) && (!ok || !std::isfinite(qt) || lenient == qt)));
        // NumberToText writes, without thousands separators, a text that reads back as the
        // number rounded to 15 significant digits, and that writing it again gives again (a
        // third of a number has all its digits).
        for (const double value : {lenient, strict.value_or(0), lenient / 3}) {
            const QString written = NumberToText(value);
            const double back = IsNumericText(written) ? StrictTextToNumber(written) : NAN;
            // A unit in the 15th significant digit.
            const double unit = std::pow(10, std::floor(std::log10(std::fabs(value))) - 14);
            CHECK(!std::isfinite(value) ||
                  (std::fabs(back - value) <= unit / 2 + std::fabs(value) * 1e-15 &&
                   NumberToText(back) == written && !written.front().isSpace() && written != "-0" &&
                   (group == decimal || !written.contains(group)) &&
                   (!point || TextToNumber(written) == back)));
        }
    }
    const double a = TextToNumber(in.value(0)), b = TextToNumber(in.value(1)), c = TextToNumber(in.value(2));
    // Rounding to the nearest whole number, halves to the even one (the FPU's default); out
    // of range an overflow.
    for (const double x : {a, a + 0.5}) { // the half after a whole number is a tie
        const double n = std::nearbyint(x);
        const auto fit = [n](double l, double h) {
            return n >= l && n <= h ? std::optional(n) : std::nullopt;
        };
        CHECK(attempt([&] { return double(ToInt16(x)); }) == fit(-32768, 32767));
        CHECK(attempt([&] { return double(ToInt32(x)); }) == fit(-2147483648.0, 2147483647.0));
        CHECK(attempt([&] { return double(ToInt64(x)); }) == fit(-0x1p63, 0x1p63 - 1024));
    }
    // Checked arithmetic gives the plain result when it is finite, and an error otherwise.
    const auto finite = [](double r) { return std::isfinite(r) ? std::optional(r) : std::nullopt; };
    CHECK(attempt([&] { return CheckedAdd(a, b); }) == finite(a + b));
    CHECK(attempt([&] { return CheckedSubtract(a, b); }) == finite(a - b));
    CHECK(attempt([&] { return CheckedMultiply(a, b); }) == finite(a * b));
    CHECK(attempt([&] { return CheckedDivide(a, b); },
                  b == 0 && a != 0 ? RuntimeError::DivisionByZero : RuntimeError::Overflow) == finite(a / b));
    // A time of day from three parts, each rounded to 16 bits, carried and wrapped round the
    // day (as QTime's addSecs wraps); written as a pattern says; shifted by a·b seconds, which
    // must fit in 32 bits.
    const double h = std::nearbyint(a), m = std::nearbyint(b), s = std::nearbyint(c);
    const auto in16 = [](double p) { return p >= -32768 && p <= 32767; };
    std::optional<QTime> time;
    if (in16(h) && in16(m) && in16(s))
        time = QTime(0, 0).addSecs(int(std::fmod(h * 3600 + m * 60 + s, 86400)));
    CHECK(attempt([&] { return TimeFromParts(a, b, c); }) == time);
    if (!time)
        return;
    CHECK(FormatClock(*time, "hh:nn:ss") == time->toString("HH:mm:ss") &&
          FormatClock(*time, in.value(2)).size() == in.value(2).size());
    const double shift = std::nearbyint(a * b);
    CHECK(attempt([&] { return ShiftTime(*time, a * b); }) ==
          (shift >= -2147483648.0 && shift <= 2147483647.0
               ? std::optional(time->addSecs(int(std::fmod(shift, 86400))))
               : std::nullopt));
}

// --- The windows, each target on a program of its own

// Whatever a target did: no run-time error reached the user, the program did not end, the
// only command launched was the shutdown, and the computer is kept awake exactly while a
// timed shutdown waits.
void checkProgram(TestApp &app)
{
    const auto &messages = app.desktop.messages;
    CHECK(std::none_of(messages.begin(), messages.end(), [](const auto &m) { return m.posted; }));
    CHECK(app.quitCalls == 0 && !app.forms.events().ended());
    CHECK(app.desktop.commands.count(shutdownLine()) == app.desktop.commands.size());
    const bool pending = (app.forms.form2.exists() && app.forms.form2().Timer1->enabled()) ||
                         (app.forms.form5.exists() && !app.forms.form5().Command1->isEnabled());
    CHECK(app.desktop.sleepInhibited == pending);
}

// Fields: the entry, the reminder typed into its box (none when empty), the ticks to run.
void countdown(TestApp &app, const QStringList &in)
{
    Form2 &f = openForm2(app);
    // It starts for a whole number of seconds, not negative and at most 2^53 (beyond that a
    // count less 1 is the count again); the red line under the entry shows whenever a change
    // leaves one that 确定 refuses, and an entry worth 0 seconds, which shuts down at once,
    // is announced before it is taken.
    typeKeys(f.Text1, typed(in.value(0)));
    const QString entry = f.Text1->text();
    const double v = IsNumericText(entry) ? StrictTextToNumber(entry) : -1;
    const bool valid = v >= 0 && v == std::floor(v) && v <= 0x1p53;
    CHECK(f.Command1->isEnabled() == valid && f.Label15->isVisible() == (f.Text1->isModified() && !valid) &&
          f.Label6->isVisible() == (v == 0));
    QTest::keyClick(f.Text1, Qt::Key_Return);
    if (!valid)
        return CHECK(f.Command1->caption() == "确定"); // not started
    armTyped(f, typed(in.value(1)));
    const QString remind = f.Combo1->text();
    CHECK(f.check2->value() == !remind.isEmpty() &&
          (remind.isEmpty() || (f.remindAt.text() == remind && f.Label16->caption() == "设置完毕！")));
    int openedAt = -1;
    for (int k = 0; k <= std::clamp(in.value(2).left(3).toInt(), 0, 120); ++k) {
        app.desktop.advance(k > 0 ? 1000 : 0);
        // The count: the entry until the first tick, then one less every second down to "0",
        // when the shutdown is launched.
        const QString shown = k == 0 || v == 0 ? entry : QString::number(qint64(v - std::min<double>(k, v)));
        CHECK(app.desktop.commands.size() == (v <= k) && f.Timer1->enabled() == (v > k) &&
              (v > LargestFullFigure || f.Label4->caption() == shown));
        // The reminder opens at the count of the same value however written ("020" at 20),
        // hides the countdown and counts down with it, on below 0.
        if (openedAt < 0 && k > 0 && k <= v && v <= LargestFullFigure && IsNumericText(remind) &&
            StrictTextToNumber(remind) == v - k)
            openedAt = k;
        CHECK(v > LargestFullFigure || app.forms.form4.exists() == (openedAt >= 0));
        CHECK(openedAt < 0 ||
              (!f.isVisible() && (k == openedAt || app.forms.form4().Label2->caption() ==
                                                       "距离关机还有 " + NumberToText(v - k) + " 秒")));
    }
}

// Fields: hours, minutes, seconds. A setting made is then run through the second it is due:
// the wall clock is set two seconds before it, and virtual time runs on past it.
void clockTime(TestApp &app, const QStringList &in)
{
    Form5 &f = openForm5(app);
    enterTime(f, typed(in.value(0)), typed(in.value(1)), typed(in.value(2)));
    double total = 0;
    bool anyText = false, fits = true;
    for (int i = 0; i < 3; ++i) {
        QString text; // each key edits it; a text that reads as more than its limit is emptied
        for (const QChar c : typed(in.value(i))) {
            text = c == u'\b' ? text.left(text.size() - 1) : text + c;
            text = TextToNumber(text) > (i == 0 ? 24 : 60) ? QString() : text;
        }
        const double part = std::nearbyint(TextToNumber(text));
        CHECK((i == 0 ? f.Text1 : i == 1 ? f.Text2 : f.Text3)->text() == text);
        fits = fits && part >= -32768 && part <= 32767;
        total = total * 60 + part;
        anyText = anyText || !text.isEmpty();
    }
    const bool set = !f.Command1->isEnabled();
    CHECK(set == (anyText && fits) && f.Command3->isEnabled() == set && app.desktop.messages.size() == !set);
    if (!set)
        return;
    const QTime target = QTime(0, 0).addSecs(int(std::fmod(total, 86400))); // the time wraps round the day
    CHECK(f.Label6->caption() == target.toString("HH：mm：ss"));
    app.desktop.jumpClock(((app.desktop.now().time().secsTo(target.addSecs(-2)) + 86399) % 86400 + 1) * 1000);
    runUntil(app.desktop, target.addSecs(-1));
    CHECK(app.desktop.commands.isEmpty());
    app.desktop.advance(3000);
    CHECK(app.desktop.commands.size() == 1);
}

// Fields: the texts typed into the leap-year box and the zodiac box; the left operand, the
// right one and the clicks on the sign of the calculator; what is typed into each operand for
// a second calculation (a failed one leaves no result standing).
void tools(TestApp &app, const QStringList &in)
{
    app.finishLoading();
    Tools &t = app.forms.form1().tools(); // as the tools menu makes them when first shown
    t.mnupdrn->trigger();
    QTest::mouseClick(t.Text5, Qt::LeftButton); // the grey hint goes
    typeKeys(t.Text5, typed(in.value(0)));
    QTest::mouseClick(t.Command12, Qt::LeftButton);
    t.mnusx->trigger();
    typeKeys(t.Text6, typed(in.value(1)));
    QTest::mouseClick(t.Command13, Qt::LeftButton);
    // A box that holds a number is judged for the year it reads as, rounded, when that has 64
    // bits: by the Gregorian rule, and by the animals counted from 2020, a year of the rat.
    for (const bool leap : {true, false}) {
        const QString text = (leap ? t.Text5 : t.Text6)->text();
        const double y = std::nearbyint(TextToNumber(text));
        const bool leapYear = std::fmod(y, 4) == 0 && (std::fmod(y, 100) != 0 || std::fmod(y, 400) == 0);
        QString expected = "无法判断";
        if (IsNumericText(text) && y >= -0x1p63 && y < 0x1p63)
            expected = leap ? (leapYear ? "是闰年" : "不是闰年")
                            : QString("鼠牛虎兔龙蛇马羊猴鸡狗猪").mid((int(std::fmod(y, 12)) + 20) % 12, 1);
        const bool red = expected == "无法判断" || expected == "不是闰年";
        CHECK((leap ? t.Label12 : t.Label15)->caption() == expected &&
              (leap ? t.Label12 : t.Label15)->foreColor() == (red ? Colour::Red : Colour::VerdictGreen));
    }
    t.mnujsq->trigger();
    const int clicks = std::clamp(in.value(4).left(3).toInt(), 0, 7), sign = clicks % 4; // +, -, ×, /
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(t.Label10, Qt::LeftButton);
    for (const int first : {2, 5}) {
        typeKeys(t.Text2, typed(in.value(first)));
        typeKeys(t.Text3, typed(in.value(first + 1)));
        // An operand that is no number makes both "0".
        const bool usable = IsNumericText(t.Text2->text()) && IsNumericText(t.Text3->text());
        const QString left = usable ? t.Text2->text() : "0", right = usable ? t.Text3->text() : "0";
        const double x = StrictTextToNumber(left), y = StrictTextToNumber(right);
        const double r[] = {x + y, x - y, x * y, x / y};
        const QString expected = std::isfinite(r[sign]) ? NumberToText(r[sign]) : ""; // x / 0 is not
        QTest::mouseClick(t.Command11, Qt::LeftButton);
        CHECK(t.Text2->text() == left && t.Text3->text() == right && t.Text4->text() == expected);
    }
}

// Fields: a password given to the prompt, then attempts typed into the lock panel after what
// it holds; once it is unlocked, the next field is given to the prompt as a new password.
void lock(TestApp &app, const QStringList &in)
{
    app.finishLoading();
    Form1 &f = app.forms.form1();
    QString password;
    for (const QString &field : in) {
        if (!f.isLocked) {
            app.desktop.answerText(password = field);
            QTest::mouseClick(f.Command9, Qt::LeftButton);
            CHECK(f.isLocked == !password.isEmpty() && f.Frame2->isVisible() == f.isLocked);
            continue;
        }
        const bool wrongShown = f.Label9->isVisible();
        f.Text1->setModified(false);
        typeKeys(f.Text1, typed(field));
        CHECK(f.Label9->isVisible() == (wrongShown && !f.Text1->isModified())); // any change hides it
        QTest::keyClick(f.Text1, Qt::Key_Return);
        const bool right = f.Text1->text() == password;
        CHECK(f.isLocked != right && f.Frame2->isVisible() != right && (right || f.Label9->isVisible()));
    }
}

void (*const Windows[])(TestApp &, const QStringList &) = {countdown, clockTime, tools, lock};

} // namespace

// Fontconfig keeps its patterns in memory that it maps itself, which the leak checker does
// not read: what it holds there looks lost while it is still in use. Built in, so that an
// input replays under the same suppression.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "UTC"); // no daylight-saving jumps in the virtual clock
    tzset();
    // Qt's notes here are the off-screen platform's on what it cannot do, and a font's on the
    // tables it lacks: they say nothing about the program and would drown everything else.
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.info=false;*.warning=false");
    new QApplication(*argc, *argv); // lives as long as the process
    FakeDesktop::unscriptedBox = [](const QString &) { qFatal("morvane_fuzz: check failed: no answer"); };
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const int first = size > 0 ? data[0] : 0;
    const QStringList in =
        QString::fromUtf8(QByteArray(reinterpret_cast<const char *>(data), size).mid(1)).split(u'\n');
    QLocale::setDefault(Locales[first / 5 % std::size(Locales)]);
    if (first % 5 == 0) {
        conversions(in);
    } else {
        TestApp app;
        Windows[first % 5 - 1](app, in);
        checkProgram(app);
    }
    CHECK(QApplication::allWidgets().isEmpty()); // the program is gone, every window and control with it
    return 0;
}
