#include "core/power_commands.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(PowerTables, EachSystemsLines)
{
    QStringList lines;
    for (PowerAction action : {PowerAction::Shutdown, PowerAction::Restart, PowerAction::LogOff})
        lines << windowsCommandLine(action) << linuxCommandLine(action, QStringLiteral("c2"), 1000);
    EXPECT_EQ(lines.join(u'|').toStdString(), "shutdown -f -s -t 0|systemctl poweroff|shutdown -f -r -t 0|"
                                              "systemctl reboot|shutdown -l|loginctl terminate-session c2");
    // Without a session id, or with one that could smuggle in arguments or be
    // read as an option, logging off ends the user's sessions.
    for (const char *id : {"", "2 --no-ask-password", "1;reboot", "c2\n--force", "-H", "--help"})
        EXPECT_EQ(linuxCommandLine(PowerAction::LogOff, QString::fromUtf8(id), 1000).toStdString(),
                  "loginctl terminate-user 1000")
            << id;
}

} // namespace
