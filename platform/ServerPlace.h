// Where the window system has put a window, asked of the window system itself.
#pragma once
#include <QPoint>

#include <optional>

class QWidget;

// The top-left corner of the window's own area, inside any frame, in screen
// pixels, as the X server has it. Qt's own record of a top-level window's
// place goes stale under a window manager that puts the window into a frame
// of its own (openbox leaves it at 0,0). Nothing where the windows are not an
// X server's, or the window has no native window.
std::optional<QPoint> ServerClientCorner(const QWidget* Window);

// Whether the X server's places are where the windows show. Weston's X window
// manager (XWayland under weston) shows X windows wherever its shell puts
// them, and keeps each on the server at a place of its own that never moves.
// True where the windows are not an X server's.
bool ServerPlacesAreShown();

// Where the window's frame lies, from the server where it can tell.
QPoint FrameCorner(const QWidget* Window);
