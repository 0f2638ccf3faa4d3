#pragma once

// The stock events that floors share, each one step of a script: the stat
// tests, the unseen bump, the sealed box, the riddle, the information
// seller, the rumour drinker, the spell book and the item scripts. A step
// answers kGoOn to let the script go on, or the script's result.

#include <climits>
#include <string_view>

#include "maze/maze_events.h"

namespace qvr {

inline constexpr int kGoOn = INT_MIN;

// The first member in marching order at least that strong forces the way.
int StrengthTest(Game& game, int strength);
// 1d3 = 2: "いてっ！" and nothing more.
int Bump(Game& game);
// "箱を空けますか？": yes is a battle with the guardian.
int SealedBox(Game& game, int encounter, int origin);
// The answer typed, in upper case and full width, against the stock words.
bool RiddleAccepts(std::string_view typed);
int Riddle(Game& game, int question, int passText, int failText);
// Texts first..first+5: the offer, the words around a key's place, a key
// somebody holds, no money, farewell.
int InformationSeller(Game& game, int price, int firstText);
// True when nobody could pay (the drinker then fights); a refusal puts the
// party back at the door (doorX, doorY).
bool PaidTips(Game& game, int tier, int firstTip, int price, int tips, int doorX, int doorY);
// The drinker's tier from flags 1..20, then PaidTips; encounter when unpaid.
int RumourDrinker(Game& game, int encounter, int doorX, int doorY);
void LearnFromBook(Game& game, int school, int level);
// Statistic 1 strength .. 6 luck of the member holding the item.
void RaiseStatistic(Game& game, const ItemInHand& hand, int statistic, int amount);
// The item in hand becomes another; false when the party no longer has it.
bool ReplaceItem(Game& game, const ItemInHand& hand, int newItem);
// An after-battle reward; false when every pack was full.
bool GiveReward(Game& game, int itemNo, bool unidentified, bool afterChest);

} // namespace qvr
