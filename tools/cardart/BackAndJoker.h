// The card pictures beside the faces: the mask, the back and the joker.
#pragma once
#include <QImage>

// Black with white corner pixels: ANDed onto the table it blackens the card's
// area and leaves the table in the four corners.
QImage DrawMask(int Scale = 1);
// A blue diamond lattice in a white frame, in the 16 classic colours only.
QImage DrawBack(int Scale = 1);
QImage DrawJoker(int Scale = 1);
