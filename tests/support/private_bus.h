#pragma once

// A dbus-daemon of the test's own, in a temporary directory, with the stand-in logind of
// python3-dbusmock on it on demand, and a capture of standard error. Nothing here reaches
// the machine's own buses.

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Morvane's lock as logind lists it, "what|who|why|mode", and how a failed lock is
// reported on standard error.
inline const std::string ourLock = "sleep:idle|Morvane|定时关机等待中|block";
inline const std::string reportPrefix = "morvane: 无法阻止系统休眠：";

const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");
const QString logindManager = QStringLiteral("org.freedesktop.login1.Manager");

// The daemons die with the test process, even when it crashes or is killed.
inline void dieWithTheTest()
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
