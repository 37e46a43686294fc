// A bare Qt window, built exactly as tintora.exe is: the yardstick for the
// editor's start-up time under Wine (README, "Windows").
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(400, 300);
    window.show();
    return app.exec();
}
