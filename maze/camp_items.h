#pragma once

// The camp's item commands: using an item (which casts the spell it holds),
// identifying one and appraising one.

#include <optional>

#include "maze/camp_spells.h"
#include "maze/item_card.h"

namespace qvr {

class Game;

inline constexpr const char* kUseTitle = "アイテムを使う";
inline constexpr const char* kIdentifyTitle = "アイテムの識別";
inline constexpr const char* kAppraiseTitle = "アイテムの鑑定";
inline constexpr const char* kAppraisePrompt = "どれを鑑定しますか？";
inline constexpr const char* kIdentifiedText = "識別できました";
inline constexpr const char* kNotIdentifiedText = "識別できなかった";
inline constexpr const char* kAlreadyIdentifiedText = "既に識別されています";
inline constexpr const char* kFrightenedText = "恐怖に犯された";
inline constexpr const char* kUnidentifiedText = "識別されていません";
inline constexpr const char* kCannotAppraiseText = "鑑定できなかった・・・";

// The class that may play an instrument (kind 9) and the one that may use a
// charm or orb (kind 12).
inline constexpr int kInstrumentKind = 9;
inline constexpr int kCharmKind = 12;

// Uses the item in a slot. The catalogues are read, not used: see
// maze/catalogues.h.
CampOutcome UseItem(Game& game, int rosterNo, int slot);

enum class IdentifyResult { Identified, Failed, Frightened, AlreadyKnown, Nothing };
// One attempt at identifying the item in a slot; says how it went.
IdentifyResult IdentifyItem(Game& game, int rosterNo, int slot);

// Appraises the item in a slot: its card, or nothing when the character is
// told why not.
std::optional<ItemCard> AppraiseItem(Game& game, int rosterNo, int slot);

} // namespace qvr
