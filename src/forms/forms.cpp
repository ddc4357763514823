#include "forms/forms.h"

#include "core/desktop.h"
#include "forms/main/form1.h"
#include "widgets/timer.h"

#include <QCoreApplication>

FormSlot::FormSlot(Forms &forms) : forms_(forms)
{
    forms.slots_.push_back(this);
}

void FormSlot::unload()
{
    if (!window_)
        return;
    stopTimers(*window_);
    window_->hide();
    // It may be unloading itself from one of its own handlers: delete it once that is over.
    window_.release()->deleteLater();
}

Forms::Forms(Desktop &desktop, std::function<void()> quit) : desktop_(desktop), quit_(std::move(quit))
{
    events_.reportError = [&desktop](const QString &message) {
        desktop.postMessage(message, QStringLiteral("Morvane"));
    };
    events_.afterEvent = [this] { keepAwakeWhilePending(); };
}

Forms::~Forms()
{
    if (keptAwake_)
        desktop_.setSleepInhibited(false);
    // A window unloaded from its own handler is deleted later; do it now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Forms::start()
{
    form1().showWindow();
}

void Forms::keepAwakeWhilePending()
{
    bool pending = false;
    for (const FormSlot *slot : slots_)
        pending = pending || (slot->window() && slot->window()->timedShutdownPending());
    if (pending == keptAwake_)
        return;
    keptAwake_ = pending;
    desktop_.setSleepInhibited(pending);
}

void Forms::end()
{
    events_.end();
    if (keptAwake_) { // a pending shutdown dies with the program
        keptAwake_ = false;
        desktop_.setSleepInhibited(false);
    }
    for (FormSlot *slot : slots_) {
        if (Window *w = slot->window()) {
            stopTimers(*w);
            w->hide();
        }
    }
    if (quit_)
        quit_();
}
