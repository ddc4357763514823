#include "platform/sleep_inhibitor_linux.h"

#include "support/private_bus.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

// These tests run a dbus-daemon of their own, in a temporary directory, with the stand-in
// logind of python3-dbusmock on it. Nothing here reaches the machine's own buses.

namespace {

class LogindSleepInhibitorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(bus.error(), ""); }

    std::unique_ptr<SleepInhibitor> inhibitorOnPrivateBus(int timeoutMs = 2000)
    {
        return std::make_unique<LogindSleepInhibitor>(
            bus.connection(), [this](const QString &reason) { failures.push_back(reason.toStdString()); },
            timeoutMs);
    }

    PrivateBus bus;
    std::vector<std::string> failures;
};

TEST_F(LogindSleepInhibitorTest, HoldsExactlyOneLockWhileInhibited)
{
    ASSERT_TRUE(bus.startLogind()) << bus.error();
    // Steps: T setInhibited(true), F setInhibited(false), W wait for logind's answer,
    // D destroy the inhibitor. Without a W the next step comes before the answer.
    const struct {
        const char *steps;
        size_t locks;
        const char *what;
    } cases[] = {
        {"TW", 1, "held"},
        {"TT", 1, "asked twice before the answer"},
        {"TWT", 1, "asked again while held"},
        {"TWF", 0, "released"},
        {"TF", 0, "released before the answer"},
        {"TFT", 1, "released and asked again before the answer"},
        {"TWFT", 1, "released and asked again at once"},
        {"TWFWT", 1, "asked again after a release"},
        {"TWD", 0, "destroyed while held"},
        {"TD", 0, "destroyed before the answer"},
        {"TFTD", 0, "asked again, then destroyed, before the answer"},
        {"F", 0, "released without holding"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.steps) + ": " + c.what);
        std::unique_ptr<SleepInhibitor> inhibitor = inhibitorOnPrivateBus();
        for (const char *step = c.steps; *step; ++step) {
            switch (*step) {
            case 'T': inhibitor->setInhibited(true); break;
            case 'F': inhibitor->setInhibited(false); break;
            case 'W': bus.settle(); break;
            case 'D': inhibitor.reset(); break;
            }
        }
        bus.settle();
        EXPECT_EQ(bus.waitForInhibitors(c.locks), std::vector<std::string>(c.locks, ourLock));
        inhibitor.reset();
        EXPECT_EQ(bus.waitForInhibitors(0), std::vector<std::string>{}) << "left behind by the destructor";
        EXPECT_EQ(failures, std::vector<std::string>{});
    }
}

TEST_F(LogindSleepInhibitorTest, GoesOnWithoutABus)
{
    const QString nowhere = QStringLiteral("unix:path=") + bus.pathFor(QStringLiteral("no-bus-here"));
    const QString name = QStringLiteral("no-bus");
    {
        LogindSleepInhibitor inhibitor(QDBusConnection::connectToBus(nowhere, name),
                                       [this](const QString &r) { failures.push_back(r.toStdString()); });
        EXPECT_NO_THROW(inhibitor.setInhibited(true));
        EXPECT_NO_THROW(inhibitor.setInhibited(true)); // tries again; only the first is printed
        inhibitor.setInhibited(false);
    }
    QDBusConnection::disconnectFromBus(name);
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[0].find("no-bus-here"), std::string::npos) << failures[0];
}

TEST_F(LogindSleepInhibitorTest, GoesOnWithoutLogindAndTakesTheLockOnceItIsBack)
{
    std::unique_ptr<SleepInhibitor> inhibitor = inhibitorOnPrivateBus();
    EXPECT_NO_THROW(inhibitor->setInhibited(true));
    bus.settle();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("org.freedesktop.login1"), std::string::npos) << failures[0];

    ASSERT_TRUE(bus.startLogind()) << bus.error();
    inhibitor->setInhibited(true);
    bus.settle();
    EXPECT_EQ(bus.waitForInhibitors(1), std::vector<std::string>{ourLock});
    EXPECT_EQ(failures.size(), 1u);
}

TEST_F(LogindSleepInhibitorTest, DoesNotWaitForALogindThatDoesNotAnswer)
{
    ASSERT_TRUE(bus.startLogind({logindService, logindPath, logindManager})) << bus.error();
    const QDBusMessage added = bus.connection().call(
        QDBusMessage::createMethodCall(logindService, logindPath, QStringLiteral("org.freedesktop.DBus.Mock"),
                                       QStringLiteral("AddMethod"))
            << QString() << QStringLiteral("Inhibit") << QStringLiteral("ssss") << QStringLiteral("h")
            << QStringLiteral("import time; time.sleep(10)"),
        QDBus::Block, 5000);
    ASSERT_EQ(added.type(), QDBusMessage::ReplyMessage) << added.errorMessage().toStdString();

    const int timeoutMs = 500;
    std::unique_ptr<SleepInhibitor> inhibitor = inhibitorOnPrivateBus(timeoutMs);
    QElapsedTimer clock;
    clock.start();
    inhibitor->setInhibited(true);
    EXPECT_LT(clock.elapsed(), timeoutMs / 2) << "the caller waited for the answer";

    const QDeadlineTimer deadline(timeoutMs + 2000);
    while (failures.empty() && !deadline.hasExpired())
        QTest::qWait(20);
    ASSERT_EQ(failures.size(), 1u) << "no failure reported within the timeout";
    EXPECT_GE(clock.elapsed(), timeoutMs - 50);
}

// The inhibitor for this system talks to logind on the system bus and writes the first
// failure of the process, and only that, to standard error. QtDBus reads the system bus
// address once per process, at its first use; no other test here uses it.
TEST(SystemSleepInhibitor, TakesTheLockOnTheSystemBusAndReportsOneFailure)
{
    PrivateBus bus;
    ASSERT_EQ(bus.error(), "");
    ASSERT_TRUE(bus.startLogind()) << bus.error();
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", bus.address().toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS",
            "unix:path=" + QFile::encodeName(bus.pathFor(QStringLiteral("none"))));

    StderrCapture capture;
    {
        std::unique_ptr<SleepInhibitor> inhibitor = createSystemSleepInhibitor();
        inhibitor->setInhibited(true);
        EXPECT_EQ(bus.waitForInhibitors(1), std::vector<std::string>{ourLock});
        QTest::qWait(200); // the inhibitor has had logind's answer by now
        EXPECT_EQ(bus.inhibitors(), std::vector<std::string>{ourLock});
        inhibitor->setInhibited(false);
        EXPECT_EQ(bus.waitForInhibitors(0), std::vector<std::string>{});
    }
    EXPECT_EQ(capture.reports(), std::vector<std::string>{}) << "a report while all went well";

    bus.stopLogind();
    for (int i = 0; i < 2; ++i) {
        std::unique_ptr<SleepInhibitor> inhibitor = createSystemSleepInhibitor();
        inhibitor->setInhibited(true);
        QTest::qWait(150);
        inhibitor->setInhibited(true);
        QTest::qWait(150);
    }
    const std::vector<std::string> reports = capture.reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_GT(reports[0].size(), reportPrefix.size()) << "no reason given";
}

} // namespace
