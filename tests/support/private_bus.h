#pragma once

// A dbus-daemon of the test's own in a temporary directory, with the stand-in logind of
// python3-dbusmock on it on demand. Nothing here reaches the machine's own buses.

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>
#include <sys/prctl.h>

#include <string>
#include <vector>

// Morvane's lock as logind lists it, "what|who|why|mode".
inline const std::string ourLock = "sleep:idle|Morvane|定时关机等待中|block";
const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");
const QString logindManager = QStringLiteral("org.freedesktop.login1.Manager");

struct PrivateBus {
    QTemporaryDir dir;
    QProcess daemon, mock; // killed as they go
    QString address, name = QStringLiteral("private-bus-%1").arg(quintptr(this));
    QDBusConnection connection{name};
    std::string error; // empty when the bus is up

    PrivateBus()
    {
        QFile config(dir.filePath(QStringLiteral("bus.conf")));
        config.open(QIODevice::WriteOnly);
        config.write(QStringLiteral("<busconfig><listen>unix:dir=%1</listen><policy context=\"default\">"
                                    "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                                    "<allow own=\"*\"/></policy></busconfig>")
                         .arg(dir.path())
                         .toUtf8());
        config.close();
        start(daemon, QStringLiteral("dbus-daemon"),
              {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--print-address"),
               QStringLiteral("--nofork")});
        QDeadlineTimer end(10000);
        while (!daemon.canReadLine() && daemon.waitForReadyRead(int(end.remainingTime()))) {
        }
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        connection = QDBusConnection::connectToBus(address, name);
        if (!connection.isConnected())
            error = "no private bus: " + daemon.readAllStandardError().toStdString();
    }
    ~PrivateBus() { QDBusConnection::disconnectFromBus(name); }

    // An address where no bus listens.
    QString nowhere() const { return QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("none")); }

    // Starts python3-dbusmock with `arguments` and waits until it owns logind's name.
    bool startLogind(const QStringList &arguments = {QStringLiteral("--template"), QStringLiteral("logind")})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address);
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        mock.setProcessEnvironment(env);
        mock.setStandardOutputFile(QProcess::nullDevice()); // it logs every call
        start(mock, QStringLiteral("/usr/bin/python3"),
              QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system")} +
                  arguments);
        for (QDeadlineTimer end(20000); !connection.interface()->isServiceRegistered(logindService);) {
            if (mock.waitForFinished(50) || end.hasExpired()) {
                error = "no stand-in logind (python3-dbusmock): " + mock.readAllStandardError().toStdString();
                return false;
            }
        }
        return true;
    }
    void stopLogind()
    {
        mock.kill();
        mock.waitForFinished();
        QDeadlineTimer end(5000);
        while (connection.interface()->isServiceRegistered(logindService) && !end.hasExpired())
            QTest::qWait(10);
    }

    // logind's inhibitors as "what|who|why|mode".
    std::vector<std::string> inhibitors()
    {
        const QDBusMessage reply =
            connection.call(QDBusMessage::createMethodCall(logindService, logindPath, logindManager,
                                                           QStringLiteral("ListInhibitors")),
                            QDBus::Block, 5000);
        if (reply.type() != QDBusMessage::ReplyMessage)
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
            list.push_back(QStringList{what, who, why, mode}.join(u'|').toStdString());
        }
        array.endArray();
        return list;
    }
    // Polls until there are `count` (logind notices a closed descriptor a moment later)
    // or five seconds have passed; returns the last list.
    std::vector<std::string> waitForInhibitors(size_t count)
    {
        std::vector<std::string> list = inhibitors();
        for (QDeadlineTimer end(5000); list.size() != count && !end.hasExpired(); list = inhibitors())
            QTest::qWait(20);
        return list;
    }
    // Lets the answers to every request made so far arrive and be handled: answers come
    // in order, so one round trip flushes them.
    void settle()
    {
        inhibitors();
        QTest::qWait(50);
    }

    // Each process dies with the test, even when it crashes or is killed.
    static void start(QProcess &process, const QString &program, const QStringList &arguments)
    {
        process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        process.start(program, arguments);
    }
};
