#include "os/linux/logind_sleep_inhibitor.h"
#include "os/qt_desktop.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>

namespace {

using namespace Qt::StringLiterals;

using Locks = std::vector<std::string>;
const std::string ourLock = "sleep:idle|Morvane|定时关机等待中|block"; // "what|who|why|mode"
const QString logind = u"org.freedesktop.login1"_s;
const QString logindPath = u"/org/freedesktop/login1"_s;

// A dbus-daemon of the test's own, with the stand-in logind of python3-dbusmock on it on
// demand. Nothing here reaches the machine's own buses; each process dies with the test.
class LogindSleepInhibitorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        daemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        daemon.start(u"dbus-daemon"_s, {"--session", "--print-address", "--nofork"});
        ASSERT_TRUE(daemon.waitForReadyRead(10000)) << daemon.readAllStandardError().toStdString();
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        // For the stand-in logind, and for a desktop's system bus (QtDBus looks its address up
        // once per process, at its first use).
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address.toUtf8());
        bus = QDBusConnection::connectToBus(address, name);
        ASSERT_TRUE(bus.isConnected()) << address.toStdString();
    }
    void TearDown() override { QDBusConnection::disconnectFromBus(name); }
    // Starts the stand-in logind (by default dbusmock's logind) and waits until it owns its name.
    void startLogind(const QStringList &arguments = {"--template", "logind"})
    {
        mock.kill();
        mock.waitForFinished();
        mock.setStandardOutputFile(QProcess::nullDevice()); // it logs every call
        mock.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        mock.start(u"/usr/bin/python3"_s, QStringList{"-m", "dbusmock", "--system"} + arguments);
        for (QDeadlineTimer end(20000); !bus.interface()->isServiceRegistered(logind);)
            ASSERT_FALSE(mock.waitForFinished(50) || end.hasExpired())
                << mock.readAllStandardError().toStdString();
    }
    // logind's inhibitors once there are `count` of them (logind notices a closed descriptor a
    // moment later) or five seconds have passed. Each call is also a round trip that lets every
    // answer sent before it arrive and be handled.
    Locks locks(size_t count)
    {
        Locks list;
        QDeadlineTimer end(5000);
        do {
            const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(
                logind, logindPath, logind + u".Manager"_s, u"ListInhibitors"_s));
            QTest::qWait(50);
            list.clear();
            if (reply.type() != QDBusMessage::ReplyMessage)
                continue; // no logind, no locks
            const auto array = reply.arguments().value(0).value<QDBusArgument>();
            array.beginArray();
            while (!array.atEnd()) {
                QString what, who, why, mode; // then the uid and pid, which are left unread
                array.beginStructure();
                array >> what >> who >> why >> mode;
                array.endStructure();
                list.push_back(QStringList{what, who, why, mode}.join(u'|').toStdString());
            }
            array.endArray();
        } while (list.size() != count && !end.hasExpired());
        return list;
    }
    std::unique_ptr<SleepInhibitor> inhibitor(int timeoutMs = 2000)
    {
        return std::make_unique<LogindSleepInhibitor>(
            bus, [this](const QString &reason) { failures.push_back(reason.toStdString()); }, timeoutMs);
    }

    QProcess daemon, mock;
    QString address, name = u"private-bus"_s;
    QDBusConnection bus{name};
    Locks failures;
};

// Steps: T setInhibited(true), F setInhibited(false), W wait until logind has answered and
// holds the lock, D destroy the inhibitor; without a W the next step comes before the answer.
// The figure at the end is the number of locks there should then be.
TEST_F(LogindSleepInhibitorTest, HoldsExactlyOneLockWhileInhibited)
{
    startLogind();
    for (const std::string steps : {"TW1", "TT1", "TWT1", "TWF0", "TF0", "TFT1", "TWFT1", "TWD0", "TD0"}) {
        std::unique_ptr<SleepInhibitor> held = inhibitor();
        for (const char step : steps.substr(0, steps.size() - 1))
            step == 'W' ? void(locks(1)) : step == 'D' ? held.reset() : held->setInhibited(step == 'T');
        const size_t count = steps.back() - '0';
        EXPECT_EQ(locks(count), Locks(count, ourLock)) << steps;
        held.reset();
        EXPECT_EQ(locks(0), Locks{}) << steps << ": left behind by the destructor";
    }
    EXPECT_EQ(failures, Locks{});
}

// Without logind, or with one that never answers, a request fails and is reported at once or
// after the timeout, without the caller waiting; the lock is taken once logind is back. The
// real desktop writes its first failure to standard error, and only that, however often it
// asks again.
TEST_F(LogindSleepInhibitorTest, GoesOnWithoutLogindAndTakesTheLockOnceLogindIsBack)
{
    ::testing::internal::CaptureStderr();
    QtDesktop desktop;
    for (int i = 0; i < 3; ++i) {
        desktop.setSleepInhibited(true);
        QTest::qWait(150);
        desktop.setSleepInhibited(false);
    }
    const QString err = QString::fromStdString(::testing::internal::GetCapturedStderr());
    EXPECT_EQ(err.count(u"morvane: 无法阻止系统休眠："_s), 1) << err.toStdString();
    std::unique_ptr<SleepInhibitor> held = inhibitor(500);
    held->setInhibited(true);
    locks(0);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("org.freedesktop.login1"), std::string::npos) << failures[0];
    startLogind({logind, logindPath, logind + u".Manager"_s});
    bus.call(
        QDBusMessage::createMethodCall(logind, logindPath, u"org.freedesktop.DBus.Mock"_s, u"AddMethod"_s)
        << QString() << u"Inhibit"_s << u"ssss"_s << u"h"_s << u"import time; time.sleep(10)"_s);
    QElapsedTimer clock;
    clock.start();
    held->setInhibited(true);
    EXPECT_LT(clock.elapsed(), 250) << "the caller waited for the answer";
    EXPECT_TRUE(QTest::qWaitFor([&] { return failures.size() == 2; }, 2500))
        << "no failure within the timeout";
    EXPECT_GE(clock.elapsed(), 450);
    startLogind();
    held->setInhibited(true);
    EXPECT_EQ(locks(1), Locks{ourLock});
}

} // namespace
