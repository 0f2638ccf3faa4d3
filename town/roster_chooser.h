#pragma once

#include <string>

namespace qvr {

class Game;

// The roster chooser's modes, as the town opens it.
namespace ChooserMode {
inline constexpr int Join = 1;
inline constexpr int Resume = 2;
inline constexpr int Pick = 3;
inline constexpr int PickInTown = 4;
inline constexpr int Delete = 5;
inline constexpr int Rename = 6;
inline constexpr int View = 7;
inline constexpr int Move = 10;
} // namespace ChooserMode

// The most characters a name can hold in the save file.
inline constexpr int kMaxNameLength = 50;

// The character chooser with the actions of its mode: 1 join (re-lists until
// the party has six), 2 resume, 3 and 4 plain choice, 5 delete, 6 rename,
// 7 view, 10 move. Returns the chosen roster number, or 0.
int OpenRosterChooser(Game& game, int mode);

// Why a typed name cannot be stored as it stands, in the player's words; ""
// when it can. `name` is taken after the input method's look-alikes have
// been mapped (mapInputLookalikes).
std::string NameProblem(const std::string& name);

} // namespace qvr
