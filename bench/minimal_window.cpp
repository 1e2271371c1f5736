// The yardstick of the whole-process measurement: a bare Qt window of the game window's size,
// started and shown the plain way.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Ukisomi minimal window"));
    window.setFixedSize(570, 510);
    window.show();
    return app.exec();
}
