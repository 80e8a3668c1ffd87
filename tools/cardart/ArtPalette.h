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

// Every colour above, the blends an antialiased edge makes between them, a grey
// ramp and a colour cube for the rest; at most 256 entries.
QList<QRgb> CardPalette();

} // namespace Art
