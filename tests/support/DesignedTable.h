// Where the designed table puts the hands, in design units, written down once
// from the design rather than read from the program's layout: four slots to a
// row, 74 apart from 3 units off the left edge; the computer's row 3 units below
// the top, the player's row at 260, just above the status line.
#pragma once

constexpr int SlotsPerRow = 4;
constexpr int CpuRowTop = 3;
constexpr int PlayerRowTop = 260;

// The left edge of a slot, counted from 0 at the left.
constexpr int SlotLeft(int Slot)
{
    return 3 + 74 * Slot;
}
