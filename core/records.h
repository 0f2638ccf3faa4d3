#pragma once

// The game's records: characters, monsters, items, spells and the other
// content tables, the progress tables kept in the save, and the run-time
// state. Fields are in the order they are stored on disk, with the widths
// they have there (Integer = int16_t, Long = int32_t, Single = float).

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/bounded.h"

namespace qvr {

// Condition bits, shared by characters and monsters.
namespace Cond {
inline constexpr int32_t Asleep = 1;
inline constexpr int32_t Paralysed = 2;
inline constexpr int32_t Afraid = 4;
inline constexpr int32_t Confused = 8;
inline constexpr int32_t Frozen = 16;
inline constexpr int32_t Shocked = 32;
inline constexpr int32_t Charmed = 64;
inline constexpr int32_t Poisoned = 128;
inline constexpr int32_t Silenced = 256;
inline constexpr int32_t Blind = 512;
inline constexpr int32_t Fly = 1024;
inline constexpr int32_t Carrot = 2048;
inline constexpr int32_t Sick = 4096;
inline constexpr int32_t Stoned = 8192;
inline constexpr int32_t Dead = 16384;
inline constexpr int32_t Ashes = 32768;
inline constexpr int32_t Vanished = 65536;
inline constexpr int32_t Hidden = 262144;
inline constexpr int32_t CurseBound = 524288;   // held by cursed equipment
inline constexpr int32_t BattleMarkA = 1048576; // cleared when a battle ends
inline constexpr int32_t BattleMarkB = 2097152; // cleared when a battle ends

inline constexpr int32_t OutOfAction = 0x1E802;
inline constexpr int32_t CannotAct = 0x1E837;
inline constexpr int32_t BeyondCare = 0x1C800;
// Members with any of these go behind the able ones in the party list.
inline constexpr int32_t Disabled = 0x1E803;
} // namespace Cond

namespace Race {
inline constexpr int16_t Human = 1;
inline constexpr int16_t Elf = 2;
inline constexpr int16_t Dwarf = 4;
inline constexpr int16_t Gnome = 8;
inline constexpr int16_t Hobbit = 16;
inline constexpr int16_t Fairy = 32;
inline constexpr int16_t Dragon = 64;
inline constexpr int16_t Demon = 128;
inline constexpr int16_t Angel = 256;
inline constexpr int16_t Mutant = 512;
} // namespace Race

namespace Class {
inline constexpr int16_t Fighter = 1;
inline constexpr int16_t Wizard = 2;
inline constexpr int16_t Cleric = 4;
inline constexpr int16_t Thief = 8;
inline constexpr int16_t Sage = 16;
inline constexpr int16_t Bard = 32;
inline constexpr int16_t Valkyrie = 128;
inline constexpr int16_t Samurai = 256;
inline constexpr int16_t Lord = 512;
inline constexpr int16_t Ninja = 1024;
inline constexpr int16_t MagicSwordsman = 2048;
inline constexpr int16_t Onmyoji = 8192;
inline constexpr int16_t MartialArtist = 16384;
} // namespace Class

namespace Align {
inline constexpr int16_t Lawful = 1;
inline constexpr int16_t Neutral = 2;
inline constexpr int16_t Chaotic = 4;
} // namespace Align

// Bits of Character::itemFlags.
namespace ItemFlag {
inline constexpr int16_t SlotMask = 0x0F; // equipment slot code, 0 = not equipped
inline constexpr int16_t Cursed = 0x10;
inline constexpr int16_t Unidentified = 0x20;
inline constexpr int16_t CannotEquip = 0x40;
} // namespace ItemFlag

// Bits of Character::specialFlags.
namespace Special {
inline constexpr int32_t LuckyRoll = 0x01;
inline constexpr int32_t Finished = 0x10;
inline constexpr int32_t GiftAt20 = 0x20;
inline constexpr int32_t GiftAt60 = 0x40;
} // namespace Special

// Bits of GameState::partyEffects.
namespace PartyEffect {
inline constexpr int32_t Identify = 0x01;
inline constexpr int32_t Floating = 0x04;
inline constexpr int32_t Armour3 = 0x40;
inline constexpr int32_t Armour5 = 0x80;
inline constexpr int32_t Compass = 0x100;
} // namespace PartyEffect

using Dice3 = std::array<int16_t, 3>; // count, sides, addend

struct Character {
    int32_t rosterNo = 0; // 0 marks a free slot
    int32_t level = 0;
    Bounded<int16_t, 0, 50> nameCodes{}; // 1..50 used, scrambled on disk
    std::string name;                    // UTF-8 at run time
    int32_t maxLevel = 0;
    int16_t race = 0;
    int16_t classCode = 0;
    int16_t sex = 0;
    int16_t alignment = 0;
    int16_t age = 0;
    int16_t ageDays = 0;
    int32_t conditions = 0;
    int16_t groupNo = 0;
    int16_t position = 0;
    int16_t floor = 0; // 0 free in town, -1 in the current party in town, n > 0 left on floor n
    int16_t posX = 0;
    int16_t posY = 0;
    int32_t gold = 0;
    int32_t exp = 0;
    int32_t marks = 0;
    int32_t baseAc = 0;
    int32_t ac = 0;
    int32_t rip = 0;
    int32_t hp = 0;
    int32_t maxHp = 0;
    int16_t strength = 0;
    int16_t iq = 0;
    int16_t piety = 0;
    int16_t vitality = 0;
    int16_t agility = 0;
    int16_t luck = 0;
    int16_t classMark = 0;
    int16_t regen = 0;
    Bounded<int16_t, 0, 12> items{};
    Bounded<int16_t, 0, 12> itemFlags{};
    Grid3<int16_t, 3, 10, 5> spellKnown{}; // (school, level, slot)
    Grid2<int16_t, 3, 10> mp{};            // (school, level)
    Grid2<int16_t, 3, 10> maxMp{};
    Bounded<int16_t, 0, 33> res{};
    int32_t wardBits = 0;
    int32_t slayBits = 0;
    int32_t meleeCount = 0;
    int32_t specialFlags = 0;
    float steps = 0;

    bool operator==(const Character&) const = default;
};

struct MonsterDef {
    int32_t present = 0;
    int32_t rank = 0;
    Bounded<int16_t, 0, 30> nameCodes{};
    std::string name;
    Bounded<int16_t, 0, 20> unknownNameCodes{};
    std::string unknownName;
    int16_t kind = 0;
    Dice3 groupDice{};
    Dice3 hpDice{};
    std::array<int16_t, 2> battleA{}; // the second is the group's kill tally in battle
    int32_t conditions = 0;
    int16_t initiative = 0;
    int16_t identified = 0;
    int16_t ac = 0;
    int16_t ac2 = 0;
    int16_t strength = 0;
    std::array<int16_t, 3> battleB{};
    int16_t agility = 0;
    int16_t luck = 0;
    int32_t hp = 0;
    int32_t maxHp = 0;
    int16_t reach = 0;
    int16_t attacks = 0;
    Dice3 damageDice{};
    int32_t expValue = 0;
    int32_t goldValue = 0;
    int16_t regen = 0;
    int16_t battleC = 0;
    Bounded<int16_t, 0, 20> actions{};
    Bounded<int16_t, 15, 33> chance{};
    Bounded<int16_t, 0, 33> res{};
    std::array<int16_t, 2> stealItems{}; // common, rare

    bool operator==(const MonsterDef&) const = default;
};

struct ItemDef {
    int16_t itemNo = 0;
    int16_t itemLevel = 0;
    Bounded<int16_t, 0, 30> nameCodes{};
    std::string name;
    Bounded<int16_t, 0, 20> unknownNameCodes{};
    std::string unknownName;
    int16_t kind = 0;
    int16_t secondHand = 0;
    int16_t twoHanded = 0;
    int16_t reach = 0;
    int16_t useValue = 0;
    int16_t wearOut = 0;
    int16_t breakChance = 0;
    int16_t wearsInto = 0;
    int32_t price = 0;
    int16_t hitBonus = 0;
    Dice3 damageDice{};
    int16_t attacks = 0;
    int16_t acBonus = 0;
    int16_t specialPower = 0;
    int16_t castSpell = 0;
    int16_t regen = 0;
    Bounded<int16_t, 15, 33> chance{};
    int16_t cursed = 0;
    Bounded<int16_t, 0, 33> res{};
    int32_t wardBits = 0;
    int32_t slayMask = 0;
    int16_t sexMask = 0;
    int16_t alignMask = 0;
    int16_t raceMask = 0;
    int16_t classMask = 0;
    std::array<int16_t, 2> reserved{};

    bool operator==(const ItemDef&) const = default;
};

// SpellDef::flags bits.
namespace SpellFlag {
inline constexpr int16_t Battle = 1;
inline constexpr int16_t Camp = 2;
inline constexpr int16_t Monster = 4;
} // namespace SpellFlag

struct SpellDef {
    int16_t spellNo = 0;
    int16_t school = 0; // 0 wizard, 1 cleric
    int16_t level = 0;  // 1..9
    int16_t slot = 0;   // 1..3 learnt at level-up, 4 taught by books
    std::string name;   // stored as text; upper-case ASCII
    int16_t effect = 0;
    int16_t element = 0;
    int16_t targetKind = 0; // 1 one monster, 2 a group, 4 one member
    int16_t flags = 0;
    Dice3 dice{};

    bool operator==(const SpellDef&) const = default;
};

struct TrapDef {
    int16_t value = 0;  // kept as it stands in the content
    int16_t level = 0;  // trap level: the disarming reward
    int16_t number = 0; // 1..38, selects the trap's effect
    std::string note;   // kept as it stands in the content
    std::string name;   // shown, and typed to disarm

    bool operator==(const TrapDef&) const = default;
};

// One row of the fusion table. The file fixes only the first column (the
// item made); the rest is this game's own: the item made on the unlucky
// roll, the six ingredients (0 = none) and a column nobody reads.
struct RecipeDef {
    int16_t result = 0;
    int16_t alternative = 0; // 0: the unlucky roll makes nothing
    std::array<int16_t, 6> ingredients{};
    int16_t unused = 0;

    bool operator==(const RecipeDef&) const = default;
};
inline constexpr int kRecipeCount = 60;
inline constexpr int kRecipeColumns = 9;

struct NpcShopDef {
    int16_t value = 0;
    Bounded<int16_t, 0, 10> wares{}; // 1..10 used
    float buyFactor = 0;             // sale price = item price x factor

    bool operator==(const NpcShopDef&) const = default;
};

inline constexpr int kRosterSize = 50;
inline constexpr int kMonsterCount = 700;
inline constexpr int kItemCount = 640;
// The item the game builds at start-up from a variant the story chose; see
// GameState::craftedWeapon.
inline constexpr int kCraftedWeapon = 508;
inline constexpr int kSpellCount = 74;
inline constexpr int kNamedSpells = 72; // the spells looked up by name
inline constexpr int kFloorCount = 18;  // maze layers 0..17
inline constexpr int kMazeSize = 20;

// The game content read from QVR2.DAT; never changed during play except the
// crafted weapon entry, rebuilt at start-up.
struct Content {
    Bounded<SpellDef, 0, kSpellCount> spells;
    Bounded<TrapDef, 0, 40> traps;
    Grid2<int16_t, 1251, 7> encounterTable{};                      // (entry, column)
    Grid3<int16_t, kFloorCount, kMazeSize, kMazeSize> mazeWalls{}; // (floor, row, column)
    Grid3<int16_t, kFloorCount, kMazeSize, kMazeSize> mazeDoors{};
    Grid3<int16_t, kFloorCount, kMazeSize, kMazeSize> mazeCells{};
    Bounded<MonsterDef, 0, kMonsterCount> monsters;
    Bounded<ItemDef, 0, kItemCount> items;
    Bounded<ItemDef, 0, 40> craftVariants;
    // Stored column by column (all results, then all alternatives, ...).
    Bounded<RecipeDef, 0, kRecipeCount> recipes;
    Bounded<NpcShopDef, 0, 20> npcShops;

    bool operator==(const Content&) const = default;
};

// Everything QVR1.DAT holds.
struct SaveData {
    Bounded<int32_t, 0, 100> eventFlags{};
    Bounded<Character, 0, kRosterSize> roster; // entry 0 is the blank template
    Bounded<int32_t, 0, kMonsterCount> monsterTally{};
    Bounded<int32_t, 0, kItemCount> itemTally{};
    Bounded<int32_t, 0, kItemCount> itemStock{};

    bool operator==(const SaveData&) const = default;
};

struct KeyItemPlace {
    int16_t floor = 0;
    int16_t x = 0;
    int16_t y = 0;
};

// Run-time values; lost at exit.
struct GameState {
    int16_t partyCount = 0;
    Bounded<int16_t, 0, kRosterSize> partyMember{}; // roster numbers, 1..partyCount
    int16_t groupNo = 0;
    int16_t floor = -1; // -1 in town
    int32_t partyEffects = 0;
    int16_t posX = 0;
    int16_t posY = 0;
    int16_t prevX = 0;
    int16_t prevY = 0;
    int16_t facing = 0; // 0 north, 1 east, 2 south, 3 west
    int16_t curItem = 0;
    int16_t eventResult = 0;
    int16_t turnCounter = 0;
    int16_t encounterOrigin = 0;
    int16_t floorMusic = 0;
    int16_t roundCount = 0;
    Bounded<KeyItemPlace, 0, 7> keyItemPlaces{}; // rows 1..7: items 95..101
    int16_t currentNpc = 0;
    // The member the shop is serving, chosen from the party list (a roster
    // number); the shop's own state, read only by the shop.
    int16_t shopCustomer = 0;
    float runStartTime = 0;
    bool apparitionDone = false; // the apparition's one chance of this run is spent
    int16_t endingShown = 0;

    Grid2<int16_t, kMazeSize, kMazeSize> curWalls{}; // (x, y) of the current floor
    Grid2<int16_t, kMazeSize, kMazeSize> curDoors{};
    Bounded<int16_t, 0, 350> floorEncounters{};
    int16_t floorEncounterCount = 0;

    // The one item the rules change at run time. The content is shared and
    // read-only, so the game keeps its own item kCraftedWeapon here once it
    // is built; Game::item reads it in place of the content's.
    std::optional<ItemDef> craftedWeapon;
};

} // namespace qvr
