// The special moves that change the party itself: a member thrown out into
// the maze or sent home mid-battle leaves the marching order with the orders
// behind it closing up, and gear broken or stolen is taken off the member's
// sheet as if it had been unequipped, so armour and resistances stay true.

#include <algorithm>

#include "battle/battle_rules.h"
#include "battle/monster_moves.h"
#include "core/item_numbers.h"
#include "core/messages.h"
#include "core/monster_actions.h"
#include "rules/character_rules.h"
#include "rules/equipment.h"
#include "rules/party_rules.h"

namespace qvr {

namespace {

// What a battle leaves on a member that no longer fights in it.
constexpr int32_t kBattleOnly = Cond::Asleep | Cond::Silenced | Cond::Afraid | Cond::Confused |
                                Cond::Hidden | Cond::Frozen | Cond::Shocked | kBeheadingWard |
                                kDrainWard;

const std::string& ActorName(const BattleState& state)
{
    return MonsterName(state, state.actingGroup, state.actingMonster);
}

// The member leaves the marching order mid-round: those behind move up one
// place and take their orders with them, so each still does what it was told.
void LeaveMarchingOrder(Game& game, BattleState& state, int rosterNo)
{
    const int pos = PositionOf(game, rosterNo);
    if (pos == 0)
        return;
    GameState& st = game.state;
    const int size = PartySize(game);
    for (int p = pos; p < size; ++p) {
        st.partyMember[p] = st.partyMember[p + 1];
        state.orders[p] = state.orders[p + 1];
        game.character(st.partyMember[p]).position = static_cast<int16_t>(p);
    }
    st.partyMember[size] = 0;
    state.orders[size] = MemberOrder{};
    st.partyCount = static_cast<int16_t>(size - 1);
    Character& c = game.character(rosterNo);
    c.conditions &= ~kBattleOnly;
    c.ac = c.baseAc;
    c.position = 0;
}

// The item of `slot` is gone. What wearing it gave goes with it; what the
// battle did to the armour value (spells, the monsters' rot) stays.
void LoseItem(Game& game, int rosterNo, int slot)
{
    Character& c = game.character(rosterNo);
    const bool worn = (c.itemFlags[slot] & ItemFlag::SlotMask) != 0;
    c.items[slot] = 0;
    c.itemFlags[slot] = 0;
    CompactItems(game, rosterNo);
    if (!worn)
        return;
    const int32_t ac = c.ac;
    const int32_t base = c.baseAc;
    ApplyEquipment(game, rosterNo);
    c.ac = ac + (c.baseAc - base);
    bool stillCursed = false;
    for (int s = 1; s <= c.items.hi; ++s)
        stillCursed |= (c.itemFlags[s] & ItemFlag::SlotMask) && (c.itemFlags[s] & ItemFlag::Cursed);
    if (!stillCursed)
        c.conditions &= ~Cond::CurseBound;
}

} // namespace

void ThrowOut(Game& game, BattleState& state, const SpecialMoveInfo& move)
{
    if (PartySize(game) < 2)
        return;
    Say(state, Cat({ActorName(state), MessageText(game, move.message)}));
    const int rosterNo = RosterAt(game, Roll(game, PartySize(game)));
    Character& c = game.character(rosterNo);
    // Left where the party stands, as a group of its own that the party can
    // find there or resume from the edge of town.
    c.groupNo = static_cast<int16_t>(FreeGroupNumber(game));
    c.floor = game.state.floor;
    c.posX = game.state.posX;
    c.posY = game.state.posY;
    LeaveMarchingOrder(game, state, rosterNo);
    Say(state, Cat({c.name, "は\n投げ飛ばされた"}));
}

void SendAway(Game& game, BattleState& state, const SpecialMoveInfo& move)
{
    if (PartySize(game) < 2)
        return;
    Say(state, Cat({ActorName(state), MessageText(game, move.message)}));
    const int rosterNo = PickLivingMember(game);
    if (rosterNo == 0)
        return;
    Character& c = game.character(rosterNo);
    if (Roll(game, 18) < c.luck) {
        Say(state, Cat({c.name, "は\nかわした"}));
        return;
    }
    const int32_t res = c.res[move.index];
    if (res < 0 || res > 100 || Roll(game, 100) <= res) {
        Say(state, Cat({c.name, "は\n抵抗した"}));
        return;
    }
    c.groupNo = c.floor = c.posX = c.posY = 0; // back in town, free
    LeaveMarchingOrder(game, state, rosterNo);
    Say(state, Cat({c.name, "は\r次元の彼方に消え去った"}));
}

void ShatterGear(Game& game, BattleState& state, const SpecialMoveInfo& move)
{
    const int rosterNo = PickFrontMember(game);
    if (rosterNo == 0)
        return;
    const std::string frame = Cat({ActorName(state), "の攻撃！！\r"});
    const int slot = WornSlot(game.character(rosterNo), move.param);
    if (slot == 0) {
        Say(state, frame + "しかし何もおこらなかった");
        return;
    }
    Say(state, Cat({frame, game.character(rosterNo).name, MessageText(game, move.message)}));
    LoseItem(game, rosterNo, slot);
}

void RobAndRun(Game& game, BattleState& state, const SpecialMoveInfo& move)
{
    const int rosterNo = PickLivingMember(game);
    if (rosterNo == 0)
        return;
    Character& c = game.character(rosterNo);
    const int slot = Roll(game, c.items.hi);
    const int item = c.items[slot];
    // An empty slot gives nothing, and the story's own items cannot be lost
    // to a thief: the game could not be finished without them.
    const bool story = item > 0 && item <= kItemCount && game.item(item).kind == ItemKind::Event;
    if (item == 0 || story) {
        Say(state,
            Cat({ActorName(state), "は\n", c.name, "のふところを探った\rしかし何も盗めなかった"}));
        return;
    }
    Say(state, Cat({ActorName(state), "は\n", c.name, MessageText(game, move.message)}));
    LoseItem(game, rosterNo, slot);
    state.monsters[state.actingGroup][state.actingMonster].conditions = kEmptySlot;
}

} // namespace qvr
