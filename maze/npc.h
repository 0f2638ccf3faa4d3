#pragma once

// The twelve dungeon characters: the party meets one through a cell's event
// and talks to it by typing a word, gives it an item, buys from the five
// wares drawn for this meeting, sells to it or leaves. What a character
// says and does is data (core/npc_talk.h); the panel and the trades are
// here. "The current character" of a trade is the first member in marching
// order with a free slot, as for every item the maze hands out.

#include <cstdint>
#include <string>
#include <string_view>

namespace qvr {

class Game;
struct NpcTable;

inline constexpr const char* kNpcPanel = "fraNPC";
inline constexpr const char* kNpcList = "lstNPC";
inline constexpr const char* kNpcBuyPanel = "fraNPCBuy";
inline constexpr const char* kNpcBuyList = "lstNPCBuy";

// The characters' talk: the game's own table, or the one compiled in.
const NpcTable& NpcsOf(const Game& game);

// Sets currentNpc, shows the greeting and opens the panel with its wares.
void MeetNpc(Game& game, int npc);
// "立ち去った・・・" and the panels close.
void LeaveNpc(Game& game);
// The panels close without a word (a move or a battle took the party away).
void CloseNpcPanels(Game& game);

// Row actions of lstNPC.
void TalkToNpc(Game& game);
void GiveToNpc(Game& game);
void OpenNpcWares(Game& game);
void SellToNpc(Game& game);
// Enter on a row of lstNPCBuy.
void BuyNpcWare(Game& game, int row);

// The reply of the current character to a typed word: its lines and its
// action. Returns an encounter number when the talk ends in a battle, else 0.
int AnswerWord(Game& game, int npc, std::string_view word);

// What a trader pays for an identified item: the price times its buying
// factor in single precision, to the nearest gold, halves to the even one.
int32_t SalePrice(int32_t price, float factor);

// The custom weapon's variant for a combination code 0..255 (0: the stored
// variant stays).
int CraftVariantFor(int code);
// Item 508 is rebuilt from variant `variant` of the content.
void BuildCraftedWeaponFrom(Game& game, int variant);

// True when the typed answer (converted to upper case and full width) is
// one of the '|'-separated accepted spellings.
bool AnswerAccepted(std::string_view typed, std::string_view accepted);

} // namespace qvr
