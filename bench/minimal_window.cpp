// The yardstick for start-up figures: the smallest Qt Widgets window with a title,
// and with `--text` the same window showing one line of text (which makes the font
// system start before the window maps, as it must for any window with text).
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.resize(265, 173);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto *label = new QLabel(QStringLiteral("加载中..."), &window);
        label->adjustSize();
    }
    window.show();
    return QApplication::exec();
}
