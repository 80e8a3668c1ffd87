// What a desktop shows of the program's windows, held against the program's
// own picture of them: the compositor may show rows the program never meant.
#pragma once
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>

#include <optional>
#include <string>

class QWidget;

// The whole X display the desktop shows on (ZENTO_TEST_X_DISPLAY; a nested
// compositor's output is a window there), as the X server has it; a null
// image if it cannot be read.
QImage ScreenOfTheDesktop();

// Where Picture lies on Screen, found by its top Rows rows alone (a window's
// title strip, which nothing of the game draws over), pixel for pixel.
std::optional<QPoint> FindOnScreen(const QImage& Screen, const QImage& Picture, int Rows);

// The pixels of Picture, placed at Place on Screen, that the screen shows
// otherwise, leaving out those under the rectangles of Covered (screen
// places: another window above it); what falls outside the screen differs.
struct TScreenDifference
{
    int Pixels = 0;
    QRect Bounds;
};
TScreenDifference CompareWithScreen(const QImage& Screen, const QImage& Picture, const QPoint& Place,
                                    const QList<QRect>& Covered = {});

// Serves events until the desktop shows Window exactly as the program paints
// it (QWidget::grab), outside the windows of Above that show over it, for
// Milliseconds at most: a compositor shows a change in its own time, but a
// stale or misplaced part stays. Answers what still differs, or nothing.
std::string ScreenDiffersFrom(QWidget* Window, const QList<QWidget*>& Above, int Milliseconds = 5000);

// Where the desktop shows Window now, found by its title strip.
std::optional<QRect> WindowOnScreen(QWidget* Window);
