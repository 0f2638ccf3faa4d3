#pragma once

// Passing items and gold around the party: giving an item to a member,
// pooling everyone's gold with one member, throwing an item away. Each
// refusal is the text the player is shown; nothing changes then.

#include <string>

namespace qvr {

class Game;
struct Character;

inline constexpr const char* kNoItemsText = "アイテムを持ってません";
inline constexpr const char* kEquippedText = "装備しています";
inline constexpr const char* kPackFullText = "アイテムがいっぱいですよ";
inline constexpr const char* kCannotDropText = "捨てられない";
inline constexpr const char* kGoldPooledText = "お金を集めました";
inline constexpr const char* kGiveTitle = "アイテムを渡す";
inline constexpr const char* kGivePrompt = "どれを渡しますか？";
inline constexpr const char* kDropTitle = "アイテムを捨てる";
inline constexpr int kUndroppableKind = 128;

bool CarriesAnything(const Character& c);

// Hands the item in the giver's slot to the receiver's first empty slot.
// Returns the refusal, or "" once the item has changed hands.
std::string GiveItem(Game& game, int giver, int slot, int receiver);

// Moves the gold of every other party member to this one. A purse that
// would overflow takes what fits; the rest stays where it was.
void PoolGold(Game& game, int rosterNo);

// Throws the item of a slot away. Returns the refusal, or "" when it is gone;
// then `lblMsg1` is what the window shows about it.
std::string DropItem(Game& game, int rosterNo, int slot, std::string& lblMsg1);

} // namespace qvr
