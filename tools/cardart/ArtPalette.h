// The colours the card artwork is drawn in, and the 256-colour table that holds them.
#pragma once
#include <QColor>
#include <QList>
#include <QRgb>

namespace Art {

inline const QColor Paper(255, 255, 255);
inline const QColor Ink(0, 0, 0);
inline const QColor Red(208, 0, 0);
inline const QColor Gold(240, 184, 32);
inline const QColor Blue(24, 56, 168);
inline const QColor Skin(252, 216, 176);
inline const QColor Silver(176, 184, 196);
inline const QColor Green(0, 136, 56);

// The back and the suit strip are 16-colour pictures: these are exact entries
// of the classic table, so nothing shifts when they are written.
inline const QColor BackNavy(0, 0, 128);
inline const QColor BackBlue(0, 0, 255);
inline const QColor BackCyan(0, 255, 255);
inline const QColor VgaRed(255, 0, 0);
inline const QColor VgaLightGrey(192, 192, 192);
inline const QColor VgaGrey(128, 128, 128);

// Every colour above, the blends an antialiased edge makes between them, a grey
// ramp and a colour cube for the rest; at most 256 entries.
QList<QRgb> CardPalette();

} // namespace Art
