#pragma once

#include <QString>

#include <functional>

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
