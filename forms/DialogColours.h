// Colours the game's dialogs share, so they keep one look.
#pragma once
#include <QColor>

// The dark red of the figures a dialog draws attention to: the about box's
// version, the tournament dialog's target score.
inline const QColor Maroon(0x80, 0x00, 0x00);
