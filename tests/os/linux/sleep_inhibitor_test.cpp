#include "os/linux/logind_sleep_inhibitor.h"
#include "os/qt_desktop.h"

#include "support/private_bus.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

using Locks = std::vector<std::string>;

class LogindSleepInhibitorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(bus.error, ""); }
    std::unique_ptr<SleepInhibitor> inhibitor(int timeoutMs = 2000)
    {
        return std::make_unique<LogindSleepInhibitor>(
            bus.connection, [this](const QString &reason) { failures.push_back(reason.toStdString()); },
            timeoutMs);
    }

    PrivateBus bus;
    std::vector<std::string> failures;
};

TEST_F(LogindSleepInhibitorTest, HoldsExactlyOneLockWhileInhibited)
{
    ASSERT_TRUE(bus.startLogind()) << bus.error;
    // Steps: T setInhibited(true), F setInhibited(false), W wait for logind's answer,
    // D destroy the inhibitor. Without a W the next step comes before the answer.
    const struct {
        const char *steps;
        size_t locks;
    } cases[] = {{"TW", 1},   {"TT", 1},    {"TWT", 1}, {"TWF", 0}, {"TF", 0},   {"TFT", 1},
                 {"TWFT", 1}, {"TWFWT", 1}, {"TWD", 0}, {"TD", 0},  {"TFTD", 0}, {"F", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.steps);
        std::unique_ptr<SleepInhibitor> held = inhibitor();
        for (const char *step = c.steps; *step; ++step) {
            switch (*step) {
            case 'T': held->setInhibited(true); break;
            case 'F': held->setInhibited(false); break;
            case 'W': bus.settle(); break;
            case 'D': held.reset(); break;
            }
        }
        bus.settle();
        EXPECT_EQ(bus.waitForInhibitors(c.locks), Locks(c.locks, ourLock));
        held.reset();
        EXPECT_EQ(bus.waitForInhibitors(0), Locks{}) << "left behind by the destructor";
        EXPECT_EQ(failures, Locks{});
    }
}

// Without a bus, without logind, or with one that never answers, each request fails and
// is reported at once or after the timeout, without the caller waiting; the lock is taken
// once logind is back.
TEST_F(LogindSleepInhibitorTest, GoesOnWithoutABusOrLogindAndTakesTheLockOnceLogindIsBack)
{
    {
        const QString name = QStringLiteral("no-bus");
        LogindSleepInhibitor nowhere(QDBusConnection::connectToBus(bus.nowhere(), name),
                                     [this](const QString &r) { failures.push_back(r.toStdString()); });
        EXPECT_NO_THROW(nowhere.setInhibited(true));
        EXPECT_NO_THROW(nowhere.setInhibited(true)); // tries again
        QDBusConnection::disconnectFromBus(name);
    }
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[0].find("none"), std::string::npos) << failures[0];
    std::unique_ptr<SleepInhibitor> held = inhibitor(500);
    held->setInhibited(true);
    bus.settle();
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_NE(failures[2].find("org.freedesktop.login1"), std::string::npos) << failures[2];

    ASSERT_TRUE(bus.startLogind({logindService, logindPath, logindManager})) << bus.error;
    const QDBusMessage added = bus.connection.call(
        QDBusMessage::createMethodCall(logindService, logindPath, QStringLiteral("org.freedesktop.DBus.Mock"),
                                       QStringLiteral("AddMethod"))
            << QString() << QStringLiteral("Inhibit") << QStringLiteral("ssss") << QStringLiteral("h")
            << QStringLiteral("import time; time.sleep(10)"),
        QDBus::Block, 5000);
    ASSERT_EQ(added.type(), QDBusMessage::ReplyMessage) << added.errorMessage().toStdString();
    QElapsedTimer clock;
    clock.start();
    held->setInhibited(true);
    EXPECT_LT(clock.elapsed(), 250) << "the caller waited for the answer";
    for (QDeadlineTimer end(2500); failures.size() < 4 && !end.hasExpired();)
        QTest::qWait(20);
    ASSERT_EQ(failures.size(), 4u) << "no failure reported within the timeout";
    EXPECT_GE(clock.elapsed(), 450);

    bus.stopLogind();
    ASSERT_TRUE(bus.startLogind()) << bus.error;
    held->setInhibited(true);
    bus.settle();
    EXPECT_EQ(bus.waitForInhibitors(1), Locks{ourLock});
    EXPECT_EQ(failures.size(), 4u);
}

// The real desktop writes its first failure to standard error, and only that, however often
// it asks again. QtDBus reads the system bus address once per process, at its first use:
// here, a private bus without logind.
TEST(SystemSleepInhibitor, TheDesktopReportsOneFailure)
{
    PrivateBus bus;
    ASSERT_EQ(bus.error, "");
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", bus.address.toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.nowhere().toUtf8());
    ::testing::internal::CaptureStderr();
    QtDesktop desktop;
    for (int i = 0; i < 3; ++i) {
        desktop.setSleepInhibited(true);
        QTest::qWait(150);
        desktop.setSleepInhibited(false);
    }
    const QString prefix = QStringLiteral("morvane: 无法阻止系统休眠：");
    QStringList failed;
    for (const QString &line : QString::fromStdString(::testing::internal::GetCapturedStderr()).split(u'\n'))
        if (line.startsWith(prefix))
            failed << line;
    ASSERT_EQ(failed.size(), 1);
    EXPECT_GT(failed[0].size(), prefix.size()) << "no reason given";
}

} // namespace
