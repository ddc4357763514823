#pragma once

#include "os/sleep_inhibitor.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QString>

#include <functional>
#include <memory>

class QDBusPendingCallWatcher;

// A "sleep:idle" block lock from systemd-logind (org.freedesktop.login1.Manager.Inhibit).
// logind answers with a file descriptor and keeps the lock until every copy of it is
// closed; this object holds one copy while inhibited.
//
// The request is asynchronous, so a slow or absent logind never holds up the caller. A
// release that comes before the answer still wins: the answer's descriptor is then
// dropped as soon as it arrives. A request that fails (no bus, no logind, no answer
// within `timeoutMs`) goes to `reportFailure` and the program carries on without the
// lock; the next setInhibited(true) asks again.
class LogindSleepInhibitor final : public SleepInhibitor {
public:
    using FailureReport = std::function<void(const QString &reason)>;

    LogindSleepInhibitor(const QDBusConnection &bus, FailureReport reportFailure, int timeoutMs = 2000);
    ~LogindSleepInhibitor() override;

    void setInhibited(bool on) override;

private:
    void request();
    void answered();

    QDBusConnection bus_;
    FailureReport reportFailure_;
    int timeoutMs_;
    bool wanted_ = false;
    QDBusUnixFileDescriptor lock_;
    std::unique_ptr<QDBusPendingCallWatcher> pending_;
};
