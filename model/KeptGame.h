// A game in progress as a text that a later run lays out again exactly: every
// card in its place and order, the counters, the computer's memory, the level.
#pragma once
#include "model/Game.h"

#include <QByteArray>

#include <array>

// What the table keeps beside the game: the tournament's target and how
// often the memory aid has marked each card (index (suit - 1) * 13 + rank - 1).
struct TKeptTable
{
    int32_t Target = 0;
    std::array<int32_t, 52> Marks{};
    bool operator==(const TKeptTable&) const = default;
};

// Only a game in progress is kept; the selection is not part of it.
QByteArray KeptGameText(const TGame& Game, const TKeptTable& Table);

// Reads a kept game into Game, in stacks and hands of its own (FreeCards
// frees them), and the rest into Table. A text from another version, a line
// or number out of place, a card twice or a card too many, or a game that
// could not have come about (hands that differ from the turns left, a shoe
// that does not fill the deals left) is damaged: false, and Game and Table
// are left as they were.
bool ReadKeptGame(const QByteArray& Text, TGame& Game, TKeptTable& Table);
