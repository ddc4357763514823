// Writes where every named control of the program's windows lies, for the end-to-end runs to
// click and read controls by name (tests/e2e/lib.sh). One line per control:
//
//     Form1 Command5 144 80 41 25
//
// the window, the control's name, and its left, top, width and height in pixels at scale 1
// from the top left of the window's client area (below the menu bar, while one shows). Each
// window's first line is its client area itself, named "client". The windows are the real
// ones, on the tests' fake desktop with the offscreen platform: the build's own layout, so
// nothing about it is copied into a script.
//
//     e2e_layout FILE
#include "forms/clocktime/form5.h"
#include "forms/countdown/form2.h"
#include "forms/countdown/form4.h"
#include "forms/main/form1.h"
#include "support/test_app.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {
    }); // the offscreen platform's notes (no raise(), ...) are of no use here
    if (argc != 2) {
        std::fputs("usage: e2e_layout FILE\n", stderr);
        return 2;
    }
    TestApp program;
    Forms &forms = program.forms;
    forms.form1().tools(); // the tool panels' controls
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "e2e_layout: cannot write %s\n", argv[1]);
        return 1;
    }
    QTextStream out(&file);
    const std::pair<const char *, Window *> windows[] = {
        {"Form1", &forms.form1()}, {"Form2", &forms.form2()}, {"Form4", &forms.form4()}, {"Form5", &forms.form5()}};
    for (const auto &[name, window] : windows) {
        QWidget *client = window->client();
        out << name << " client 0 0 " << client->width() << ' ' << client->height() << '\n';
        for (const QWidget *control : client->findChildren<QWidget *>()) {
            if (control->objectName().isEmpty() || control->objectName().startsWith(QLatin1String("qt_")))
                continue;
            const QPoint at = control->mapTo(client, QPoint(0, 0));
            out << name << ' ' << control->objectName() << ' ' << at.x() << ' ' << at.y() << ' '
                << control->width() << ' ' << control->height() << '\n';
        }
    }
    out.flush();
    return file.error() == QFile::NoError && out.status() == QTextStream::Ok ? 0 : 1;
}
