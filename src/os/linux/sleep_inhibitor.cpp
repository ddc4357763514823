#include "os/linux/logind_sleep_inhibitor.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <cstdio>
#include <utility>

LogindSleepInhibitor::LogindSleepInhibitor(const QDBusConnection &bus, FailureReport reportFailure,
                                           int timeoutMs)
    : bus_(bus), reportFailure_(std::move(reportFailure)), timeoutMs_(timeoutMs)
{}

// Our copy of the descriptor closes with lock_. A request still under way goes with its
// watcher; QtDBus then discards the answer, and the descriptor in it, when it comes.
LogindSleepInhibitor::~LogindSleepInhibitor() = default;

void LogindSleepInhibitor::setInhibited(bool on)
{
    wanted_ = on;
    if (!on)
        lock_ = QDBusUnixFileDescriptor(); // closing the descriptor releases the lock
    else if (!lock_.isValid() && !pending_)
        request();
}

void LogindSleepInhibitor::request()
{
    if (!bus_.isConnected()) {
        const QString reason = bus_.lastError().message();
        reportFailure_(reason.isEmpty() ? QStringLiteral("没有连接到 D-Bus 系统总线") : reason);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << QStringLiteral("Morvane") << QStringLiteral("定时关机等待中")
         << QStringLiteral("block");
    pending_ = std::make_unique<QDBusPendingCallWatcher>(bus_.asyncCall(call, timeoutMs_));
    QObject::connect(pending_.get(), &QDBusPendingCallWatcher::finished, pending_.get(),
                     [this] { answered(); });
}

void LogindSleepInhibitor::answered()
{
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *pending_;
    pending_.release()->deleteLater(); // it is still delivering this signal
    if (reply.isError())
        reportFailure_(reply.error().message());
    else if (!reply.value().isValid())
        reportFailure_(QStringLiteral("logind 没有交回文件描述符"));
    else if (wanted_)
        lock_ = reply.value();
    // Otherwise the lock was given up while the request was under way: the answer's
    // descriptor closes with the last copy of the answer, which releases it at once.
}

std::unique_ptr<SleepInhibitor> createSystemSleepInhibitor()
{
    // Only the first failure is worth a line: later ones would repeat it, and the program
    // works on without the lock either way.
    auto reportOnce = [reported = false](const QString &reason) mutable {
        if (std::exchange(reported, true))
            return;
        std::fprintf(stderr, "morvane: 无法阻止系统休眠：%s\n", qUtf8Printable(reason));
    };
    return std::make_unique<LogindSleepInhibitor>(QDBusConnection::systemBus(), reportOnce);
}
