// The pause that keeps a played card in sight. The player's input waits until
// the turn is over, but the program keeps answering meanwhile: it paints, and
// assistive technology gets its answers, since a screen reader gives up on a
// program that is silent for a second.
#pragma once
#include <cstdint>

// Waits the time asked, serving every event but the user's input (a close of
// a window counts among it), which stays queued for after the turn. Whoever pauses must hold back what other events
// could start meanwhile (a close of the window, a command asked over the
// accessibility bus). Tests may shorten every pause through their seam
// (TestSeams.h); the program itself always waits the time asked.
void Delay(uint16_t Seconds, uint16_t Milliseconds);
