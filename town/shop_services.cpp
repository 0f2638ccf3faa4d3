// What the shop does with the items a customer carries: buying them back,
// lifting curses and identifying. Every row carries the slot it shows, so
// a pack with gaps (left by giving or dropping) is served slot by slot and
// a row never acts on another item.

#include <string>
#include <vector>

#include "core/game.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "rules/character_rules.h"
#include "rules/equipment.h"
#include "rules/party_panel.h"
#include "town/shop_parts.h"
#include "town/town_panels.h"

namespace qvr::shop {

namespace {

constexpr int kItemSlots = 12;
constexpr int kEventKind = 11;
constexpr const char* kChooseHint = "Ｅｎｔｅｒで決定  Ｅｓｃ or ＢＳで抜ける";

using RowText = std::string (*)(const Game&, int customer, int slot);

// The customer's items whose flags have `wanted` set (every item for 0),
// in slot order.
std::vector<Row> carriedRows(const Game& game, int16_t wanted, RowText text)
{
    std::vector<Row> rows;
    const int customer = CustomerNo(game);
    const Character& c = game.character(customer);
    for (int slot = 1; slot <= kItemSlots; ++slot) {
        if (c.items[slot] == 0)
            continue;
        if (wanted != 0 && (c.itemFlags[slot] & wanted) == 0)
            continue;
        rows.push_back({text(game, customer, slot), 0, slot, {}});
    }
    return rows;
}

int chosenSlot(const Game& game, int row)
{
    return game.screen.panel(kShopItemList).rows[static_cast<std::size_t>(row)].value;
}

void clearSlot(Character& c, int slot)
{
    c.items[slot] = 0;
    c.itemFlags[slot] = 0;
}

// Lifting a curse and identifying cost the same and are refused the same.
bool payFee(Game& game, int slot)
{
    Character& c = Customer(game);
    const int32_t fee = ServiceFee(game, CustomerNo(game), slot);
    if (c.gold < fee) {
        ShowMessage(game, kOwnerTitle, "お金が足りませんよ\rもっと稼いできて下さい");
        return false;
    }
    AddGold(c, -int64_t{fee});
    return true;
}

// Stock counts up to the width of its field and no further.
void restock(Game& game, int itemNo)
{
    int32_t& stock = game.save().itemStock[itemNo];
    if (stock >= 0 && stock < INT32_MAX)
        ++stock;
}

} // namespace

void StartSelling(Game& game)
{
    std::vector<Row> rows = carriedRows(game, 0, SaleRow);
    if (rows.empty()) {
        ShowMessage(game, "", "アンタ，売れるもの何も持ってないよ");
        return;
    }
    SetPrompt(game, "何を売ってくれますか？\r\rＥｎｔｅｒで売却  Ｅｓｃ or ＢＳで抜ける");
    ShowItemList(game, std::move(rows));
}

void SellItem(Game& game, int row)
{
    const int slot = chosenSlot(game, row);
    const int customer = CustomerNo(game);
    Character& c = game.character(customer);
    const int16_t flags = c.itemFlags[slot];
    const int itemNo = c.items[slot];
    if (flags & ItemFlag::Cursed) {
        ShowMessage(game, "", "呪われてますよ");
        return;
    }
    if (flags & ItemFlag::SlotMask) {
        ShowMessage(game, "", "装備してるものは引き取れませんよ");
        return;
    }
    if (game.item(itemNo).kind == kEventKind) {
        ShowMessage(game, "", "それはうちじゃ引き取れないよ");
        return;
    }
    AddGold(c, OfferedPrice(game, customer, slot));
    clearSlot(c, slot);
    CompactItems(game, customer);
    restock(game, itemNo);
    // The pack has closed up behind the sale, so the rows are read again.
    std::vector<Row> rows = carriedRows(game, 0, SaleRow);
    if (rows.empty()) {
        ShowMessage(game, "", "まいどありっ");
        BackToMenu(game);
        return;
    }
    ShowMessage(game, "", "まいどありっ\r他にも何か売ってください");
    Panel& list = game.screen.panel(kShopItemList);
    list.rows = std::move(rows);
    list.selected = 0;
}

void StartUncursing(Game& game)
{
    std::vector<Row> rows = carriedRows(game, ItemFlag::Cursed, ServiceRow);
    if (rows.empty()) {
        ShowMessage(game, "", "アンタ，呪われた装備してないよ");
        Customer(game).conditions &= ~Cond::CurseBound;
        BackToMenu(game);
        return;
    }
    SetPrompt(game, std::string("どの呪いを解きますか？\n") + kChooseHint);
    ShowItemList(game, std::move(rows));
}

// The item goes with its curse, and with it what wearing it added.
void Uncurse(Game& game, int row)
{
    const int slot = chosenSlot(game, row);
    if (!payFee(game, slot))
        return;
    Character& c = Customer(game);
    const ItemDef& item = game.item(c.items[slot]);
    if (c.itemFlags[slot] & ItemFlag::SlotMask) {
        c.baseAc = static_cast<int32_t>(c.baseAc - item.acBonus);
        c.regen = static_cast<int16_t>(c.regen - item.regen);
        c.ac = ProtectedAc(game, c.baseAc);
        RefreshPartyPanel(game);
    }
    clearSlot(c, slot);
    ShowMessage(game, kOwnerTitle, "呪いを解きました");
    StartUncursing(game);
}

void StartIdentifying(Game& game)
{
    std::vector<Row> rows = carriedRows(game, ItemFlag::Unidentified, ServiceRow);
    if (rows.empty()) {
        ShowMessage(game, "", "どれも識別されてるよ");
        BackToMenu(game);
        return;
    }
    SetPrompt(game, std::string("どれを識別しますか？\n") + kChooseHint);
    ShowItemList(game, std::move(rows));
}

void Identify(Game& game, int row)
{
    const int slot = chosenSlot(game, row);
    if (!payFee(game, slot))
        return;
    Character& c = Customer(game);
    c.itemFlags[slot] = static_cast<int16_t>(c.itemFlags[slot] & ~ItemFlag::Unidentified);
    ShowMessage(game, kOwnerTitle, "識別できました");
    std::vector<Row> rows = carriedRows(game, ItemFlag::Unidentified, ServiceRow);
    if (rows.empty()) {
        BackToMenu(game);
        return;
    }
    ShowItemList(game, std::move(rows));
}

} // namespace qvr::shop
