#pragma once

#include "core/desktop.h"

#include <QPoint>
#include <QStringList>

#include <deque>
#include <functional>
#include <ostream>
#include <vector>

// Readable failure messages for QString (and, through it, QStringList).
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// A desktop for tests: virtual time, scripted boxes, recorded command lines.
// Nothing is ever launched.
class FakeDesktop final : public Desktop {
public:
    struct Message {
        QString text;
        int style;
        QString title;
        bool posted;          // a non-blocking report
        const QObject *owner; // the window it came up over; none for a warning
    };

    // Answers for the next modal boxes, in order; a function may advance time while its
    // box is open. Unscripted OK-only boxes answer OK; any other is reported to
    // unscriptedBox and answered Cancel (No for a Yes/No box).
    void answer(int result)
    {
        answers_.push_back([result] { return result; });
    }
    void answerWith(std::function<int()> answer) { answers_.push_back(std::move(answer)); }
    void answerText(const QString &text) { textAnswers_.push_back(text); }

    // Moves the virtual clock on, firing every due timer in order. Each firing re-arms
    // its timer first, so a tick that waits in a box lets later ticks run nested.
    void advance(qint64 ms);
    // Sets the wall clock forward or back; timers run on their own clock: none fires.
    void jumpClock(qint64 ms) { start = start.addMSecs(ms); }
    // Holds every timer up for `ms`, as a busy machine does: then each fires once, late.
    void stall(qint64 ms)
    {
        elapsedMs += ms;
        advance(0);
    }
    // How many ms each firing comes after its due time (negative: before it), asked
    // once per firing as its timer is armed for it. Unset: on time.
    std::function<qint64()> lateness;

    // Told of every box that asks a question nobody scripted an answer for, and of every box
    // or prompt whose lines are not joined by CR LF. Shared by every fake desktop of the
    // process: the test runner counts such a box as a test failure.
    static std::function<void(const QString &text)> unscriptedBox;

    int showMessage(const QString &text, int style, const QString &title, QObject *owner) override;
    void postMessage(const QString &text, const QString &title) override
    {
        messages.push_back({text, MsgStyle::Ok, title, true, nullptr});
    }
    QString askText(const QString &prompt, const QString &title, QObject *owner) override;
    void runCommand(const QString &commandLine) override;
    QDateTime now() const override { return start.addMSecs(elapsedMs); }
    std::unique_ptr<TimerBackend> createTimer() override;
    bool sessionEnding() const override { return sessionEnds; }
    void setSleepInhibited(bool on) override
    {
        sleepInhibitorChanges += on != sleepInhibited;
        sleepInhibited = on;
    }

    std::vector<Message> messages;
    QStringList prompts; // "title|prompt"
    QStringList commands;
    bool sleepInhibited = false;
    int sleepInhibitorChanges = 0; // requests that changed the state
    bool commandsFail = false;
    bool sessionEnds = false; // the desktop session is ending
    QDateTime start{QDate(2026, 12, 7), QTime(22, 29, 50)};
    qint64 elapsedMs = 0;

    class Timer;

private:
    std::deque<std::function<int()>> answers_;
    std::deque<QString> textAnswers_;
    std::vector<Timer *> timers_;
    quint64 armCount_ = 0;
};

class QWidget;

// A double-click as a user makes it: press, release, double-click, release.
void userDoubleClick(QWidget *widget, QPoint at);
