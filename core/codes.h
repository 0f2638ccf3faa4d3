#pragma once

// The texts shown for the game's codes: conditions, races, classes,
// alignments, sexes and item kinds. Unknown codes give empty text (or the
// catch-all kind text), never an error, because lists show whatever a record
// holds.

#include <cstdint>
#include <string>

namespace qvr {

// Text of the most telling condition in `bits`, or "" when nothing shows.
// Death outranks poison, so a dead poisoned member reads "死".
std::string ConditionText(int32_t bits);

// Full-width three-letter race abbreviation of the lists ("Ｈｕｍ").
std::string RaceAbbrev(int32_t race);
// Race name offered at creation ("人間"); "" for races never offered.
std::string RaceName(int32_t race);

// Full-width three-letter class abbreviation ("Ｆｉｇ").
std::string ClassAbbrev(int32_t classCode);
// Class name of the creation and class-change lists ("戦士").
std::string ClassName(int32_t classCode);

// "Ｌ－", "Ｎ－", "Ｃ－" or "".
std::string AlignmentPrefix(int32_t alignment);
// Alignment name at creation ("秩序", "中立", "混沌"), or "".
std::string AlignmentName(int32_t alignment);

// Alignment prefix followed by the class abbreviation: "Ｌ－Ｆｉｇ".
std::string ClassLabel(int32_t alignment, int32_t classCode);

// "男" for sex 1, "女" for anything else.
std::string SexText(int32_t sex);

// "武器", "盾", ...; kinds without a text of their own are "その他".
std::string ItemKindText(int32_t kind);

} // namespace qvr
