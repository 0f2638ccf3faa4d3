#include <string>

#include "core/game.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "maze/movement.h"
#include "maze/npc.h"
#include "maze/npc_table.h"
#include "rules/character_rules.h"
#include "rules/party_panel.h"

namespace qvr {

namespace {

// The member a costly gift takes: the only one, or else the later member of
// the last neighbouring pair (in marching order) whose level rises. A party
// whose levels never rise loses its leader.
int victimOf(const Game& game)
{
    const GameState& st = game.state;
    int victim = st.partyMember[1];
    for (int i = 1; i < st.partyCount; ++i)
        if (game.character(st.partyMember[i + 1]).level > game.character(st.partyMember[i]).level)
            victim = st.partyMember[i + 1];
    return victim;
}

void loseALife(Game& game)
{
    if (game.state.partyCount < 1)
        return;
    Character& c = game.character(victimOf(game));
    c.conditions |= Cond::Dead;
    c.hp = 0;
    ShowMessage(game, "", c.name + "は\n死んだ・・・");
    RefreshPartyPanel(game);
}

const NpcGift* wantedGift(const Game& game, int npc, int item)
{
    for (const NpcGift& g : NpcsOf(game).gifts)
        if (g.npc == npc && g.item == item)
            return &g;
    return nullptr;
}

} // namespace

void GiveToNpc(Game& game)
{
    const int rosterNo = PickMember(game, true);
    if (rosterNo <= 0)
        return;
    const int slot = PickItem(game, rosterNo);
    if (slot <= 0)
        return;
    Character& c = game.character(rosterNo);
    const int16_t flags = c.itemFlags[slot];
    if (flags & ItemFlag::Cursed) {
        ShowMessage(game, "", "呪われている！");
        return;
    }
    if (flags & ItemFlag::SlotMask) {
        ShowMessage(game, "", "装備している");
        return;
    }
    const int npc = game.state.currentNpc;
    const int item = c.items[slot];
    c.items[slot] = 0;
    c.itemFlags[slot] = 0;
    const NpcGift* gift = wantedGift(game, npc, item);
    if (!gift) {
        CompactItems(game, rosterNo);
        const NpcDef& def = NpcsOf(game).npcs[static_cast<std::size_t>(npc)];
        ShowMessage(game, "", "\n" + std::string(def.thanks));
        return;
    }
    if (gift->setFlag != 0)
        game.save().eventFlags[gift->setFlag] = 1;
    for (int n = gift->lines.first; n > 0 && n <= gift->lines.last; ++n)
        ShowMessage(game, "", std::string(MessageText(game, n)));
    if (gift->costsALife)
        loseALife(game);
    if (gift->becomes != 0) {
        c.items[slot] = gift->becomes;
        c.itemFlags[slot] = CanEquip(game, rosterNo, gift->becomes);
        if (!gift->costsALife)
            ShowMessage(game, "", "アイテムを手に入れた");
    } else {
        CompactItems(game, rosterNo);
    }
    if (gift->floor > 0) {
        CloseNpcPanels(game);
        RelocateParty(game, gift->floor, gift->x, gift->y);
    }
}

} // namespace qvr
