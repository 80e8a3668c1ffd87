// What the window system tells a program of its windows' places: whether it
// tells them at all, and where it has put a window, asked of it directly.
#pragma once
#include <QPoint>

#include <optional>

class QWidget;

// Whether a program may ask for its windows to be put somewhere. A Wayland
// compositor places every window itself, and a window's place there always
// reads 0,0.
bool WindowsCanBeMoved();
// Whether, besides, the window system tells a program where its windows are
// and puts them where it asks. Weston's X window manager does neither for the
// X programs it shows. Asks the X server once, so it waits until needed.
bool WindowPositionsKnown();

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

// Puts Qt's own record of a top-level window's place, which menus, dialogs and
// message boxes are placed from, where the X server has the window. Under a
// window manager that frames the window, Qt's record can stay at 0,0 after the
// map until the window is next moved.
void MatchServerPlace(QWidget* Window);

// Names the window a dialog for the X window manager, before it first shows.
// Weston's X window manager shows a utility window (Qt's tool window) as a part
// of the window it belongs to, moved with it and never dragged on its own; a
// dialog it shows as a window of its own. Nothing where the windows are not an
// X server's, or the window has no native window.
void NameAsDialog(const QWidget* Window);
