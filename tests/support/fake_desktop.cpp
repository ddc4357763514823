#include "support/fake_desktop.h"

#include "platform/runtime_error.h"

#include <QTest>

#include <gtest/gtest.h>

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
        interval = intervalMs;
        due = desktop_.elapsedMs + intervalMs;
        order = ++desktop_.armCount_;
    }
    void stop() override { active = false; }

    bool active = false;
    int interval = 0;
    qint64 due = 0;
    quint64 order = 0; // timers due together fire in the order they were armed

private:
    FakeDesktop &desktop_;
};

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
            if (t->active && t->due <= target &&
                (!next || t->due < next->due || (t->due == next->due && t->order < next->order)))
                next = t;
        }
        if (!next)
            break;
        elapsedMs = std::max(elapsedMs, next->due);
        next->due += next->interval;
        next->order = ++armCount_;
        if (next->onFire)
            next->onFire();
    }
    elapsedMs = std::max(elapsedMs, target);
}

int FakeDesktop::showMessage(const QString &text, int style, const QString &title)
{
    messages.push_back({text, style, title, false});
    if (answers_.empty()) {
        if (style == MsgStyle::Ok)
            return MsgResult::Ok;
        ADD_FAILURE() << "unscripted box: " << text.toStdString();
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
