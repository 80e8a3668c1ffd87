// The program's windows as one: the table window stands for the program, and
// the memory aid belongs to it.
#pragma once

// Every window of the program goes down together.
void MinimiseProgram();
