// Buying: the kinds of ware, the wares in stock of a kind, and the sale.

#include <string>
#include <vector>

#include "core/game.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "rules/character_rules.h"
#include "town/shop_parts.h"
#include "town/town_panels.h"

namespace qvr::shop {

namespace {

constexpr Rect kKindsRect{104, 55, 72, 80};

std::vector<Row> waresOfKind(const Game& game, int kind)
{
    std::vector<Row> rows;
    const int customer = CustomerNo(game);
    for (int n = 1; n <= kItemCount; ++n)
        if (game.save().itemStock[n] >= 1 && game.item(n).kind == kind)
            rows.push_back({WareRow(game, customer, n), 0, n, {}});
    return rows;
}

void chooseKind(Game& game, int kind)
{
    std::vector<Row> rows = waresOfKind(game, kind);
    if (rows.empty()) {
        ShowMessage(game, "", "その種類は在庫がありません");
        return;
    }
    SetPrompt(game, BuyingPrompt(game, false));
    ShowItemList(game, std::move(rows));
}

Row kindRow(const char* text, int kind)
{
    return {text, text[0], 0, [kind](Game& game) { chooseKind(game, kind); }};
}

void backFromKinds(Game& game)
{
    Screen& screen = game.screen;
    Panel& kinds = screen.panel(kShopKindsList);
    kinds.enabled = false;
    kinds.selected = -1;
    BackToMenu(game);
}

} // namespace

Panel KindsPanel()
{
    Panel p;
    p.name = kShopKindsList;
    p.list = kShopKindsList;
    p.rect = kKindsRect;
    p.enabled = false;
    p.rows = {
        kindRow("W)武　器", 1),
        kindRow("A)鎧", 3),
        kindRow("S)盾", 2),
        kindRow("H)兜", 6),
        kindRow("G)小　手", 4),
        kindRow("B)靴", 5),
        kindRow("C)ア　ク　セ　サ　リ", 7),
        kindRow("M)楽　器", 9),
        kindRow("O)護　符　・　宝　珠", 12),
        kindRow("T)合　体　法　具", 10),
        kindRow("I)そ　の　他", 8),
        {"L)戻　る", 'L', 0, backFromKinds},
    };
    p.backRow = 11;
    return p;
}

void StartBuying(Game& game)
{
    Screen& screen = game.screen;
    SetPrompt(game, BuyingPrompt(game, true));
    screen.panel(kShopPanel).enabled = false;
    screen.open(kShopKindsList, 0);
}

void BuyWare(Game& game, int row)
{
    Panel& list = game.screen.panel(kShopItemList);
    const int itemNo = list.rows[static_cast<std::size_t>(row)].value;
    const int customer = CustomerNo(game);
    Character& c = game.character(customer);
    const int32_t price = game.item(itemNo).price;
    int32_t& stock = game.save().itemStock[itemNo];
    const int slot = FirstEmptySlot(c);
    if (c.gold < price) {
        ShowMessage(game, "", "お金が足りませんよ");
    } else if (slot == 0) {
        ShowMessage(game, "", "アイテムが一杯ですよ\r何か売って下さい");
    } else {
        AddGold(c, -int64_t{price});
        c.items[slot] = static_cast<int16_t>(itemNo);
        c.itemFlags[slot] = CanEquip(game, customer, itemNo);
        --stock;
        if (stock > 0) {
            ShowMessage(game, "", "まいどありっ\r他にも何かいかがですか？");
        } else {
            ShowMessage(game, "", "まいどありっ\rこれが最後の一つですよ");
            list.rows.erase(list.rows.begin() + row);
            if (list.rows.empty())
                CloseItemList(game);
            else
                list.selected = 0;
        }
    }
    SetPrompt(game, BuyingPrompt(game, false));
}

} // namespace qvr::shop
