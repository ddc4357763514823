#include "support/fake_desktop.h"

#include "platform/runtime_error.h"

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
    void start(int intervalMs) override
    {
        active = true;
        alignAfter = -1;
        interval = intervalMs;
        due = desktop_.elapsedMs + intervalMs;
        armed();
    }
    void startAligned(int intervalMs, int afterMs) override
    {
        active = true;
        alignAfter = afterMs;
        interval = intervalMs;
        due = desktop_.elapsedMs + msToAlignedTick(desktop_.now().time(), interval, alignAfter);
        armed();
    }
    void stop() override { active = false; }
    // Re-armed as it fires: by its rhythm, or aimed at the wall clock again.
    void rearm()
    {
        if (alignAfter >= 0) {
            due = desktop_.elapsedMs + msToAlignedTick(desktop_.now().time(), interval, alignAfter);
        } else {
            due += interval;
            if (due < desktop_.elapsedMs) // fell behind by a whole interval: the rhythm starts afresh
                due = desktop_.elapsedMs + interval;
        }
        armed();
    }
    void armed()
    {
        late = desktop_.lateness ? desktop_.lateness() : 0;
        order = ++desktop_.armCount_;
    }
    qint64 firesAt() const { return due + late; }

    bool active = false;
    int alignAfter = -1; // not aligned
    int interval = 0;
    qint64 due = 0;    // when the next firing is due
    qint64 late = 0;   // how far that firing strays from it
    quint64 order = 0; // timers firing together fire in the order they were armed

private:
    FakeDesktop &desktop_;
};

std::function<void(const QString &text)> FakeDesktop::unscriptedBox;

FakeDesktop::FakeDesktop() = default;
FakeDesktop::~FakeDesktop() = default;

void FakeDesktop::answer(int result)
{
    answers_.push_back([result] { return result; });
}

void FakeDesktop::answerWith(std::function<int()> answer)
{
    answers_.push_back(std::move(answer));
}

void FakeDesktop::answerText(const QString &text)
{
    textAnswers_.push_back(text);
}

void FakeDesktop::advance(qint64 ms)
{
    const qint64 target = elapsedMs + ms;
    for (;;) {
        Timer *next = nullptr;
        for (Timer *t : timers_) {
            if (t->active && t->firesAt() <= target &&
                (!next || t->firesAt() < next->firesAt() ||
                 (t->firesAt() == next->firesAt() && t->order < next->order)))
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

void FakeDesktop::jumpClock(qint64 ms)
{
    start = start.addMSecs(ms);
}

void FakeDesktop::stall(qint64 ms)
{
    elapsedMs += ms;
    advance(0);
}

int FakeDesktop::showMessage(const QString &text, int style, const QString &title)
{
    messages.push_back({text, style, title, false});
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

void FakeDesktop::postMessage(const QString &text, const QString &title)
{
    messages.push_back({text, MsgStyle::Ok, title, true});
}

QString FakeDesktop::askText(const QString &prompt, const QString &title)
{
    prompts << prompt;
    promptTitles << title;
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

QDateTime FakeDesktop::now() const
{
    return start.addMSecs(elapsedMs);
}

void FakeDesktop::setSleepInhibited(bool on)
{
    if (on != sleepInhibited)
        ++sleepInhibitorChanges;
    sleepInhibited = on;
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
