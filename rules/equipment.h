#pragma once

// Putting equipment on, kind by kind, and what the worn items add up to.
// Equip codes 1..7 in the low bits of itemFlags are the kinds the items are
// worn as: main hand, second hand, armour, gauntlets, boots, helm,
// accessory.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/screen.h"

namespace qvr {

class Game;
struct Character;
struct ItemDef;

inline constexpr int kEquipKinds = 7;
inline constexpr int kMainHand = 1;
inline constexpr int kSecondHand = 2;
inline constexpr const char* kNothingRow = "なにもつけない";
inline constexpr const char* kCursedText = "呪われている！";

// lstEQ's caption while kind 1..7 is being chosen.
std::string_view EquipCaption(int kind);

// The item definition of a carried slot; nullptr for an empty slot or an
// item number the content does not have.
const ItemDef* CarriedItem(const Game& game, const Character& c, int slot);

// The first slot worn with this equip code, or 0.
int WornSlot(const Character& c, int code);

// Whether the player is asked about `kind` at all: not while a cursed item
// is stuck in it, nor for the second hand while the main weapon needs both.
bool KindIsOffered(const Game& game, int rosterNo, int kind);

// The next kind after `kind` to ask about, or 0 after the last. A second
// hand passed over for a two-handed weapon is emptied on the way.
int NextEquipKind(Game& game, int rosterNo, int kind);

// lstEQ for a kind: the character's items that fit it and that it may wear
// (rows of name and slot), then "なにもつけない" with slot 0.
std::vector<Row> EquipChoices(const Game& game, int rosterNo, int kind);

// Wears the item of `slot` as `kind`, taking off what the kind held; slot 0
// leaves the kind empty. A cursed item says so and sticks, and binds its
// wearer.
void PutOn(Game& game, int rosterNo, int kind, int slot);

// Armour class in effect: the party's protection lowers the base value.
int32_t ProtectedAc(const Game& game, int32_t baseAc);

// Resets what equipment builds up and adds every worn item's values again.
void ApplyEquipment(Game& game, int rosterNo);

// Re-reads bit 0x40 of every carried item from the wearing rules, after the
// character's race or alignment changed under its pack.
void RefreshWearability(Game& game, int rosterNo);

} // namespace qvr
