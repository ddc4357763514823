#include "core/power_commands.h"

#include <QRegularExpression>

QString windowsCommandLine(PowerAction action)
{
    switch (action) {
    case PowerAction::Shutdown: return QStringLiteral("shutdown -f -s -t 0");
    case PowerAction::Restart: return QStringLiteral("shutdown -f -r -t 0");
    case PowerAction::LogOff: return QStringLiteral("shutdown -l");
    }
    return {};
}

QString linuxCommandLine(PowerAction action, const QString &sessionId, unsigned userId)
{
    switch (action) {
    case PowerAction::Shutdown: return QStringLiteral("systemctl poweroff");
    case PowerAction::Restart: return QStringLiteral("systemctl reboot");
    case PowerAction::LogOff: {
        // The id comes from the environment and ends up in a command line: accept only
        // what a session id looks like, so it can never add arguments or options of its own.
        static const QRegularExpression plainId(
            QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z0-9][A-Za-z0-9._-]*")));
        if (plainId.match(sessionId).hasMatch())
            return QStringLiteral("loginctl terminate-session ") + sessionId;
        return QStringLiteral("loginctl terminate-user %1").arg(userId);
    }
    }
    return {};
}
