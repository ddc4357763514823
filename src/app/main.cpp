#include "forms/forms.h"
#include "os/qt_desktop.h"
#include "os/system.h"
#include "os/translations.h"
#include "widgets/accessibility.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTranslator>

#include <cstdio>

namespace {

// --help and --version answer on the terminal, without a display. Every other argument
// is left to Qt (its own options such as -platform); the program itself takes none.
bool answeredOnTerminal(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.parse(arguments);
    if (parser.isSet(help) || parser.isSet(version))
        useStartingTerminal();
    if (parser.isSet(help)) {
        printOnTerminal("用法：morvane [选项]\n"
                        "立即、倒计时或在设定时间关机，重启或注销。\n"
                        "\n"
                        "选项：\n"
                        "  -h, --help     显示此帮助并退出\n"
                        "  -v, --version  显示版本并退出\n");
        return true;
    }
    if (parser.isSet(version)) {
        printOnTerminal("morvane " MORVANE_VERSION "\n");
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (answeredOnTerminal(argc, argv))
        return 0;
    const QString noDisplay = missingDisplay();
    if (!noDisplay.isEmpty()) {
        std::fprintf(stderr, "morvane: %s\n", qUtf8Printable(noDisplay));
        return 1;
    }
    QApplication app(argc, argv);
    holdRunningMarker();
    installAccessibility();
    QTranslator qtTexts;
    if (!installQtTranslations(qtTexts))
        std::fputs("morvane: Qt's Chinese texts (qtbase_zh_CN.qm) were not found; its own menus stay in "
                   "English.\n",
                   stderr);
    QApplication::setQuitOnLastWindowClosed(false); // only the exit button ends the program
    // 48 pixels: what title bars and task bars show; a larger picture costs its decoding at start-up.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/morvane-48.png")));
    QtDesktop desktop;
    Forms forms(desktop, [] { QCoreApplication::exit(0); });
    forms.start();
    return QApplication::exec();
}
