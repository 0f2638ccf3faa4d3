#pragma once

// The shared party list lstParty in fraParty. A facility that needs to know
// which member is meant enables it; the member chosen there (or the Escape
// that gives up) is handed back to whoever asked. Nobody calls the askers by
// name: each registers a use when its panels are built, and the first use
// that claims the moment, in the order below, takes it.

#include <functional>
#include <string>

namespace qvr {

class Game;

inline constexpr const char* kNoPartyText = "パーティーを組んでいません";

// The order in which the askers are consulted: the town's facilities by the
// frame that shows, then the maze, a battle and a chest by the main window's
// mode. Only one of them is ever on screen; the order settles the rest.
enum class PartyListOrder : int {
    Tavern = 10,
    Shop = 20,
    Temple = 30,
    Inn = 40,
    AstrologyOffice = 50,
    Maze = 100,
    Battle = 110,
    Chest = 120,
};

struct PartyListUse {
    PartyListOrder order = PartyListOrder::Tavern;
    std::string name; // a later registration under the same name replaces it
    // Whether this asker is the one on screen now (its frame is visible, the
    // main window is in its mode).
    std::function<bool(const Game&)> owns;
    // A member was chosen; state.curChar is already that member.
    std::function<void(Game&, int rosterNo)> chosen;
    // Escape or Backspace left the list. A use that leaves fraParty enabled
    // gets the plain ending: fraParty disabled and its selection cleared.
    std::function<void(Game&)> left;
};

// Adds fraParty with its routing to the main window. Before any use is
// registered.
void BuildPartyList(Game& game);
void AddPartyListUse(Game& game, PartyListUse use);

// Enables fraParty and gives lstParty the keyboard at its first row.
void OpenPartyList(Game& game);
// Disables fraParty and clears its selection; the caller gives the keyboard
// to its own menu.
void ReleasePartyList(Game& game);

// A choice of the row: the current character becomes that member and the
// first use that owns the moment acts on it. A row outside the party does
// nothing.
void ChoosePartyRow(Game& game, int row);
// Escape or Backspace in the list. When nothing takes the keyboard back it
// returns to the main window itself (no list owns it), as in the maze.
void LeavePartyList(Game& game);

// Shows "パーティーを組んでいません" and gives false when the party is empty.
bool RequireParty(Game& game);

} // namespace qvr
