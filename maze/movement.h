#pragma once

// The party in the maze: the keys it takes while walking, a step or a turn
// with its per-step effects and encounter roll, moving the party to another
// floor or cell, the arrival check after a teleport, and leaving the maze by
// suspending the expedition or being wiped out.

#include "core/keys.h"

namespace qvr {

class Game;
struct Character;

// One step forward (action 0) or one turn (1 right, 2 about, 3 left), then
// the common tail: the view, the cell's event, the encounter roll. Walls are
// not tested here: the keys do that.
void PartyMove(Game& game, int action);

// What an event, a search (F) or an item's use (U) answered: a positive
// encounter number starts that battle; a negative one means the event took
// over, and only a party it left wiped out is ended here. Stores the result
// in eventResult, which the battle reads.
void FollowEventResult(Game& game, int result);

// The 300 ms timer that hides the movement arrow; the main window defines it.
inline constexpr const char* kMoveTimer = "tmrMove";

// A key of the main window while the party walks (Mode::Maze and no panel
// owns the keyboard); false for a key the maze does not take.
bool MazeKey(Game& game, Key key);

// Puts the party on floor/x/y (entering the floor when it changes), clears
// the turn counter, records the place in every member and redraws the view.
// Facing does not change.
void RelocateParty(Game& game, int floor, int x, int y);

// After a teleport has set floor, x and y: true when the party was destroyed
// (inside rock, off the map, above the dungeon, in the moat or the sky).
bool CheckInRock(Game& game);

// Key Q: the members stay where they stand and the party goes back to town.
void SuspendParty(Game& game);
// Every member is out of action: recorded where they fell, saved, back to town.
void PartyWipedOut(Game& game);

// The edge of town's "D)洞窟へ潜る" and "O)冒険の再開" (the chosen
// character's group, by roster number).
void DescendIntoMaze(Game& game);
void ResumeParty(Game& game, int rosterNo);

} // namespace qvr
