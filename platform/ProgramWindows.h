// The program's windows as one: the table window stands for the program, and
// the memory aid belongs to it.
#pragma once

// Every window of the program goes down together.
void MinimiseProgram();

class QWidget;

// The window a box without an owner of its own belongs to: the active window
// of the program, or else its main window while that is on the screen.
QWidget* OwnerForBox();
