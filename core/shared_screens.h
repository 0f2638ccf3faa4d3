#pragma once

// The screens that town, maze and battle all open (the status window, the
// shared party list, the marching-order panel) and the title, ending and
// exit of the main window. They live in game/, above the subsystems, which
// fills in this interface; the subsystems call the functions below and never
// include each other or the layer above.

#include <functional>

#include "core/game_mode.h"
#include "core/keys.h"

namespace qvr {

class Game;

// Where the status window was opened from; decides its commands.
enum class StatusMode {
    Camp = 0,   // the maze's party list
    Roster = 1, // the training grounds, the roster window, a battle's status command
    Tavern = 2, // the tavern's party list
};

// The shared party list lstParty in fraParty. A facility that needs to know
// which member is meant enables it; the member chosen there (or the Escape
// that gives up) is handed back to whoever asked. Nobody calls the askers by
// name: each registers a use for the place it asks in (a town facility, the
// maze, a battle, a chest) when its panels are built, and the use for the
// place the game is in takes the moment.
inline constexpr const char* kNoPartyText = "パーティーを組んでいません";

struct PartyListUse {
    // A later registration for the same place replaces the earlier one.
    Place where;
    std::function<void(Game&, int rosterNo)> chosen;
    // Escape or Backspace left the list. A use that leaves fraParty enabled
    // gets the plain ending: fraParty disabled and its selection cleared.
    std::function<void(Game&)> left;
};

class SharedScreens {
public:
    virtual ~SharedScreens() = default;

    virtual void showStatus(Game& game, int rosterNo, StatusMode mode) = 0;

    virtual void addPartyListUse(Game& game, PartyListUse use) = 0;
    virtual void openPartyList(Game& game) = 0;
    virtual void releasePartyList(Game& game) = 0;
    virtual void choosePartyRow(Game& game, int row) = 0;

    virtual void openReorder(Game& game) = 0;
    virtual void setReorderBattleReturn(Game& game, std::function<void(Game&)> resume) = 0;

    virtual void leaveTitle(Game& game) = 0;
    virtual void continueAfterEnding(Game& game) = 0;
    // The exit sequence of the edge of town's last row; false when the last
    // save failed (the player has been told).
    virtual bool endGame(Game& game) = 0;

    // An expedition ends: the party comes back to the castle town (or the
    // ending begins).
    virtual void returnToCastle(Game& game) = 0;
    // The maze meets monsters: encounter number n, or 0 for one drawn from
    // the floor's list. GameState::encounterOrigin and eventResult say where
    // the battle came from; the battle reads them.
    virtual void startBattle(Game& game, int encounterNo) = 0;
    // A key while the party walks the maze and no list has the keyboard;
    // false when the maze does not take it. A game without a maze takes none.
    virtual bool walkKey(Game&, Key) { return false; }
};

// Opens the status window modally on a character.
void ShowStatus(Game& game, int rosterNo, StatusMode mode);

void AddPartyListUse(Game& game, PartyListUse use);
// Enables fraParty and gives lstParty the keyboard at its first row.
void OpenPartyList(Game& game);
// Disables fraParty and clears its selection; the caller gives the keyboard
// to its own menu.
void ReleasePartyList(Game& game);
// A choice of the row: the use for the game's place acts on that member. A
// row outside the party does nothing.
void ChoosePartyRow(Game& game, int row);
// Shows "パーティーを組んでいません" and gives false when the party is empty.
bool RequireParty(Game& game);

// Lists the members' names (each row carrying its roster number), shows the
// marching-order panel at its first row and gives it the keyboard. A battle
// disables its command frame before.
void OpenReorder(Game& game);
// What closing the marching-order panel does during a battle: the battle
// takes its command input up again.
void SetReorderBattleReturn(Game& game, std::function<void(Game&)> resume);

// A key or a click on the title window: the main window takes over.
void LeaveTitle(Game& game);
// Enter while the ending waits.
void ContinueAfterEnding(Game& game);
bool EndGame(Game& game);

// Opens a panel at `row` with the keyboard and tells the observer, for the
// panels a transcript follows.
void OpenToldPanel(Game& game, const char* name, int row);

// Ends an expedition: events, the maze key Q, a wiped-out party.
void ReturnToCastle(Game& game);
void StartBattle(Game& game, int encounterNo);

} // namespace qvr
