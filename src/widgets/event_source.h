#pragma once

#include "widgets/event_context.h"

#include <exception>
#include <functional>

class QWidget;

// Helper for controls whose change is reported by a Qt signal (the second of the three ways a
// handler runs, event_context.h): a change the user makes is an event of its own window; while
// the program assigns, a handler's error is carried out to the assigning code.
class EventSource {
protected:
    explicit EventSource(QWidget *control) : control_(control) {}
    // From the control's Qt signal: runs the handler as its window's event, or, inside assign(),
    // directly.
    void raiseEvent(const Handler &handler);
    // Makes the program's change; a handler it sets off runs nested and its error is rethrown here.
    void assign(const std::function<void()> &change);

private:
    QWidget *control_;
    std::exception_ptr *carried_ = nullptr;
};
