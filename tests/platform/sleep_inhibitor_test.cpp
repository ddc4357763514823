#include "platform/sleep_inhibitor_linux.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// These tests run a dbus-daemon of their own, in a temporary directory, with the stand-in
// logind of python3-dbusmock on it. Nothing here reaches the machine's own buses.

namespace {

const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");
const QString logindManager = QStringLiteral("org.freedesktop.login1.Manager");
const std::string ourLock = "sleep:idle|Morvane|定时关机等待中|block";
const std::string reportPrefix = "morvane: 无法阻止系统休眠：";

// The daemons die with the test process, even when it crashes or is killed.
void dieWithTheTest()
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

// A private dbus-daemon listening in a temporary directory, a connection to it, and a
// stand-in logind on demand.
class PrivateBus {
public:
    PrivateBus()
    {
        QFile config(dir_.filePath(QStringLiteral("bus.conf")));
        if (!dir_.isValid() || !config.open(QIODevice::WriteOnly)) {
            error_ = "cannot write the bus configuration";
            return;
        }
        config.write(
            QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
    <allow own="*"/>
  </policy>
</busconfig>
)")
                .arg(dir_.path())
                .toUtf8());
        config.close();

        daemon_.setChildProcessModifier(dieWithTheTest);
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=") + config.fileName(),
                       QStringLiteral("--print-address"), QStringLiteral("--nofork")});
        const QDeadlineTimer deadline(10000);
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(int(deadline.remainingTime()))) {
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        if (address_.isEmpty()) {
            error_ = "dbus-daemon did not start: " + daemon_.errorString().toStdString() + " " +
                     daemon_.readAllStandardError().toStdString();
            return;
        }
        connection_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address_, name_));
        if (!connection_->isConnected())
            error_ = "cannot connect to the private bus: " + connection_->lastError().message().toStdString();
    }

    ~PrivateBus()
    {
        stopLogind();
        connection_.reset();
        QDBusConnection::disconnectFromBus(name_);
        daemon_.kill();
        daemon_.waitForFinished();
    }

    // Empty when the bus is up.
    const std::string &error() const { return error_; }
    QString address() const { return address_; }
    QString pathFor(const QString &name) const { return dir_.filePath(name); }
    QDBusConnection &connection() { return *connection_; }

    // Starts python3-dbusmock with `arguments` and waits until it owns logind's name.
    bool startLogind(const QStringList &arguments = {QStringLiteral("--template"), QStringLiteral("logind")})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address_);
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        mock_.setProcessEnvironment(env);
        mock_.setStandardOutputFile(QProcess::nullDevice()); // it logs every call
        mock_.setChildProcessModifier(dieWithTheTest);
        mock_.start(
            QStringLiteral("/usr/bin/python3"),
            QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system")} +
                arguments);
        if (!mock_.waitForStarted(10000)) {
            error_ = "cannot start /usr/bin/python3: " + mock_.errorString().toStdString();
            return false;
        }
        const QDeadlineTimer deadline(20000);
        while (!connection().interface()->isServiceRegistered(logindService)) {
            if (mock_.state() == QProcess::NotRunning || deadline.hasExpired()) {
                error_ = "the stand-in logind did not start (is python3-dbusmock installed?): " +
                         mock_.readAllStandardError().toStdString();
                return false;
            }
            mock_.waitForFinished(50);
        }
        return true;
    }

    void stopLogind()
    {
        if (mock_.state() == QProcess::NotRunning)
            return;
        mock_.kill();
        mock_.waitForFinished();
        const QDeadlineTimer deadline(5000);
        while (connection().interface()->isServiceRegistered(logindService) && !deadline.hasExpired())
            QTest::qWait(10);
    }

    // logind's inhibitors as "what|who|why|mode", asked on this bus's connection.
    std::vector<std::string> inhibitors()
    {
        const QDBusMessage reply =
            connection().call(QDBusMessage::createMethodCall(logindService, logindPath, logindManager,
                                                             QStringLiteral("ListInhibitors")),
                              QDBus::Block, 5000);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
            return {"ListInhibitors failed: " + reply.errorMessage().toStdString()};
        std::vector<std::string> list;
        const auto array = reply.arguments().at(0).value<QDBusArgument>();
        array.beginArray();
        while (!array.atEnd()) {
            QString what, who, why, mode;
            uint uid = 0, pid = 0;
            array.beginStructure();
            array >> what >> who >> why >> mode >> uid >> pid;
            array.endStructure();
            list.push_back(QStringList{what, who, why, mode}.join(QLatin1Char('|')).toStdString());
        }
        array.endArray();
        return list;
    }

    // Polls the inhibitors until there are `count` (logind notices a closed descriptor a
    // moment later) or five seconds have passed; returns the last list.
    std::vector<std::string> waitForInhibitors(size_t count)
    {
        const QDeadlineTimer deadline(5000);
        std::vector<std::string> list = inhibitors();
        while (list.size() != count && !deadline.hasExpired()) {
            QTest::qWait(20);
            list = inhibitors();
        }
        return list;
    }

    // Lets every answer to a request made so far on this connection arrive and be handled:
    // answers come in order, so one round trip flushes them.
    void settle()
    {
        inhibitors();
        QTest::qWait(50);
    }

private:
    inline static int connections_ = 0;
    QTemporaryDir dir_;
    QProcess daemon_;
    QProcess mock_;
    QString address_;
    QString name_ = QStringLiteral("private-bus-%1").arg(++connections_);
    std::unique_ptr<QDBusConnection> connection_;
    std::string error_;
};

// Standard error goes to a file until text() or the end of the object.
class StderrCapture {
public:
    StderrCapture() : path_(dir_.filePath(QStringLiteral("stderr")))
    {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int fd = open(QFile::encodeName(path_).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, STDERR_FILENO);
        close(fd);
    }
    ~StderrCapture()
    {
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }

    // The lines written so far that start with the program's report of a failed lock.
    std::vector<std::string> reports() const
    {
        std::fflush(stderr);
        QFile file(path_);
        std::vector<std::string> lines;
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray &line : file.readAll().split('\n'))
                if (line.startsWith(QByteArray::fromStdString(reportPrefix)))
                    lines.push_back(line.toStdString());
        return lines;
    }

private:
    QTemporaryDir dir_;
    QString path_;
    int saved_ = -1;
};

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
