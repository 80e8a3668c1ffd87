// The faces of the 52 cards: corner indices, pip layouts, the card set.
#pragma once
#include <QImage>
#include <QString>

constexpr int RankCount = 13;
constexpr int SuitCount = 4;

// "A", "2" .. "10", "J", "Q", "K".
QString RankText(int Rank);
// A blank card for a rank or suit out of range.
QImage DrawFace(int Rank, int Suit, int Scale = 1);
// 13 columns by rank, 4 rows by suit, no gaps.
QImage DrawCardSet(int Scale = 1);
