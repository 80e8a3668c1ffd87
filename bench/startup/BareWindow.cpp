// The floor Zento's start-up is measured against: a Qt Widgets program that
// shows one window the size of the table window with one line of text in it
// and does nothing else. The line is there because any window with a title
// draws text: without it the floor would leave out the fonts, which no real
// window can do without.
#include <QApplication>
#include <QLabel>
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
    QLabel Title(QStringLiteral("Bare window"), &Window);
    Title.move(4, 2);
    Window.show();
    return Application.exec();
}
