#pragma once

#include <QString>

#include <functional>

// A control's event handler, set by its window (`Command5->onClick = [this] { Command5_Click(); }`).
// It runs in one of three ways, by where its event comes from:
//  - called directly, when the program's own assignment changes a control whose change Qt does
//    not report (Label::setCaption, ComboBox::setText): the setter calls onChange itself before
//    it returns, nested in the handler that assigned, and an error it raises goes on out to it;
//  - through assign and raiseEvent (EventSource, event_source.h), when Qt reports the change by
//    a signal (a text box's text, a check box's tick, a combo box's pick): made by the user, the
//    change is an event of its own window (as below); made by the program inside assign(), the
//    handler is called directly and its error is carried out of Qt's signal to the assigning code;
//  - as an event of its own, for what only the user or a timer does (a click, a double-click, a
//    mouse press, a tick): runEvent (window.h) or the timer hands it to the window's
//    EventContext::run, which reports a run-time error that escapes and goes on.
using Handler = std::function<void()>;

// How the program's event handlers run. There is one for the whole program: the registry of
// windows owns it and every window reaches it through its base.
class EventContext {
public:
    // Runs the handler of an event that came from the user or a timer. A run-time error
    // that escapes it is reported and the program goes on; then afterEvent runs (also when
    // the handler ended in an error). Nothing runs once the program has ended.
    void run(const Handler &handler);

    std::function<void(const QString &message)> reportError; // where escaped errors go
    Handler afterEvent;

    void end() { ended_ = true; }
    bool ended() const { return ended_; }

private:
    bool ended_ = false;
};
