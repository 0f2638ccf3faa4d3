#pragma once

// A mouse press on a menu row, for the front ends that have a mouse and the
// scripts that stand in for one.

namespace qvr {

class Game;

// Performs row `row` of the list that owns the keyboard, as its key letter
// would. False (and nothing happens) when no list has the keyboard or it has
// no such row.
bool PressKeyboardRow(Game& game, int row);

} // namespace qvr
