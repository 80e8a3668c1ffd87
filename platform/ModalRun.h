// Running a dialog modally, safe from what Wayland compositors do meanwhile.
#pragma once

class QDialog;

// Shows the dialog modally and waits until it is answered; returns its
// result. A dialog the window system hides and shows again, as the program
// does to bring a box forward on sway, stays open: only an answer (done,
// accept, reject, close) ends the wait, or a hiding that lasts.
int RunModal(QDialog* Dialog);
