#pragma once

// Writing the save from anywhere in the game: the rules save after every
// change worth keeping, the Ctrl key saves on demand.

namespace qvr {

class Game;

// Saves and tells the observer; a failed save is shown to the player (the
// previous save stays whole) and gives false.
bool Save(Game& game);
// The Ctrl key, in every screen of the main window and in its prompts.
void SaveFromKey(Game& game);

} // namespace qvr
