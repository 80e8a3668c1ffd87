// The small pictures of the windows: the memory aid's suit strip, the button
// glyphs and the window icon.
#pragma once
#include <QImage>

// Four suit signs 16 pixels apart on pure white, for AND onto a coloured cell.
QImage DrawSuitStrip();

enum class TGlyph { Ok, Cancel, Close };
// 16 x 16 on white.
QImage DrawGlyph(TGlyph Glyph);
// A fanned pair of cards with a transparent surround.
QImage DrawIcon();
