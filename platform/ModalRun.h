// Running a dialog modally, safe from what Wayland compositors do meanwhile.
#pragma once

class QDialog;

// Shows the dialog modally and waits until it is answered; returns its
// result. A dialog the window system hides and shows again, as the program
// does to bring a box forward on sway, stays open: only an answer (done,
// accept, reject, close) ends the wait, or a hiding that lasts.
int RunModal(QDialog* Dialog);

// Gives the window Qt still counts as holding the keyboard a native window
// again, when it has none. Qt's Wayland platform lets go of a closed dialog's
// native window at once, but moves the keyboard on only when the compositor
// says so; a window shown in between asks for the keyboard in the closed
// dialog's name and reads a window that is gone (the program ends).
void ReviveFocusWindow();
