// The floor Zento's start-up is measured against: a Qt Widgets program that
// shows one empty window the size of the table window and does nothing else.
#include <QApplication>
#include <QWidget>

#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication Application(argc, argv);
    // The table window's outer size; the benchmark passes the one it measured on Zento.
    const int Width = argc > 2 ? std::atoi(argv[1]) : 299;
    const int Height = argc > 2 ? std::atoi(argv[2]) : 378;
    // Frameless like the table window, so a window manager would add nothing either.
    QWidget Window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    Window.setWindowTitle(QStringLiteral("Bare window"));
    Window.setFixedSize(Width > 0 ? Width : 299, Height > 0 ? Height : 378);
    Window.show();
    return Application.exec();
}
