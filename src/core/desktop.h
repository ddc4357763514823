#pragma once

#include <QDateTime>
#include <QString>

class QObject;

#include <functional>
#include <memory>

// Message box styles and results, as the program's logic speaks of them. A style is
// the sum of one button set and one icon; the values are the program's own contract.
namespace MsgStyle {
// Button sets
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int YesNo = 4;
constexpr int ButtonsMask = 0x07;
// Icons
constexpr int NoIcon = 0;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int IconMask = 0x70;
// The styles the windows use
constexpr int Ok = OkOnly;
constexpr int OkCancelQuestion = OkCancel + Question; // OK the default
constexpr int YesNoQuestion = YesNo + Question;
} // namespace MsgStyle
namespace MsgResult {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MsgResult

// The clock behind one timer. start() (re)arms it to fire `intervalMs` from now and
// then every interval; each firing re-arms the next one before it calls onFire, so a
// tick that waits in a modal box still lets the next tick come, nested.
class TimerBackend {
public:
    virtual ~TimerBackend() = default;
    virtual void start(int intervalMs) = 0;
    // Like start(), but every firing, the first included, is aimed at the wall clock:
    // `afterMs` after the next whole multiple of the interval since midnight (for
    // 1000 ms, just after the next second begins), worked out afresh at each firing.
    virtual void startAligned(int intervalMs, int afterMs) = 0;
    virtual void stop() = 0;
    std::function<void()> onFire;
};

// Everything the windows need from the system. Nothing else in the program touches it.
class Desktop {
public:
    virtual ~Desktop() = default;

    // A modal box; returns a MsgResult. `owner` is the window the user acted in: the box comes
    // up over it and stays above it, as one with it. A box without an owner is a warning that
    // comes in its own time (from a timer): it stays above every window until it is answered
    // and asks for the user's attention where the system keeps it from the front.
    // Either way its buttons take no click or key that the user began before it could be read.
    virtual int showMessage(const QString &text, int style, const QString &title, QObject *owner) = 0;
    // A warning box with OK only that comes up once the current event has been handled,
    // so the handler that reports something is not held up by it.
    virtual void postMessage(const QString &text, const QString &title) = 0;
    // A modal input box over its owner; Cancel or closing gives the empty text.
    virtual QString askText(const QString &prompt, const QString &title, QObject *owner) = 0;
    // Starts the program named by the first word, found on the search path, with the
    // rest as arguments; does not wait. Raises RuntimeError::CommandNotFound when the
    // program cannot be found or started. A later failure exit is reported in a box.
    virtual void runCommand(const QString &commandLine) = 0;
    virtual QDateTime now() const = 0;
    virtual std::unique_ptr<TimerBackend> createTimer() = 0;
    // Keeps the computer from going to sleep while `on` (a timed shutdown is pending), so
    // the shutdown cannot pass unnoticed while the machine sleeps. Never blocks or shows
    // a box; where the system offers no way, the program goes on without it.
    virtual void setSleepInhibited(bool on) = 0;
    // True once the desktop session is ending (the user logs off, the system shuts down):
    // then no window may refuse to close.
    virtual bool sessionEnding() const = 0;
    // True where a window that the window manager restored from minimised still asks to
    // start minimised (X11): the window base then tells it otherwise before it shows it again.
    virtual bool restoredWindowsStartIconic() const { return false; }
};

// The texts of the boxes that report a command that failed.
QString commandNotStartedText(const QString &commandLine);
QString actionNotSupportedText(); // on a system with no known way to switch off, restart or log off
QString commandFailedText(const QString &commandLine, int exitCode);
