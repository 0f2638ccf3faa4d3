#pragma once

// An error the engine meets in play (an index past a table, a value no rule
// allows) leaves the state in memory half changed: a battle begun without
// its orders, an item half sold. Nothing of that state may reach the save,
// and no window may be left waiting for input that will never work, so the
// game stops there, tells the player in Japanese, and keeps the last good
// save as it is on disk.

#include <exception>
#include <string>

#include "core/game.h"

namespace qvr {

// Stops the game after such an error: the game folder is let go (its lock
// released, and with it any way to save this state over the last good save)
// and the music stops. Returns the message the player reads; the front end
// shows it and ends the program with a failure status, without the exit
// sequence.
std::string StopAfterEngineError(Game& game, const std::exception& error);

} // namespace qvr
