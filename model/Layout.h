// Where cards go on a table of a given client size W x H, the status line
// included at its bottom.
#pragma once
#include "model/Card.h"

#include <QRect>

constexpr int32_t StatusHeight = 19;
constexpr int32_t EdgeMargin = 3;
constexpr int32_t SlotPitch = CardWidth + 3;
constexpr int32_t PileScatterX = 35;
constexpr int32_t PileScatterY = 48;
// The pile's heap: a card plus the room its random offsets take, centred on
// the table above the status line.
constexpr int32_t PileWidth = CardWidth + PileScatterX;
constexpr int32_t PileHeight = CardHeight + PileScatterY;
constexpr int32_t TableWidth = 299;
constexpr int32_t TableHeight = 378;

void CpuSlotPos(int32_t Slot, TCard& Card);
void PlayerSlotPos(int32_t Slot, int32_t H, TCard& Card);
// A random place on the pile; the X offset is drawn before the Y offset.
void PilePos(int32_t W, int32_t H, TCard& Card);
// Holds every place a pile card can take.
QRect PileRect(int32_t W, int32_t H);
