// Writes where each named control of the main, the countdown and the clock-time window
// lies, one line each,
//
//     Form1 Command5 144 80 41 25
//
// (left, top, width and height in pixels from the top left of the window's client area), so
// that the end-to-end scenarios click controls by name (tests/e2e/lib.sh). The window is the
// program's own, built on the fake desktop with the offscreen platform: its layout is never
// copied into a script.
//
//     e2e_layout FILE
#include "forms/clocktime/form5.h"
#include "forms/countdown/form2.h"
#include "forms/main/form1.h"
#include "support/test_app.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {
    }); // the offscreen platform's notes (no raise(), ...) say nothing here
    QApplication app(argc, argv);
    TestApp program;
    FILE *out = argc == 2 ? std::fopen(argv[1], "wb") : nullptr;
    if (!out)
        return 1;
    const std::pair<const char *, Window *> forms[] = {{"Form1", &program.forms.form1()},
                                                       {"Form2", &program.forms.form2()},
                                                       {"Form5", &program.forms.form5()}};
    for (const auto &[name, form] : forms) {
        const QWidget *client = form->client();
        for (const QWidget *control : client->findChildren<QWidget *>()) {
            const QPoint at = control->mapTo(client, QPoint());
            if (!control->objectName().isEmpty())
                std::fprintf(out, "%s %s %d %d %d %d\n", name, qPrintable(control->objectName()), at.x(),
                             at.y(), control->width(), control->height());
        }
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
