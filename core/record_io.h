#pragma once

// One reader and one writer per record, both walking the record's field list
// (record_fields.h) in stored order. Coded names are written with empty text
// fields; the caller keeps the code arrays current (see name_codes.h). Other
// texts are converted between the run-time UTF-8 and the stored Shift_JIS
// here.

#include "core/bytes.h"
#include "core/records.h"

namespace qvr {

inline constexpr std::size_t kCharacterBytes = 750;
inline constexpr std::size_t kMonsterBytes = 340; // with empty texts
inline constexpr std::size_t kItemBytes = 278;    // with empty texts

// The plain readers leave the coded names as codes, with only the stored
// text fields in name/unknownName. The Decoding ones append the decoded codes
// as they go, so that a code that is no character fails at its own byte.
void ReadCharacter(ByteReader& in, Character& c);
void ReadCharacterDecoding(ByteReader& in, Character& c);
void WriteCharacter(ByteWriter& out, const Character& c);

void ReadMonster(ByteReader& in, MonsterDef& m);
void ReadMonsterDecoding(ByteReader& in, MonsterDef& m);
void WriteMonster(ByteWriter& out, const MonsterDef& m);

void ReadItem(ByteReader& in, ItemDef& item);
void ReadItemDecoding(ByteReader& in, ItemDef& item);
void WriteItem(ByteWriter& out, const ItemDef& item);

void ReadSpell(ByteReader& in, SpellDef& spell);
void WriteSpell(ByteWriter& out, const SpellDef& spell);

void ReadTrap(ByteReader& in, TrapDef& trap);
void WriteTrap(ByteWriter& out, const TrapDef& trap);

// The fusion table is stored column by column, each column running over
// rows 0..60: the records' fields are gathered from every row in turn.
void ReadRecipeTable(ByteReader& in, Bounded<RecipeDef, 0, kRecipeCount>& recipes);
void WriteRecipeTable(ByteWriter& out, const Bounded<RecipeDef, 0, kRecipeCount>& recipes);

void ReadNpcShop(ByteReader& in, NpcShopDef& shop);
void WriteNpcShop(ByteWriter& out, const NpcShopDef& shop);

} // namespace qvr
