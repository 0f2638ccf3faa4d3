#include <cmath>

#include "core/dice.h"
#include "core/game.h"
#include "core/item_numbers.h"
#include "core/messages.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/shared_screens.h"
#include "core/textformat.h"
#include "maze/npc.h"
#include "maze/npc_table.h"
#include "maze/party_items.h"
#include "rules/character_rules.h"
#include "rules/party_panel.h"

namespace qvr {

namespace {

// Both panels stand at 60 % of the window's width and 25 % of its height.
constexpr Rect kNpcRect{0.6 * kLogicalSize, 0.25 * kLogicalSize, 80, 62};
constexpr Rect kNpcBuyRect{0.6 * kLogicalSize, 0.25 * kLogicalSize, 86, 62};
constexpr int kWareRows = 5;
constexpr int kWareNameWidth = 15;

const NpcDef& npcDef(const Game& game)
{
    return NpcsOf(game).npcs[static_cast<std::size_t>(game.state.currentNpc)];
}

void buildPanels(Game& game)
{
    if (game.screen.find(kNpcPanel))
        return;
    Panel p;
    p.name = kNpcPanel;
    p.list = kNpcList;
    p.rect = kNpcRect;
    p.rows = {
        {"T)話　す", 'T', 0, TalkToNpc},        {"G)渡　す", 'G', 0, GiveToNpc},
        {"B)買　う", 'B', 0, OpenNpcWares},     {"S)売　る", 'S', 0, SellToNpc},
        {"L)立　ち　去　る", 'L', 0, LeaveNpc},
    };
    p.backRow = 4;
    game.screen.add(std::move(p));

    Panel buy;
    buy.name = kNpcBuyPanel;
    buy.list = kNpcBuyList;
    buy.caption = "何を買いますか？（ＥＳＣ　ＯｒＢＳで抜ける）";
    buy.rect = kNpcBuyRect;
    buy.perform = BuyNpcWare;
    // Escape and Backspace go back to the character's menu.
    buy.keyHook = [](Game& g, Key key) {
        if (key != Key::Escape && key != Key::Backspace)
            return false;
        g.screen.panel(kNpcBuyPanel).visible = false;
        OpenToldPanel(g, kNpcPanel, 2);
        return true;
    };
    game.screen.add(std::move(buy));
}

// Each row draws one of the character's ten wares; the same ware may come
// twice.
void drawWares(Game& game, int npc)
{
    const NpcShopDef& shop = game.content().npcShops[npc];
    Panel& buy = game.screen.panel(kNpcBuyPanel);
    buy.rows.clear();
    for (int row = 1; row <= kWareRows; ++row) {
        const int item = shop.wares[Dice(game.rng, 1, 10, 0)];
        const std::string text = std::to_string(row) + " " +
                                 padLeftAligned(game.item(item).unknownName, kWareNameWidth) + " ";
        buy.rows.push_back({toFullWidth(text), 0, item, {}});
    }
}

void setMonsterFrame(Game& game, const std::string* name)
{
    Panel* monsters = game.screen.find(kMonsterPanel);
    if (!monsters)
        return;
    monsters->rows.clear();
    if (name)
        monsters->rows.push_back({*name, 0, 0, {}});
    monsters->visible = name != nullptr;
    monsters->enabled = name == nullptr;
}

// Whom a give or a sale takes from: a member, then one of its items. A
// cursed or equipped item is refused; 0 when nothing was chosen.
struct Chosen {
    int rosterNo = 0;
    int slot = 0;
};

Chosen chooseItem(Game& game)
{
    const int rosterNo = PickMember(game, true);
    if (rosterNo <= 0)
        return {};
    const int slot = PickItem(game, rosterNo);
    if (slot <= 0)
        return {};
    const int16_t flags = game.character(rosterNo).itemFlags[slot];
    if (flags & ItemFlag::Cursed) {
        ShowMessage(game, "", "呪われている！");
        return {};
    }
    if (flags & ItemFlag::SlotMask) {
        ShowMessage(game, "", "装備している");
        return {};
    }
    return {rosterNo, slot};
}

} // namespace

void MeetNpc(Game& game, int npc)
{
    if (npc < 1 || npc > kNpcCount)
        return;
    GameState& st = game.state;
    st.currentNpc = static_cast<int16_t>(npc);
    buildPanels(game);
    const NpcDef& def = npcDef(game);
    ShowMessage(game, "", std::string(MessageText(game, def.greeting)));
    const std::string name(MessageText(game, def.name));
    Panel& p = game.screen.panel(kNpcPanel);
    p.caption = name;
    setMonsterFrame(game, &name);
    game.screen.panel(kPartyPanel).visible = game.screen.message.visible;
    drawWares(game, npc);
    OpenToldPanel(game, kNpcPanel, 0);
}

void CloseNpcPanels(Game& game)
{
    for (const char* name : {kNpcPanel, kNpcBuyPanel})
        if (Panel* p = game.screen.find(name))
            p->visible = false;
    const std::string& owner = game.screen.keyboardOwner;
    if (owner == kNpcPanel || owner == kNpcBuyPanel)
        game.screen.keyboardOwner.clear();
    setMonsterFrame(game, nullptr);
    game.screen.panel(kPartyPanel).visible = game.screen.message.visible;
}

void LeaveNpc(Game& game)
{
    ShowMessage(game, "", "立ち去った・・・");
    CloseNpcPanels(game);
}

void OpenNpcWares(Game& game)
{
    if (!FirstFreeSlot(game)) {
        ShowMessage(game, "", "アイテムがいっぱいですよ");
        return;
    }
    game.screen.panel(kNpcPanel).visible = false;
    OpenToldPanel(game, kNpcBuyPanel, 0);
}

void BuyNpcWare(Game& game, int row)
{
    const Panel& buy = game.screen.panel(kNpcBuyPanel);
    if (row < 0 || row >= static_cast<int>(buy.rows.size()))
        return;
    const int item = buy.rows[static_cast<std::size_t>(row)].value;
    const int32_t price = game.item(item).price;
    GameState& st = game.state;
    int payer = 0;
    for (int i = 1; i <= st.partyCount && payer == 0; ++i)
        if (game.character(st.partyMember[i]).gold >= price)
            payer = st.partyMember[i];
    if (payer == 0) {
        ShowMessage(game, "", "お金が足りませんよ");
        return;
    }
    const PackSlot slot = FirstFreeSlot(game);
    if (!slot) {
        ShowMessage(game, "", "アイテムがいっぱいですよ");
        return;
    }
    game.character(payer).gold -= price;
    Character& c = game.character(slot.rosterNo);
    c.items[slot.slot] = static_cast<int16_t>(item);
    c.itemFlags[slot.slot] = CanEquip(game, slot.rosterNo, item);
    const NpcDef& def = npcDef(game);
    if (def.specialWare != 0 && def.specialWare == item)
        for (int n = def.wareLines.first; n <= def.wareLines.last; ++n)
            ShowMessage(game, "", std::string(MessageText(game, n)));
    else
        ShowMessage(game, "", "ありがとう");
}

int32_t SalePrice(int32_t price, float factor)
{
    // The product is taken in single precision, as the trader reckons it,
    // and rounded to the nearest gold with halves going to the even one.
    const float product = static_cast<float>(price) * factor;
    return static_cast<int32_t>(std::nearbyint(product));
}

void SellToNpc(Game& game)
{
    const Chosen chosen = chooseItem(game);
    if (chosen.rosterNo == 0)
        return;
    Character& c = game.character(chosen.rosterNo);
    const int item = c.items[chosen.slot];
    if (game.item(item).kind == ItemKind::Event) {
        ShowMessage(game, "", "興味を示さない");
        return;
    }
    const bool unidentified = c.itemFlags[chosen.slot] & ItemFlag::Unidentified;
    c.items[chosen.slot] = 0;
    c.itemFlags[chosen.slot] = 0;
    CompactItems(game, chosen.rosterNo);
    const float factor = game.content().npcShops[game.state.currentNpc].buyFactor;
    const int32_t gain = unidentified ? 1 : SalePrice(game.item(item).price, factor);
    c.gold = static_cast<int32_t>(std::min<int64_t>(int64_t{c.gold} + gain, INT32_MAX));
    ShowMessage(game, "", "アイテムを売った");
}

} // namespace qvr
