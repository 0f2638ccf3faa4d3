#pragma once

// The chest's rules apart from its panel: what an inspection or the
// trap-revealing spell finds, the disarm attempt, the effects of the traps
// and what the chest holds. The panel (maze/chest.cpp) strings them together.

#include <string>

#include "core/records.h"

namespace qvr {

class Game;

inline constexpr const char* kTreasurePanel = "fraTreasure";
inline constexpr const char* kTreasureList = "lstTreasure";
inline constexpr const char* kTreasureLabel = "lblTreasure";
inline constexpr const char* kTreasureTimer = "tmrTreasure";
inline constexpr int kTreasureShowMs = 2000;
// The trap-revealing spell, cast by number from the chest panel.
inline constexpr int kRevealSpell = 41;
inline constexpr int kTrapEffectCount = 38;

inline constexpr const char* kCannotActText = "無理だ";
inline constexpr const char* kNoPowerText = "唱える力がありません";
inline constexpr const char* kDisarmTitle = "罠を外す";
inline constexpr const char* kDisarmPrompt = "罠を入力して下さい";
inline constexpr const char* kDisarmedText = "罠を外した";
inline constexpr const char* kDisarmFailedText = "罠を外すことができなかった";
inline constexpr const char* kSprungText = "罠に引っかかった！";
inline constexpr const char* kPackFullText = "パーティーの持ち物はいっぱいだった";

// What a look at the chest came to: the trap went off, or a name to show
// (the true one or, by bad luck, any row's).
struct Finding {
    bool sprung = false;
    std::string name;
};

// "I)調べる": thieves and bards read traps best, ninja nearly as well,
// everyone else needs great agility.
Finding InspectChest(Game& game, const Character& actor, const TrapDef& trap);
// The spell's reading: wrong one time in twenty, never sets the trap off.
Finding RevealTrap(Game& game, const TrapDef& trap);

enum class DisarmResult { Disarmed, Sprung, Failed };
// Disarming by the typed name (any letter case), for a chest of `chestLevel`.
DisarmResult TryDisarm(Game& game, const Character& actor, int chestLevel, const TrapDef& trap,
                       const std::string& typed);

// What a trap left behind. Closed: the game ended at once and nothing more
// may happen, not even a save.
enum class TrapEnd { Continue, Closed };
// Announces and applies trap effect `number` (1..38) with `actorRosterNo`
// as the member who set it off. The teleporter stays still when the battle
// came from a maze event.
TrapEnd ApplyTrapEffect(Game& game, int number, int actorRosterNo);

// Up to three items of levels 1..chestLevel, each to the first member in
// marching order with room, unidentified and counted in the item tally.
void GiveChestContents(Game& game, int chestLevel);

} // namespace qvr
