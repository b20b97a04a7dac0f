// The floor: the least a Qt Widgets program with one window pays. With
// "cjk" it shows Chinese text in the timer's face, which shows what the CJK
// fonts alone cost.
#include <QApplication>
#include <QFont>
#include <QLabel>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("floor"));
    if (argc > 1 && std::strcmp(argv[1], "cjk") == 0) {
        QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("Noto Serif CJK SC")});
        QFont font(QStringLiteral("宋体"));
        font.setPixelSize(16);
        window.setFont(font);
        window.setText(QStringLiteral("倒计时(秒) 最后五秒报数 整点报时 半点报时"));
    }
    window.setWindowTitle(QStringLiteral("floor window"));
    window.resize(471, 321);
    window.show();
    return app.exec();
}
