#include "town/shop.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "core/error.h"
#include "core/game.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/shared_screens.h"
#include "core/textformat.h"
#include "rules/character_rules.h"
#include "town/castle_town.h"
#include "town/shop_parts.h"
#include "town/town_panels.h"

namespace qvr {
namespace shop {

namespace {

constexpr const char* kDoorPrompt =
    "トロメア商店\r誰が入りますか？ 番号を選んで下さい\r\rＥＳＣ or ＢＳで抜ける";
constexpr Rect kMenuRect{22, 55, 80, 80};
constexpr Rect kItemListRect{8, 55, 204, 90};

// Another member may come in; Escape there goes back to the castle town.
void leaveShop(Game& game)
{
    Screen& screen = game.screen;
    Panel& menu = screen.panel(kShopPanel);
    menu.enabled = false;
    menu.selected = -1;
    screen.panel(kShopKindsList).enabled = false;
    OpenPartyList(game);
    SetPrompt(game, kDoorPrompt);
}

// The customer takes every member's gold. A purse that would overflow takes
// what fits and leaves the rest with its owners.
void poolGold(Game& game)
{
    Character& customer = Customer(game);
    const GameState& st = game.state;
    for (int i = 1; i <= st.partyCount; ++i) {
        Character& c = game.character(st.partyMember[i]);
        if (&c == &customer)
            continue;
        const int64_t room = int64_t{std::numeric_limits<int32_t>::max()} - customer.gold;
        const int64_t moved = std::min<int64_t>(c.gold, room);
        c.gold = static_cast<int32_t>(c.gold - moved);
        customer.gold = static_cast<int32_t>(customer.gold + moved);
    }
    ShowMessage(game, "",
                "お金を一人占めしました\r" + toFullWidth(formatHash(customer.gold)) +
                    "Ｇ持っています");
    SetPrompt(game, Greeting(game));
}

void memberChosen(Game& game, int rosterNo)
{
    game.state.shopCustomer = static_cast<int16_t>(rosterNo);
    SetPrompt(game,
              "いらっしゃい　" + game.character(rosterNo).name + "　さん　今日は何のようだい？");
    ReleasePartyList(game);
    game.screen.open(kShopPanel, 0);
}

void leftPartyList(Game& game)
{
    Screen& screen = game.screen;
    SetPrompt(game, "");
    for (const char* name : {kShopPanel, kShopKindsList, kShopItemList})
        screen.panel(name).visible = false;
    ShowCastleTown(game);
    PlayMusic(game, kTrackCastleTown);
}

// A choice in the item list serves the menu row it was opened from.
void itemChosen(Game& game, int row)
{
    switch (game.screen.panel(kShopPanel).selected) {
    case kBuyRow:
        BuyWare(game, row);
        break;
    case kSellRow:
        SellItem(game, row);
        break;
    case kUncurseRow:
        Uncurse(game, row);
        break;
    case kIdentifyRow:
        Identify(game, row);
        break;
    default:
        break;
    }
}

bool itemListKeys(Game& game, Key key)
{
    if (key != Key::Escape && key != Key::Backspace)
        return false;
    CloseItemList(game);
    SetPrompt(game, BuyingPrompt(game, false));
    return true;
}

std::string leftIn(const std::string& text, int width)
{
    return padLeftAligned(text, width, Overflow::Keep);
}

std::string rightIn(long long n, int width)
{
    return padRightAligned(std::to_string(n), width, Overflow::Keep);
}

} // namespace

Character& Customer(Game& game)
{
    return game.character(CustomerNo(game));
}

int CustomerNo(const Game& game)
{
    const int r = game.state.shopCustomer;
    if (r < 1 || r > kRosterSize || game.character(r).rosterNo <= 0)
        throw GameError("the shop serves roster entry " + std::to_string(r) +
                        ", which is not a character");
    return r;
}

void AddGold(Character& c, int64_t amount)
{
    const int64_t sum = c.gold + amount;
    c.gold = static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                      std::numeric_limits<int32_t>::max()));
}

std::string Greeting(const Game& game)
{
    return "いらっしゃい " + game.character(CustomerNo(game)).name +
           "　さん   今日はどのようなご用件で？";
}

std::string BuyingPrompt(const Game& game, bool fromMenu)
{
    const int32_t gold = game.character(CustomerNo(game)).gold;
    const std::string shown = fromMenu ? toFullWidth(formatHash(gold)) : fullWidthDigits(gold);
    return "何をお買い上げですか？\r所持金 " + shown + "\rＥｎｔｅｒで購入  Ｅｓｃ or ＢＳで抜ける";
}

std::string WareRow(const Game& game, int customer, int itemNo)
{
    const ItemDef& item = game.item(itemNo);
    const bool usable = CanEquip(game, customer, itemNo) == 0;
    return toFullWidth(leftIn(item.name, 20) + "   " + rightIn(item.price, 8) +
                       (usable ? "　" : "＃"));
}

std::string SaleRow(const Game& game, int customer, int slot)
{
    return toFullWidth(formatTwoDigits(slot) + " " +
                       leftIn(CarriedItemName(game, customer, slot), 18) + "  " +
                       rightIn(OfferedPrice(game, customer, slot), 8));
}

std::string ServiceRow(const Game& game, int customer, int slot)
{
    return toFullWidth(formatTwoDigits(slot) + " " +
                       leftIn(CarriedItemName(game, customer, slot), 20) + "  " +
                       rightIn(ServiceFee(game, customer, slot), 8));
}

int32_t OfferedPrice(const Game& game, int customer, int slot)
{
    const Character& c = game.character(customer);
    if (c.itemFlags[slot] & ItemFlag::Unidentified)
        return 1;
    return game.item(c.items[slot]).price / 2;
}

int32_t ServiceFee(const Game& game, int customer, int slot)
{
    return game.item(game.character(customer).items[slot]).price / 2;
}

void ShowItemList(Game& game, std::vector<Row> rows)
{
    Screen& screen = game.screen;
    screen.panel(kShopPanel).visible = false;
    screen.panel(kShopKindsList).visible = false;
    screen.panel(kShopItemList).rows = std::move(rows);
    screen.open(kShopItemList, 0);
}

void CloseItemList(Game& game)
{
    Screen& screen = game.screen;
    screen.panel(kShopItemList).visible = false;
    Panel& menu = screen.panel(kShopPanel);
    Panel& kinds = screen.panel(kShopKindsList);
    menu.visible = true;
    kinds.visible = true;
    screen.focus(menu.enabled ? kShopPanel : kShopKindsList);
}

void BackToMenu(Game& game)
{
    Screen& screen = game.screen;
    screen.panel(kShopItemList).visible = false;
    screen.panel(kShopKindsList).visible = true;
    screen.open(kShopPanel, screen.panel(kShopPanel).selected);
    SetPrompt(game, Greeting(game));
}

} // namespace shop

void BuildShopPanels(Game& game)
{
    using namespace shop;
    Panel p;
    p.name = kShopPanel;
    p.list = kShopList;
    p.caption = "トロメア商店";
    p.rect = kMenuRect;
    p.rows = {
        {"B)買 う", 'B', 0, StartBuying},
        {"S)売 る", 'S', 0, StartSelling},
        {"D)呪 い を 解 く", 'D', 0, StartUncursing},
        {"I)識 別 す る", 'I', 0, StartIdentifying},
        {"P)お 金 を 集 め る", 'P', 0, poolGold},
        {"L)店 か ら 出 る", 'L', 0, leaveShop},
    };
    p.backRow = 5;
    game.screen.add(std::move(p));
    game.screen.add(KindsPanel());

    Panel items;
    items.name = kShopItemList;
    items.list = kShopItemList;
    items.rect = kItemListRect;
    items.perform = itemChosen;
    items.keyHook = itemListKeys;
    game.screen.add(std::move(items));

    PartyListUse use;
    use.where = InTown(Facility::Shop);
    use.chosen = memberChosen;
    use.left = leftPartyList;
    AddPartyListUse(game, std::move(use));
}

void OpenShop(Game& game)
{
    if (!RequireParty(game))
        return;
    Screen& screen = game.screen;
    screen.panel(kCastleTownPanel).visible = false;
    for (const char* name : {kShopPanel, kShopKindsList}) {
        Panel& p = screen.panel(name);
        p.visible = true;
        p.enabled = false;
        p.selected = -1;
    }
    game.place = InTown(Facility::Shop);
    OpenPartyList(game);
    PlayMusic(game, kTrackShop);
    SetPrompt(game, shop::kDoorPrompt);
}

} // namespace qvr
