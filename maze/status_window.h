#pragma once

namespace qvr {

class Game;

// Where the status window was opened from; decides its commands.
enum class StatusMode {
    Camp = 0,     // the maze's party list
    Roster = 1,   // the training grounds, the roster window, a battle's status command
    Tavern = 2,   // the tavern's party list
};

// Opens the status window modally on a character.
void ShowStatus(Game& game, int rosterNo, StatusMode mode);

} // namespace qvr
