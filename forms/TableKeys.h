// Keyboard play on the table: the keys stand for the clicks, so the game
// cannot tell which was used.
#pragma once
#include "model/Game.h"

#include <Qt>

// Left and Right move the selection through the hand, Enter and Space play the
// selected card, Escape selects nothing. Answers whether the key was one of
// these; keys held with Ctrl, Alt or Meta are left to the menus and shortcuts.
bool PlayKey(TGame& Game, TTable& Table, int Key, Qt::KeyboardModifiers Modifiers);
// Whether PlayKey would take the key, without acting on it.
bool IsPlayKey(int Key, Qt::KeyboardModifiers Modifiers);
