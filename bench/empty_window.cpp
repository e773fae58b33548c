// The yardstick for start-up and memory: an empty Qt window, started as the program is.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorbello")); // as the program, so the title is the same
    QWidget window;
    window.setWindowTitle(QStringLiteral("Vorbello"));
    window.showMaximized();
    return app.exec();
}
