#include <algorithm>
#include <cstdint>

#include "battle/battle.h"
#include "battle/battle_actions.h"
#include "battle/battle_rules.h"
#include "battle/melee.h"
#include "battle/victory.h"
#include "core/game.h"
#include "core/monster_actions.h"
#include "rules/equipment.h"

namespace qvr {

namespace {

BattleActions& ActionsOf(BattleState& state)
{
    return state.actions ? *state.actions : DefaultBattleActions();
}

bool PartyOutOfAction(Game& game)
{
    for (int p = 1; p <= PartySize(game); ++p)
        if (!(MemberAt(game, p).conditions & Cond::OutOfAction))
            return false;
    return true;
}

void WipeOut(BattleState& state)
{
    state.end = BattleEnd::WipedOut;
    state.phase = BattlePhase::None;
}

// A martial artist's flurry: up to L/7 swings (1..8), each after the first
// only while standing and quick enough.
int FlurrySwings(const Character& c)
{
    if (c.classCode != Class::MartialArtist)
        return 1;
    return std::clamp(c.level / 7, 1, 8);
}

void MemberFights(Game& game, BattleState& state, int pos)
{
    Character& c = MemberAt(game, pos);
    const bool confused = (c.conditions & (Cond::Confused | Cond::Charmed)) != 0;
    auto swing = [&](int weapon) {
        if (confused)
            ConfusedMemberMelee(game, state, pos, weapon);
        else
            MemberMelee(game, state, pos, weapon);
    };
    const int swings = FlurrySwings(c);
    for (int i = 0; i < swings; ++i) {
        if (i > 0 && ((c.conditions & Cond::Dead) || Roll(game, c.agility) <= 10))
            break;
        swing(kMainHand);
    }
    if (c.conditions & Cond::Dead)
        return;
    const int second = WornSlot(c, kSecondHand);
    if (second != 0 && game.item(c.items[second]).kind == 1)
        swing(kSecondHand);
}

void MemberActs(Game& game, BattleState& state, int pos)
{
    state.actingSlot = pos;
    MemberOrder& order = state.orders[pos];
    const Character& c = MemberAt(game, pos);
    if (c.conditions & (Cond::Confused | Cond::Charmed))
        order.code = Order::Fight;
    BattleActions& actions = ActionsOf(state);
    switch (order.code) {
    case Order::Fight:
        MemberFights(game, state, pos);
        break;
    case Order::Spell:
    case Order::Item:
        actions.castPartySpell(game, state, pos);
        break;
    case Order::Dispel:
        actions.dispel(game, state, pos, order.target);
        break;
    case Order::Hide:
        actions.hide(game, state, pos);
        break;
    case Order::Breath:
        actions.breathe(game, state, pos);
        break;
    case Order::Steal:
        actions.steal(game, state, pos);
        break;
    default: // defending is no action of its own
        break;
    }
}

void MonsterActs(Game& game, BattleState& state, int g, int s)
{
    state.actingGroup = g;
    state.actingMonster = s;
    if (PartyOutOfAction(game)) {
        WipeOut(state);
        return;
    }
    MonsterSlot& m = state.monsters[g][s];
    if (m.conditions & Cond::CannotAct)
        return;
    const int code = m.actions[Roll(game, 20)];
    BattleActions& actions = ActionsOf(state);
    switch (MonsterActionOf(code)) {
    case MonsterAction::Melee:
        if (m.conditions & (Cond::Confused | Cond::Charmed))
            ConfusedMonsterMelee(game, state);
        else
            MonsterMelee(game, state);
        break;
    case MonsterAction::Spell:
        if (code <= 10)
            actions.castMonsterSpell(game, state, 0, code - 1);
        else
            actions.castMonsterSpell(game, state, 1, code - 10);
        break;
    case MonsterAction::Flee:
        actions.monsterFlee(game, state);
        break;
    case MonsterAction::Call:
        actions.callForHelp(game, state);
        break;
    case MonsterAction::Breath:
        actions.monsterBreath(game, state, BreathKind(code));
        break;
    case MonsterAction::Move:
        actions.specialMove(game, state, code);
        break;
    default: // 0, and codes no monster can do (61): the turn passes
        break;
    }
    if (!state.active())
        return;
    const MonsterSlot& tmpl = state.monsters[g][0];
    if (!(m.conditions & Cond::Dead) && m.hp < tmpl.hp)
        m.hp = SaturatingAdd(m.hp, tmpl.regen);
    if ((m.conditions & Cond::Hidden) && Roll(game, 4) == 1) {
        Say(state, MonsterName(state, g, s) + "は\n\rあらわれた");
        m.conditions &= ~Cond::Hidden;
    }
}

// The next actor of the round: the highest initiative up to `most` held by
// anyone who may act. Among members the first position holding it, among
// monsters the first group and slot; v is 0 when nobody is left.
struct NextActors {
    int v = 0;
    int pos = 0;
    int group = 0;
    int slot = 0;
};

NextActors FindNextActors(Game& game, const BattleState& state, int most)
{
    NextActors next;
    int partyBest = 0;
    for (int p = 1; p <= PartySize(game); ++p) {
        const int32_t v = state.orders[p].initiative;
        if (v > partyBest && v <= most && !(MemberAt(game, p).conditions & Cond::CannotAct)) {
            partyBest = v;
            next.pos = p;
        }
    }
    int monsterBest = 0;
    for (int g = 1; g <= kGroupCount; ++g) {
        if (state.groupMonster[g] == 0)
            continue;
        for (int s = 1; s <= kGroupSlots; ++s) {
            const MonsterSlot& m = state.monsters[g][s];
            if (m.initiative > monsterBest && m.initiative <= most && m.present > 0 &&
                !(m.conditions & Cond::CannotAct)) {
                monsterBest = m.initiative;
                next.group = g;
                next.slot = s;
            }
        }
    }
    next.v = std::max(partyBest, monsterBest);
    if (partyBest != next.v)
        next.pos = 0;
    if (monsterBest != next.v)
        next.group = 0;
    return next;
}

void MemberUpkeep(Game& game, BattleState& state, Character& c, bool& anyoneAble)
{
    if (!(c.conditions & Cond::BeyondCare)) {
        if (c.regen > 0)
            c.hp = std::min(c.maxHp, SaturatingAdd(c.hp, c.regen));
        if (c.conditions & Cond::Poisoned) {
            c.hp -= 1;
            if (c.hp <= 0) {
                Say(state, {c.name, kDeathText});
                c.conditions |= Cond::Dead;
            }
        }
    }
    if (c.conditions & Cond::OutOfAction)
        return;
    anyoneAble = true;
    c.conditions &= ~(Cond::Afraid | Cond::Frozen | Cond::Shocked);
    if (Roll(game, 2) == 1)
        c.conditions &= ~Cond::Asleep;
    if (Roll(game, 2) == 1)
        c.conditions &= ~Cond::Confused;
    if (Roll(game, 4) == 1)
        c.conditions &= ~Cond::Charmed;
}

void EndOfRound(Game& game, BattleState& state)
{
    for (int g = 1; g <= kGroupCount; ++g) {
        int16_t& identified = state.monsters[g][0].identified;
        if (identified == 0 && game.rng.uniform() + 0.5f >= 1.0f)
            identified = -1;
    }
    RebuildMonsterList(game, state);
    bool anyoneAble = false;
    for (int p = 1; p <= PartySize(game); ++p)
        MemberUpkeep(game, state, MemberAt(game, p), anyoneAble);
    if (!anyoneAble) {
        WipeOut(state);
        return;
    }
    if (state.listedGroups.empty()) {
        Victory(game, state);
        return;
    }
    state.phase = BattlePhase::Setup;
    ClearOrders(game, state);
}

} // namespace

void ClearOrders(Game& game, BattleState& state)
{
    for (int p = 0; p <= 6; ++p) {
        state.orders[p] = MemberOrder{};
        if (p >= 1 && p <= PartySize(game))
            state.orders[p].rosterNo = RosterAt(game, p);
    }
    state.promptSlot = 1;
}

void RollPartyInitiative(Game& game, BattleState& state)
{
    for (int p = 1; p <= PartySize(game); ++p) {
        MemberOrder& o = state.orders[p];
        o.initiative = o.code >= 1 ? Roll(game, MemberAt(game, p).agility) : 0;
    }
}

void RollMonsterInitiative(Game& game, BattleState& state)
{
    for (int g = 1; g <= kGroupCount; ++g)
        for (int s = 1; s <= kGroupSlots; ++s) {
            MonsterSlot& m = state.monsters[g][s];
            m.initiative = m.conditions == kEmptySlot ? 0 : Roll(game, m.agility);
        }
}

void FightRound(Game& game, BattleState& state)
{
    state.phase = BattlePhase::Round;
    RollPartyInitiative(game, state);
    if (state.partyFirstStrike)
        state.partyFirstStrike = false;
    else
        RollMonsterInitiative(game, state);
    RunRound(game, state);
}

void RunRound(Game& game, BattleState& state)
{
    int16_t& rounds = game.state.roundCount;
    if (!state.active() || rounds >= kMaxRounds)
        return;
    ++rounds;
    state.phase = BattlePhase::Round;
    // Initiatives are visited from 50 down; after every action the same value
    // is looked at again, since the action may have changed who can act.
    for (int most = 50;;) {
        const NextActors next = FindNextActors(game, state, most);
        if (next.v == 0)
            break;
        most = next.v;
        const bool monsterFirst =
            next.group != 0 && (next.pos == 0 || state.monsters[next.group][next.slot].luck >
                                                     MemberAt(game, next.pos).luck);
        if (monsterFirst) {
            MonsterActs(game, state, next.group, next.slot);
            state.monsters[next.group][next.slot].initiative = 0;
        } else {
            MemberActs(game, state, next.pos);
            state.orders[next.pos].code = Order::None;
            state.orders[next.pos].initiative = 0;
        }
        if (!state.active())
            return;
    }
    EndOfRound(game, state);
}

} // namespace qvr
