#pragma once

// What the shop's files share: the customer, the prompts, the item list
// and the rows it shows. The menu, buying and the services on carried items
// each live in a file of their own.

#include <cstdint>
#include <string>
#include <vector>

#include "core/screen.h"

namespace qvr {

class Game;
struct Character;

namespace shop {

// lstShop's rows whose item list a choice belongs to.
inline constexpr int kBuyRow = 0;
inline constexpr int kSellRow = 1;
inline constexpr int kUncurseRow = 2;
inline constexpr int kIdentifyRow = 3;

inline constexpr const char* kOwnerTitle = "トロメア亭主";

// The member being served.
Character& Customer(Game& game);
int CustomerNo(const Game& game);

// Gold moved by the shop saturates at the purse's width rather than wrap.
void AddGold(Character& c, int64_t amount);

std::string Greeting(const Game& game);
// The gold as the menu shows it hides a purse of 0; the item list shows it.
std::string BuyingPrompt(const Game& game, bool fromMenu);

// A ware as the buying list shows it; "＃" when the customer could not
// equip it.
std::string WareRow(const Game& game, int customer, int itemNo);
// A carried item as the selling list shows it, with the price offered.
std::string SaleRow(const Game& game, int customer, int slot);
// A carried item as the uncursing and identifying lists show it, with
// their fee.
std::string ServiceRow(const Game& game, int customer, int slot);
// What the shop pays for the item in the slot: 1 while it is unidentified.
int32_t OfferedPrice(const Game& game, int customer, int slot);
// What lifting a curse or identifying costs.
int32_t ServiceFee(const Game& game, int customer, int slot);

// Hides the shop's frame (and its kinds of ware) and shows the item list
// at its first row with the keyboard.
void ShowItemList(Game& game, std::vector<Row> rows);
// Hides the item list and shows the frame again; the keyboard goes back to
// the menu or, while buying, to the kinds of ware.
void CloseItemList(Game& game);
// The item list closed (if open), the menu at its row with the greeting.
void BackToMenu(Game& game);

// The menu's rows and what a choice in the item list does for each.
void StartBuying(Game& game);
void BuyWare(Game& game, int row);
void StartSelling(Game& game);
void SellItem(Game& game, int row);
void StartUncursing(Game& game);
void Uncurse(Game& game, int row);
void StartIdentifying(Game& game);
void Identify(Game& game, int row);
// The kinds of ware (lstBuy), built with the shop.
Panel KindsPanel();

} // namespace shop
} // namespace qvr
