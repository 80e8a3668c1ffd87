// The pictures beside the card faces: mask, back, joker, suit strip, button glyphs, icon.
#pragma once
#include <QImage>

// Black with white corner pixels: ANDed onto the table it blackens the card's area.
QImage DrawMask();
QImage DrawBack();
QImage DrawJoker();
// Four suit signs 16 pixels apart on pure white, for AND onto a coloured cell.
QImage DrawSuitStrip();

enum class TGlyph { Ok, Cancel, Close };
QImage DrawGlyph(TGlyph Glyph);
// A fanned pair of cards with a transparent surround.
QImage DrawIcon();
