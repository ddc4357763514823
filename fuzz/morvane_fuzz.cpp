// A libFuzzer target over the number and time conversions and over every handler of the
// windows that takes typed text. The windows are the program's own, on the fake desktop of
// the tests (virtual time, boxes answered from a script, command lines only recorded, so
// nothing is ever launched), driven with the tests' own user steps.
//
// How an input is read:
//  - its first byte picks the target, byte % 4 (conversions, then Windows), and the locale in
//    which numbers are read and written, byte / 4 % 6 (Locales);
//  - the rest is UTF-8 text, cut at each line feed into fields; a missing field is empty;
//  - a count (ticks, clicks) is a field's first three characters read as a whole number,
//    kept within its bounds;
//  - for the windows, the characters that are not printable or lie beyond the 16-bit range
//    are left out (a tab or a return would move the focus or press a button); a field typed
//    into a box is typed key by key, a backspace character as Backspace.
// Each input runs in a fresh program, so that whatever it finds replays from the input alone.
// A failed check prints its line and aborts, and libFuzzer keeps the input; so does a question
// box that nobody answers, a run-time error reported to the user and the program ending.

#include "core/convert.h"
#include "forms/tools/tools.h"
#include "support/user_steps.h"

#include <QApplication>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace {

// C; the United States; Germany ("," decimal, "." thousands); France (a narrow no-break space
// for thousands); China, the interface's own; Switzerland ("’" for thousands).
const char *const Locales[] = {"C", "en_US", "de_DE", "fr_FR", "zh_CN", "de_CH"};

#define CHECK(condition)                                                                                     \
    ((condition) ? void() : qFatal("morvane_fuzz: check failed at line %d: %s", __LINE__, #condition))

// --- The conversions between text and number, against independent readings: a number in C
// form (which every reader takes the same way) read by Qt; a written number read back. The
// rounding, the checked arithmetic and the times are checked through the windows below, and
// at their bounds by the unit tests.

const QRegularExpression PlainNumber(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));

void conversions(const QStringList &in)
{
    const QString decimal = QLocale().decimalPoint(), group = QLocale().groupSeparator();
    for (const QString &text : {in.value(0), in.value(1), in.join(u'\n')}) {
        // StrictTextToNumber converts what IsNumericText accepts, to a finite number; a text in
        // C form reads the same strictly (where "." is the decimal point), leniently and by Qt.
        const auto strict = IsNumericText(text) ? std::optional(StrictTextToNumber(text)) : std::nullopt;
        bool ok = false;
        const double lenient = TextToNumber(text), qt = QLocale::c().toDouble(text, &ok);
        CHECK(!std::isnan(lenient) && (!strict || (std::isfinite(*strict) && !text.isEmpty())));
        CHECK(!PlainNumber.match(text).hasMatch() || ((!strict || decimal != "." || *strict == lenient) &&
                                                      (!ok || !std::isfinite(qt) || lenient == qt)));
        // NumberToText writes, without thousands separators, 15 significant digits (a third
        // of a number has all of them) that read back and write again the same.
        for (const double value : {lenient, strict.value_or(0), lenient / 3}) {
            const QString written = NumberToText(value);
            const double back = IsNumericText(written) ? StrictTextToNumber(written) : NAN;
            CHECK(!std::isfinite(value) ||
                  (std::fabs(back - value) <= std::fabs(value) * 5.2e-15 && NumberToText(back) == written &&
                   (group == decimal || !written.contains(group)) &&
                   (decimal != "." || TextToNumber(written) == back)));
        }
    }
}

// --- The windows, each target on a program of its own

// Fields: the entry, the reminder typed into its box (none when empty), the ticks to run, and
// what is typed into the reminder's box once the reminder has opened.
void countdown(TestApp &app, const QStringList &in)
{
    Form2 &f = openForm2(app);
    // It starts for a whole number of seconds, not negative and at most 2^53 (beyond that a
    // count less 1 is the count again); the red line under the entry shows whenever a change
    // leaves one that 确定 refuses, and an entry worth 0 seconds, which shuts down at once,
    // is announced before it is taken.
    typeKeys(f.Text1, in.value(0));
    const QString entry = f.Text1->text();
    const double v = IsNumericText(entry) ? StrictTextToNumber(entry) : -1;
    const bool valid = v >= 0 && v == std::floor(v) && v <= 0x1p53, full = v <= 1e15;
    CHECK(f.Command1->isEnabled() == valid && f.Label15->isVisible() == (f.Text1->isModified() && !valid) &&
          f.Label6->isVisible() == (v == 0));
    QTest::keyClick(f.Text1, Qt::Key_Return);
    if (!valid)
        return CHECK(f.Command1->caption() == "确定"); // not started
    armTyped(f, in.value(1));
    const QString remind = f.Combo1->text();
    CHECK(f.check2->value() == !remind.isEmpty() &&
          (remind.isEmpty() || (f.remindAt.text() == remind && f.Label16->caption() == "设置完毕！")));
    // The reminder opens at the count of the same value however written ("020" at 20).
    const double r = IsNumericText(remind) ? StrictTextToNumber(remind) : -1;
    const double opensAt = full && r >= 0 && r < v && r == std::floor(r) ? v - r : NAN;
    for (int k = 0; k <= std::clamp(in.value(2).left(3).toInt(), 0, 120); ++k) {
        app.desktop.advance(k > 0 ? 1000 : 0);
        // The count: the entry until the first tick, then one less every second down to "0",
        // when the shutdown is launched; up to 10^15 (full) every figure is written out in full.
        const QString shown = k == 0 || v == 0 ? entry : QString::number(qint64(v - std::min<double>(k, v)));
        CHECK(app.desktop.commands.size() == (v <= k) && f.Timer1->enabled() == (v > k) &&
              (!full || (f.Label4->caption() == shown && app.forms.form4.exists() == (k >= opensAt))));
        if (k == opensAt)
            typeKeys(f.Combo1->lineEdit(), in.value(3));
    }
}

// Fields: hours, minutes, seconds. A setting made is then run through the second it is due:
// the wall clock is set two seconds before it, and virtual time runs on past it.
void clockTime(TestApp &app, const QStringList &in)
{
    Form5 &f = openForm5(app);
    enterTime(f, in.value(0), in.value(1), in.value(2));
    double total = 0; // NaN once a part does not fit
    for (int i = 0; i < 3; ++i) {
        QString text; // each key edits it; a text that reads as more than its limit is emptied
        for (const QChar c : in.value(i)) {
            text = c == u'\b' ? text.chopped(!text.isEmpty()) : text + c;
            text = TextToNumber(text) > (i == 0 ? 24 : 60) ? QString() : text;
        }
        CHECK((i == 0 ? f.Text1 : i == 1 ? f.Text2 : f.Text3)->text() == text);
        // 确定 takes any text but three empty fields, each part rounded to 16 bits.
        const double part = std::nearbyint(TextToNumber(text));
        total = std::fabs(part + 0.5) <= 32767.5 ? total * 60 + part : NAN;
    }
    const bool set = !f.Command1->isEnabled();
    CHECK(set == (!(f.Text1->text() + f.Text2->text() + f.Text3->text()).isEmpty() && !std::isnan(total)) &&
          f.Command3->isEnabled() == set && app.desktop.messages.size() == !set);
    if (!set)
        return;
    const QTime target = QTime(0, 0).addSecs(int(std::fmod(total, 86400))); // wrapped round the day
    CHECK(f.Label6->caption() == target.toString("HH：mm：ss"));
    app.desktop.jumpClock(((app.desktop.now().time().secsTo(target.addSecs(-2)) + 86399) % 86400 + 1) * 1000);
    runUntil(app.desktop, target.addSecs(-1));
    CHECK(app.desktop.commands.isEmpty());
    app.desktop.advance(3000);
    CHECK(app.desktop.commands.size() == 1);
}

// The boxes of the main window. Fields: the texts typed into the leap-year box and the zodiac
// box; the left operand, the right one and the clicks on the sign of the calculator; a
// password given to the prompt of the lock, then attempts typed into the lock panel after
// what it holds, while it is locked.
void mainWindow(TestApp &app, const QStringList &in)
{
    app.finishLoading();
    Form1 &f = app.forms.form1();
    Tools &t = f.tools(); // as the tools menu makes them when first shown
    // A box that holds a number is judged for the year it reads as, rounded, when that has 64
    // bits: by QDate's Gregorian rule (the same every 400 years, and for -y as for y), and by
    // the animals counted from 2020, a year of the rat. Green says a leap year, or an animal.
    for (const auto &[item, box, judge, verdict] : {std::tuple(t.mnupdrn, t.Text5, t.Command12, t.Label12),
                                                    std::tuple(t.mnusx, t.Text6, t.Command13, t.Label15)}) {
        item->trigger();
        QTest::mouseClick(box, Qt::LeftButton); // the leap-year box's grey hint goes
        typeKeys(box, in.value(box == t.Text6));
        QTest::mouseClick(judge, Qt::LeftButton);
        const double y = std::nearbyint(TextToNumber(box->text()));
        const bool year = IsNumericText(box->text()) && y >= -0x1p63 && y < 0x1p63;
        const QString leap =
            QDate::isLeapYear(400 + int(std::fmod(std::fabs(y), 400))) ? "是闰年" : "不是闰年";
        const QString animal = QString("鼠牛虎兔龙蛇马羊猴鸡狗猪").mid((int(std::fmod(y, 12)) + 20) % 12, 1);
        const QString expected = !year ? "无法判断" : box == t.Text6 ? animal : leap;
        CHECK(verdict->caption() == expected &&
              (verdict->foreColor() == Colour::VerdictGreen) == (year && expected != "不是闰年"));
    }
    // An operand that is no number makes both "0"; a result that is no finite number (x / 0
    // among them) leaves the result box empty.
    t.mnujsq->trigger();
    typeKeys(t.Text2, in.value(2));
    typeKeys(t.Text3, in.value(3));
    const int clicks = std::clamp(in.value(4).left(3).toInt(), 0, 7); // +, -, ×, / in turn
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(t.Label10, Qt::LeftButton);
    const bool usable = IsNumericText(t.Text2->text()) && IsNumericText(t.Text3->text());
    const QString left = usable ? t.Text2->text() : "0", right = usable ? t.Text3->text() : "0";
    const double x = StrictTextToNumber(left), y = StrictTextToNumber(right),
                 r[] = {x + y, x - y, x * y, x / y};
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    CHECK(t.Text2->text() == left && t.Text3->text() == right &&
          t.Text4->text() == (std::isfinite(r[clicks % 4]) ? NumberToText(r[clicks % 4]) : ""));
    // Locked by a password that is not empty; unlocked by exactly that, character for character.
    app.desktop.answerText(in.value(5));
    QTest::mouseClick(f.Command9, Qt::LeftButton);
    CHECK(f.isLocked == !in.value(5).isEmpty());
    for (int i = 6; i < in.size() && f.isLocked; ++i) {
        typeKeys(f.Text1, in[i]);
        QTest::keyClick(f.Text1, Qt::Key_Return);
        CHECK(f.isLocked != (f.Text1->text() == in.value(5)) && f.Frame2->isVisible() == f.isLocked);
    }
}

void (*const Windows[])(TestApp &, const QStringList &) = {countdown, clockTime, mainWindow};

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
    qputenv("TZ", "UTC"); // no daylight-saving jumps in the virtual clock (Qt reads it afresh)
    // Qt's notes here are the off-screen platform's on what it cannot do, and a font's on the
    // tables it lacks: they say nothing about the program and would drown everything else.
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.info=false;*.warning=false");
    new QApplication(*argc, *argv); // lives as long as the process
    FakeDesktop::unscriptedBox = [](const QString &) { qFatal("morvane_fuzz: check failed: no answer"); };
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QRegularExpression notTyped(QStringLiteral("[^\\x08\\n\\P{C}]|[^\\x{0}-\\x{ffff}]"));
    const int first = size > 0 ? data[0] : 0;
    QString text =
        QString::fromUtf8(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).mid(1));
    QLocale::setDefault(QLocale(Locales[first / 4 % std::size(Locales)]));
    if (first % 4 == 0) {
        conversions(text.split(u'\n'));
    } else {
        // Whatever a target did: no run-time error reached the user, the program did not end,
        // and the only command launched was the shutdown.
        TestApp app;
        Windows[first % 4 - 1](app, text.remove(notTyped).split(u'\n'));
        const FakeDesktop &d = app.desktop;
        CHECK(std::none_of(d.messages.begin(), d.messages.end(), [](const auto &m) { return m.posted; }) &&
              app.quitCalls == 0 && !app.forms.events().ended() &&
              d.commands.count(ShutdownLine) == d.commands.size());
    }
    CHECK(QApplication::allWidgets().isEmpty()); // the program is gone, every window and control with it
    return 0;
}
