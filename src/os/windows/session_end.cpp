#include "os/system.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <windows.h>

#include <utility>

namespace {

// Windows asks every program whether the session may end (WM_QUERYENDSESSION, which Qt answers
// with commitDataRequest), then tells each whether it does end: WM_ENDSESSION with FALSE when
// a program refused and the session goes on.
class SessionEndWatch final : public QObject, public QAbstractNativeEventFilter {
public:
    SessionEndWatch(QObject &owner, std::function<void()> cancelled)
        : QObject(&owner), cancelled_(std::move(cancelled))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~SessionEndWatch() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        const auto *msg = static_cast<const MSG *>(message);
        if (type == "windows_generic_MSG" && msg->message == WM_ENDSESSION && !msg->wParam)
            cancelled_();
        return false;
    }

private:
    std::function<void()> cancelled_;
};

} // namespace

void watchSessionEndCancelled(QObject &owner, const std::function<void()> &cancelled)
{
    if (QCoreApplication::instance())
        new SessionEndWatch(owner, cancelled);
}
