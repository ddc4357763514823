#include "support/fake_desktop.h"

#include "core/aligned_tick.h"
#include "core/runtime_error.h"

#include <QTest>

#include <algorithm>

class FakeDesktop::Timer final : public TimerBackend {
public:
    explicit Timer(FakeDesktop &desktop) : desktop_(desktop) { desktop_.timers_.push_back(this); }
    ~Timer() override
    {
        auto &all = desktop_.timers_;
        all.erase(std::remove(all.begin(), all.end(), this), all.end());
    }
    void start(int intervalMs) override { arm(intervalMs, -1, desktop_.elapsedMs + intervalMs); }
    void startAligned(int intervalMs, int afterMs) override
    {
        arm(intervalMs, afterMs, alignedDue(intervalMs, afterMs));
    }
    void stop() override { active = false; }
    // Re-armed as it fires, by the real timers' own rule.
    void rearm()
    {
        arm(interval, alignAfter,
            alignAfter >= 0 ? alignedDue(interval, alignAfter)
                            : nextRhythmDue(due, desktop_.elapsedMs, interval));
    }
    qint64 firesAt() const { return due + late; }

    bool active = false;
    quint64 order = 0; // timers firing together fire in the order they were armed

private:
    qint64 alignedDue(int intervalMs, int afterMs) const
    {
        return desktop_.elapsedMs + msToAlignedTick(desktop_.now().time(), intervalMs, afterMs);
    }
    void arm(int intervalMs, int afterMs, qint64 at)
    {
        active = true;
        interval = intervalMs;
        alignAfter = afterMs;
        due = at;
        late = desktop_.lateness ? desktop_.lateness() : 0;
        order = ++desktop_.armCount_;
    }

    FakeDesktop &desktop_;
    int interval = 0;
    int alignAfter = -1; // not aligned
    qint64 due = 0;      // when the next firing is due
    qint64 late = 0;     // how far that firing strays from it
};

std::function<void(const QString &text)> FakeDesktop::unscriptedBox;

void FakeDesktop::advance(qint64 ms)
{
    const qint64 target = elapsedMs + ms;
    for (;;) {
        Timer *next = nullptr;
        for (Timer *t : timers_) {
            if (t->active && t->firesAt() <= target &&
                (!next || std::pair(t->firesAt(), t->order) < std::pair(next->firesAt(), next->order)))
                next = t;
        }
        if (!next)
            break;
        elapsedMs = std::max(elapsedMs, next->firesAt());
        next->rearm();
        if (next->onFire)
            next->onFire();
    }
    elapsedMs = std::max(elapsedMs, target);
}

namespace {
// A box's lines are joined by CR LF, the program's own line break.
void checkLines(const QString &text)
{
    if (QString(text).remove(QStringLiteral("\r\n")).contains(u'\n') && FakeDesktop::unscriptedBox)
        FakeDesktop::unscriptedBox(QStringLiteral("lines not joined by CR LF: ") + text);
}
} // namespace

int FakeDesktop::showMessage(const QString &text, int style, const QString &title, QObject *owner)
{
    checkLines(text);
    messages.push_back({text, style, title, false, owner});
    if (answers_.empty()) {
        if (style == MsgStyle::Ok)
            return MsgResult::Ok;
        if (unscriptedBox)
            unscriptedBox(text);
        return style == MsgStyle::YesNoQuestion ? MsgResult::No : MsgResult::Cancel;
    }
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    return answer();
}

QString FakeDesktop::askText(const QString &prompt, const QString &title, QObject *)
{
    checkLines(prompt);
    prompts << title + u'|' + prompt;
    if (textAnswers_.empty())
        return QString();
    const QString text = textAnswers_.front();
    textAnswers_.pop_front();
    return text;
}

void FakeDesktop::runCommand(const QString &commandLine)
{
    if (commandsFail)
        throw RuntimeError(RuntimeError::CommandNotFound);
    commands << commandLine;
}

std::unique_ptr<TimerBackend> FakeDesktop::createTimer()
{
    return std::make_unique<Timer>(*this);
}

void userDoubleClick(QWidget *widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}
