#include "app/form1.h"
#include "app/forms.h"
#include "countdown/form2.h"
#include "platform/qt_desktop.h"
#include "support/private_bus.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// The whole path on a real bus: a countdown started in its window makes the real desktop
// ask logind for Morvane's lock, and cancelling it gives the lock back. The bus is a private
// one with a stand-in logind; QtDBus reads the system bus address at its first use.
TEST(KeepAwakeOnTheSystemBus, ACountdownHoldsTheLockUntilItIsCancelled)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.startLogind()) << bus.error;
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", bus.address.toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.nowhere().toUtf8());

    QtDesktop desktop;
    Forms forms(desktop, [] {});
    forms.start();
    forms.form1().Command5->click(); // 关机1
    Form2 &f = forms.form2();
    QTest::keyClicks(f.Text1, QStringLiteral("30"));
    QTest::keyClick(f.Text1, Qt::Key_Return);
    ASSERT_EQ(f.Command1->caption(), QStringLiteral("取消关机"));
    EXPECT_EQ(bus.waitForInhibitors(1), std::vector<std::string>{ourLock});

    f.Command1->click(); // 取消关机
    EXPECT_EQ(bus.waitForInhibitors(0), std::vector<std::string>{});
}

} // namespace
