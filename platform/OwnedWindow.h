// A window that belongs to another window of the program, shown so that the
// window system knows from the start whom it belongs to.
#pragma once

class QWidget;

// Shows Window at once if Owner is on the screen, otherwise as soon as Owner
// shows. A Wayland compositor, and window managers such as openbox, take a
// window as belonging to another only if that one is already there when the
// window first shows; otherwise it is placed, stacked and minimised on its own.
void ShowAfterOwner(QWidget* Window, QWidget* Owner);
