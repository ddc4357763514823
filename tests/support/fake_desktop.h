#pragma once

#include "platform/desktop.h"
#include "support/printing.h"

#include <QPoint>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// A desktop for tests: virtual time, scripted boxes, recorded command lines.
// Nothing is ever launched.
class FakeDesktop final : public Desktop {
public:
    struct Message {
        QString text;
        int style;
        QString title;
        bool posted; // a non-blocking report
    };

    FakeDesktop();
    ~FakeDesktop() override;

    // Answers for the next modal boxes, in order. A function may advance time while
    // the box is open. Unscripted OK-only boxes answer OK; any other is reported to
    // unscriptedBox and answered Cancel (No for a Yes/No box).
    void answer(int result);
    void answerWith(std::function<int()> answer);
    void answerText(const QString &text);

    // Moves the virtual clock on, firing every due timer in order. Each firing re-arms
    // its timer first, so a tick that waits in a box lets later ticks run nested.
    void advance(qint64 ms);
    // Sets the wall clock forward or back, as when the computer slept or the user set
    // the time. Timers run on their own steady clock, as real ones do: none fires.
    void jumpClock(qint64 ms);
    // Holds every timer up for `ms`, as a busy machine does: both clocks move on, then
    // each timer that came due in between fires once, late.
    void stall(qint64 ms);
    // How many ms each timer firing comes after its due time (negative: before it),
    // asked once for every firing as the timer is armed for it. Unset: on time.
    std::function<qint64()> lateness;

    // Told of every box that asks a question nobody scripted an answer for. Shared by every
    // fake desktop of the process: the test runner counts such a box as a test failure.
    static std::function<void(const QString &text)> unscriptedBox;

    int showMessage(const QString &text, int style, const QString &title) override;
    void postMessage(const QString &text, const QString &title) override;
    QString askText(const QString &prompt, const QString &title) override;
    void runCommand(const QString &commandLine) override;
    QDateTime now() const override;
    std::unique_ptr<TimerBackend> createTimer() override;
    void setSleepInhibited(bool on) override;

    std::vector<Message> messages;
    QStringList prompts;
    QStringList promptTitles;
    QStringList commands;
    bool sleepInhibited = false;
    int sleepInhibitorChanges = 0; // requests that changed the state
    bool commandsFail = false;
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
