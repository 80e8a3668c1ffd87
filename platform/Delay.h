// The pause that keeps a played card in sight. It serves no events on purpose:
// clicks made during a turn wait until the turn is over.
#pragma once
#include <cstdint>

// Waits without serving any event. Tests may shorten every pause through
// their seam (TestSeams.h); the program itself always waits the time asked.
void Delay(uint16_t Seconds, uint16_t Milliseconds);
