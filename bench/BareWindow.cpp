// The start-up benchmark's yardstick: the least a Qt Widgets program does to show a window of the main
// window's size and paint it once. It links Qt Widgets and nothing else. With "--text" the window shows one
// line of text, which adds the font set-up that any text costs.
#include "app/ExitAfterFirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1100, 720);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel(QStringLiteral("Plandeck"), &window))->move(10, 10);
    new plandeck::ExitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
