// The yardstick for start-up figures: the smallest Qt Widgets window with a title.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.resize(265, 173);
    window.show();
    return QApplication::exec();
}
