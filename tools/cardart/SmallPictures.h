// The small pictures of the windows: the memory aid's suit strip, the button
// glyphs and the window icon.
#pragma once
#include <QImage>

// Four suit signs 16 pixels apart on pure white, for AND onto a coloured cell.
QImage DrawSuitStrip(int Scale = 1);

enum class TGlyph { Ok, Cancel, Close };
// 16 x 16 on white, times Scale each way.
QImage DrawGlyph(TGlyph Glyph, int Scale = 1);
class QPainter;

// The window icon, a fanned pair of cards, drawn into a square of 32 units;
// whatever lies around them is left untouched (tools/cardart/Icons.h).
void PaintIcon(QPainter& Painter);
