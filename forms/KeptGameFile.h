// Where the game in progress is kept between runs: a file of its own under
// the user's state folder, $XDG_STATE_HOME/zento (~/.local/state/zento).
#pragma once
#include <QByteArray>
#include <QString>

QString KeptGameFileName();
// Replaces the kept game whole; false, the old file left as it was, when it
// cannot be written.
bool SaveKeptGame(const QByteArray& Text);
// Gone, or never there: true. False when the file stays.
bool DiscardKeptGame();
