#include "support/fake_desktop.h"
#include "widgets/accessibility.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_SESSION_ID", "c7"); // the session a log-off ends, whatever runs the tests
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); // its users' dates
    QApplication::setQuitOnLastWindowClosed(false);
    installAccessibility();
    FakeDesktop::unscriptedBox = [](const QString &text) {
        ADD_FAILURE() << "unscripted box: " << text.toStdString();
    };
    return RUN_ALL_TESTS();
}
