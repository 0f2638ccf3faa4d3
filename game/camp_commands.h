#pragma once

// The camp's own commands of the status window: casting a spell, using,
// identifying and appraising an item, and the teleport panel and item card
// they may open.

#include "core/keys.h"
#include "maze/camp_spells.h"

namespace qvr {

class Game;
struct StatusWindow;

inline constexpr const char* kCastTitle = "呪文を唱える";
inline constexpr const char* kCastPrompt = "呪文を入力して下さい";

// Fills in the handlers of "S)呪文を唱える", "U)使う", "I)識別する" and "J)鑑定"
// and lists the commands afresh.
void InstallCampCommands(Game& game, StatusWindow& window);

// Does what a spell or an item left for the window to do.
void FollowCampOutcome(Game& game, StatusWindow& window, CampOutcome outcome);

// A key while the teleport panel has the keyboard.
void TeleportKey(Game& game, StatusWindow& window, Key key);

} // namespace qvr
