#pragma once

#include <QString>

#include <functional>

// How the program runs its event handlers, and the two states that change how every
// window answers: the program has ended, or the desktop session is ending.

using Handler = std::function<void()>;
using ErrorReporter = std::function<void(const QString &message)>;

// Runs the handler of an event that came from the user or a timer. A run-time error
// that escapes it is reported and the program goes on. Nothing runs once the program
// has ended.
void runEvent(const Handler &handler);

// Sets where escaped errors are reported; returns the reporter it replaces.
ErrorReporter setErrorReporter(ErrorReporter reporter);

// Sets what runs after every event that runEvent handled, once its handler is over (also
// when it ended in an error); returns the observer it replaces.
Handler setEventObserver(Handler observer);

void setProgramEnded(bool ended);
bool programEnded();

// While the desktop session ends, every close request is accepted.
void setSessionEnding(bool ending);
bool sessionEnding();
