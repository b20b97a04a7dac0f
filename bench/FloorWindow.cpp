// The floor: the least a Qt Widgets program with one window pays.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("floor"));
    window.setWindowTitle(QStringLiteral("floor window"));
    window.resize(471, 321);
    window.show();
    return app.exec();
}
