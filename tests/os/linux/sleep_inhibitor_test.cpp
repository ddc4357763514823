#include "os/linux/logind_sleep_inhibitor.h"
#include "os/qt_desktop.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>

namespace {

using Locks = std::vector<std::string>;
const std::string ourLock = "sleep:idle|Morvane|定时关机等待中|block"; // "what|who|why|mode"
const QString logind = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");

// A dbus-daemon of the test's own, with the stand-in logind of python3-dbusmock on it on
// demand. Nothing here reaches the machine's own buses; each process dies with the test.
class LogindSleepInhibitorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        start(daemon, QStringLiteral("dbus-daemon"), {"--session", "--print-address", "--nofork"});
        for (QDeadlineTimer end(10000);
             !daemon.canReadLine() && daemon.waitForReadyRead(int(end.remainingTime()));) {
        }
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        bus = QDBusConnection::connectToBus(address, name);
        ASSERT_TRUE(bus.isConnected()) << daemon.readAllStandardError().toStdString();
    }
    void TearDown() override { QDBusConnection::disconnectFromBus(name); }
    static void start(QProcess &process, const QString &program, const QStringList &arguments)
    {
        process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        process.start(program, arguments);
    }
    // Starts the stand-in logind (by default dbusmock's logind) and waits until it owns its name.
    void startLogind(const QStringList &arguments = {"--template", "logind"})
    {
        mock.kill();
        mock.waitForFinished();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address);
        mock.setProcessEnvironment(env);
        mock.setStandardOutputFile(QProcess::nullDevice()); // it logs every call
        start(mock, QStringLiteral("/usr/bin/python3"),
              QStringList{"-m", "dbusmock", "--system"} + arguments);
        for (QDeadlineTimer end(20000); !bus.interface()->isServiceRegistered(logind);)
            ASSERT_FALSE(mock.waitForFinished(50) || end.hasExpired())
                << mock.readAllStandardError().toStdString();
    }
    // logind's inhibitors. A call is also a round trip that lets every answer sent before it
    // arrive and be handled.
    Locks locks()
    {
        const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(
            logind, logindPath, logind + QStringLiteral(".Manager"), QStringLiteral("ListInhibitors")));
        QTest::qWait(50);
        Locks list;
        if (reply.type() != QDBusMessage::ReplyMessage)
            return list;
        const auto array = reply.arguments().value(0).value<QDBusArgument>();
        array.beginArray();
        while (!array.atEnd()) {
            QString what, who, why, mode;
            uint uid = 0, pid = 0;
            array.beginStructure();
            array >> what >> who >> why >> mode >> uid >> pid;
            array.endStructure();
            list.push_back(QStringList{what, who, why, mode}.join(u'|').toStdString());
        }
        array.endArray();
        return list;
    }
    // The inhibitors once there are `count` (logind notices a closed descriptor a moment later)
    // or five seconds have passed.
    Locks waitFor(size_t count)
    {
        Locks list = locks();
        for (QDeadlineTimer end(5000); list.size() != count && !end.hasExpired(); list = locks()) {
        }
        return list;
    }
    std::unique_ptr<SleepInhibitor> inhibitor(int timeoutMs = 2000)
    {
        return std::make_unique<LogindSleepInhibitor>(
            bus, [this](const QString &reason) { failures.push_back(reason.toStdString()); }, timeoutMs);
    }

    QProcess daemon, mock;
    QString address, name = QStringLiteral("private-bus");
    QDBusConnection bus{name};
    Locks failures;
};

// Steps: T setInhibited(true), F setInhibited(false), W wait for logind's answer, D destroy
// the inhibitor. Without a W the next step comes before the answer.
TEST_F(LogindSleepInhibitorTest, HoldsExactlyOneLockWhileInhibited)
{
    startLogind();
    const struct {
        const char *steps;
        size_t locks;
    } cases[] = {{"TW", 1},  {"TT", 1},    {"TWT", 1}, {"TWF", 0}, {"TF", 0},
                 {"TFT", 1}, {"TWFWT", 1}, {"TWD", 0}, {"TD", 0}};
    for (const auto &c : cases) {
        std::unique_ptr<SleepInhibitor> held = inhibitor();
        for (const char *step = c.steps; *step; ++step) {
            if (*step == 'W')
                locks();
            else if (*step == 'D')
                held.reset();
            else
                held->setInhibited(*step == 'T');
        }
        EXPECT_EQ(waitFor(c.locks), Locks(c.locks, ourLock)) << c.steps;
        held.reset();
        EXPECT_EQ(waitFor(0), Locks{}) << c.steps << ": left behind by the destructor";
    }
    EXPECT_EQ(failures, Locks{});
}

// Without logind, or with one that never answers, a request fails and is reported at once or
// after the timeout, without the caller waiting; the lock is taken once logind is back.
TEST_F(LogindSleepInhibitorTest, GoesOnWithoutLogindAndTakesTheLockOnceLogindIsBack)
{
    std::unique_ptr<SleepInhibitor> held = inhibitor(500);
    held->setInhibited(true);
    locks();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("org.freedesktop.login1"), std::string::npos) << failures[0];
    startLogind({logind, logindPath, logind + QStringLiteral(".Manager")});
    bus.call(QDBusMessage::createMethodCall(logind, logindPath, QStringLiteral("org.freedesktop.DBus.Mock"),
                                            QStringLiteral("AddMethod"))
             << QString() << QStringLiteral("Inhibit") << QStringLiteral("ssss") << QStringLiteral("h")
             << QStringLiteral("import time; time.sleep(10)"));
    QElapsedTimer clock;
    clock.start();
    held->setInhibited(true);
    EXPECT_LT(clock.elapsed(), 250) << "the caller waited for the answer";
    EXPECT_TRUE(QTest::qWaitFor([&] { return failures.size() == 2; }, 2500))
        << "no failure within the timeout";
    EXPECT_GE(clock.elapsed(), 450);
    startLogind();
    held->setInhibited(true);
    EXPECT_EQ(waitFor(1), Locks{ourLock});
}

// The real desktop writes its first failure to standard error, and only that, however often it
// asks again. QtDBus reads the system bus address once per process, at its first use: here,
// the private bus without logind.
TEST_F(LogindSleepInhibitorTest, TheDesktopReportsOneFailure)
{
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", address.toUtf8());
    ::testing::internal::CaptureStderr();
    QtDesktop desktop;
    for (int i = 0; i < 3; ++i) {
        desktop.setSleepInhibited(true);
        QTest::qWait(150);
        desktop.setSleepInhibited(false);
    }
    const QString prefix = QStringLiteral("morvane: 无法阻止系统休眠：");
    QStringList failed = QString::fromStdString(::testing::internal::GetCapturedStderr()).split(u'\n');
    failed = failed.filter(QRegularExpression(QStringLiteral("^") + prefix + QStringLiteral(".")));
    EXPECT_EQ(failed.size(), 1) << failed.join(u'\n').toStdString();
}

} // namespace
