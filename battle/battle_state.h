#pragma once

// One battle as plain data: the monster groups, the party's orders, who is
// acting, the rewards gathered so far and how the battle ended. The engine
// never looks at a window; the front end reads this state and draws it, and
// code (the simulator, tests) may fill the orders as the player would.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/fixed_rolls.h"
#include "core/records.h"

namespace qvr {

class Game;
class Narrator;
class BattleActions;

// Members with any of these are never picked as a random target.
inline constexpr int32_t kNotTargetable = Cond::BeyondCare | Cond::Hidden;
// The two condition bits a battle spell sets on a member for the rest of the
// battle, named for the blow each one guards against.
inline constexpr int32_t kBeheadingWard = Cond::BattleMarkA;
inline constexpr int32_t kDrainWard = Cond::BattleMarkB;
// The one value of `conditions` that marks a slot nobody stands in.
inline constexpr int32_t kEmptySlot = Cond::Dead;

inline constexpr int kGroupCount = 4; // groups 1..4; 0 stays empty
inline constexpr int kGroupSlots = 9; // slots 1..9 act; 0 is the template
inline constexpr int kMaxEncounter = 1250;
inline constexpr int kShadowEncounter = 1221;
inline constexpr int16_t kMaxRounds = 32767;

// A monster in battle: a copy of its definition whose run-time fields the
// battle changes. The second battleA value of a group's template counts the
// members killed.
using MonsterSlot = MonsterDef;

namespace Order {
inline constexpr int32_t None = 0;
inline constexpr int32_t Fight = 1;
inline constexpr int32_t Spell = 2;
inline constexpr int32_t Item = 4;
inline constexpr int32_t Defend = 8;
inline constexpr int32_t Dispel = 16;
inline constexpr int32_t Hide = 32;
inline constexpr int32_t Breath = 64;
inline constexpr int32_t Steal = 128;
} // namespace Order

// What one party position does this round. The player's command input and
// the simulator's policy fill the same values.
struct MemberOrder {
    int32_t rosterNo = 0;
    int32_t code = Order::None;
    int32_t target = 0; // a monster group, or a member for spells aimed at one
    int32_t spell = 0;
    int32_t initiative = 0;
    int32_t item = 0;
};

enum class BattlePhase : int { None = 0, Setup = 1, Round = 2, Chest = 3 };

// How a battle ended; game/ acts on it (the maze's wipe-out, the chest, the
// follow-up of a scripted fight, saving).
enum class BattleEnd {
    Ongoing,  // the command phase is waiting for orders
    NoBattle, // encounter 0 on a floor with no encounter list: nothing happened
    Victory,
    Fled,
    Parted, // friendly monsters went their way
    WipedOut,
    Escaped, // a spell took the party out of the battle
};

// A side's shields: each magic level takes 20 % off the spell damage the
// side takes, each breath level the same off breath; neither passes 3.
struct Shield {
    int32_t magic = 0;
    int32_t breath = 0;
    int32_t counter = 0;
};
inline constexpr int32_t kMaxShieldLevel = 3;

struct Rewards {
    int32_t gold = 0;
    int32_t exp = 0;
    int32_t rankSum = 0;
    int32_t kills = 0;
};

struct VictoryReport {
    int32_t expShare = 0;
    int32_t goldShare = 0;
    int sharers = 0;
    bool chest = false;
    int chestLevel = 0;
    int trapNo = 0; // entry of the content's trap table
    // A scripted fight without a chest: game/ asks the maze for the follow-up
    // battle of the cell and starts it.
    bool askFollowUp = false;
};

struct BattleState {
    // groups 0..4 by slots 0..9
    std::array<std::array<MonsterSlot, kGroupSlots + 1>, kGroupCount + 1> monsters{};
    std::array<MemberOrder, 7> orders{}; // party positions 1..6
    BattlePhase phase = BattlePhase::None;
    BattleEnd end = BattleEnd::Ongoing;
    int encounterNo = 0;
    // The monster number of each group; 0 for a group nobody stands in, which
    // the round does not look at.
    std::array<int, kGroupCount + 1> groupMonster{};
    // The groups still in the monster list, in list order, and their lines.
    std::vector<int> listedGroups;
    std::vector<std::string> groupLines;
    // The last line built for each group and what it showed; a line is only
    // formatted again when the name or the counts change. The head outlives
    // the battle: the next one mostly meets the same monsters again.
    struct GroupLine {
        int identified = -2;
        int living = -1;
        int awake = -1;
        // The number and the name, unidentified [0] and identified [1], and
        // the names they were built from.
        std::array<std::string, 2> name;
        std::array<std::string, 2> head;
        std::array<bool, 2> built{};
        std::string text;
    };
    std::array<GroupLine, kGroupCount + 1> lineCache{};
    // The spells' names in full width, converted when first cast in a battle.
    struct SpellName {
        bool known = false;
        std::string text;
    };
    std::array<SpellName, kNamedSpells + 1> spellNames{};
    int promptSlot = 0;
    int actingSlot = 0;
    int actingGroup = 0;
    int actingMonster = 0;
    bool partyFirstStrike = false;
    Shield partyShield;
    Shield monsterShield;
    Rewards rewards;
    VictoryReport victory;
    // Breaths each roster entry has used in this battle (a dragon's allowance).
    std::array<int16_t, kRosterSize + 1> breaths{};

    // Faces a key-script case fixed for the named rolls; kept from battle to
    // battle, and empty in play.
    FixedRolls fixedRolls;

    // Every line of narration goes here; must be set before StartBattle.
    Narrator* narrator = nullptr;
    // Spells, items, dispel, hide, steal, breath and the monsters' special
    // moves; nullptr uses the built-in resolver that narrates no effect.
    BattleActions* actions = nullptr;
    // Friendly monsters: whether the party fights them. Unset, the player is
    // asked with the yes/no prompt.
    std::function<bool(Game&, const std::string& question)> fightFriendly;

    // The monster panel is up: the battle goes on.
    bool active() const { return end == BattleEnd::Ongoing; }
};

} // namespace qvr
