// A reference for the start-up benchmark: the least a Qt Widgets program with the
// calculator's 26 labels can do, so Zobu's start-up is measured against Qt's own floor.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(347, 228);
    for (int i = 0; i < 26; ++i) {
        auto* label = new QLabel(QString::number(i), &window);
        label->setGeometry((i % 5) * 69, (i / 5) * 38, 64, 32);
    }
    window.show();
    return QApplication::exec();
}
