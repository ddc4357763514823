#include "forms/countdown/form2.h"
#include "forms/forms.h"
#include "forms/main/form1.h"
#include "os/qt_desktop.h"
#include "support/system_sleep_lock.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// The whole path down to the system: a countdown started in its window makes the real desktop
// take Morvane's sleep lock from the system, and cancelling it gives the lock back.
TEST(KeepAwakeOnTheSystem, ACountdownHoldsTheLockUntilItIsCancelled)
{
    const std::unique_ptr<SystemSleepLock> system = SystemSleepLock::watch();
    ASSERT_EQ(system->error, "");

    QtDesktop desktop;
    Forms forms(desktop, [] {});
    forms.start();
    forms.form1().Command5->click(); // 关机1
    Form2 &f = forms.form2();
    QTest::keyClicks(f.Text1, QStringLiteral("30"));
    QTest::keyClick(f.Text1, Qt::Key_Return);
    ASSERT_EQ(f.Command1->caption(), QStringLiteral("取消关机"));
    EXPECT_EQ(system->waitFor(1), std::vector<std::string>{SystemSleepLock::ours});

    f.Command1->click(); // 取消关机
    EXPECT_EQ(system->waitFor(0), std::vector<std::string>{});
}

} // namespace
