#include "core/power_commands.h"

#include <gtest/gtest.h>

namespace {

TEST(PowerTables, EachSystemsLines)
{
    EXPECT_EQ(windowsCommandLine(PowerAction::Shutdown).toStdString(), "shutdown -f -s -t 0");
    EXPECT_EQ(windowsCommandLine(PowerAction::Restart).toStdString(), "shutdown -f -r -t 0");
    EXPECT_EQ(windowsCommandLine(PowerAction::LogOff).toStdString(), "shutdown -l");
    const struct {
        PowerAction action;
        const char *session;
        const char *line;
    } cases[] = {{PowerAction::Shutdown, "3", "systemctl poweroff"},
                 {PowerAction::Restart, "", "systemctl reboot"},
                 {PowerAction::LogOff, "c2", "loginctl terminate-session c2"},
                 {PowerAction::LogOff, "", "loginctl terminate-user 1000"},
                 // An id that could smuggle in arguments is not used.
                 {PowerAction::LogOff, "2 --no-ask-password", "loginctl terminate-user 1000"},
                 {PowerAction::LogOff, "1;reboot", "loginctl terminate-user 1000"},
                 {PowerAction::LogOff, "c2\n--force", "loginctl terminate-user 1000"},
                 // Nor one that would be read as an option.
                 {PowerAction::LogOff, "-H", "loginctl terminate-user 1000"},
                 {PowerAction::LogOff, "--help", "loginctl terminate-user 1000"}};
    for (const auto &c : cases)
        EXPECT_EQ(linuxCommandLine(c.action, QString::fromUtf8(c.session), 1000).toStdString(), c.line)
            << c.session;
}

} // namespace
