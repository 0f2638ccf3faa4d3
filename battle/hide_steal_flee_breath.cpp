// The party's hiding, stealing, dispelling and dragon's breath, and the
// monsters' flight, calls for help and breath.

#include <algorithm>
#include <cmath>

#include "battle/battle_actions.h"
#include "battle/battle_rules.h"
#include "battle/combatant.h"
#include "battle/spell_rules.h"
#include "core/game.h"
#include "core/messages.h"
#include "core/monster_actions.h"
#include "core/resistances.h"
#include "rules/character_rules.h"

namespace qvr {

namespace {

// The breath announcement of a kind, as the monsters' codes 27..30 name it.
std::string_view BreathText(const Game& game, int kind)
{
    for (int code = 27; code <= 30; ++code)
        if (BreathKind(code) == kind)
            return MessageText(game, BreathMessage(code));
    return MessageText(game, BreathMessage(27));
}

int32_t RoundHalfEven(double x)
{
    return static_cast<int32_t>(std::nearbyint(x));
}

// An amount less 20 % a level of the breath shield of the side that takes it.
int32_t BreathShielded(int32_t amount, int32_t level)
{
    return RoundHalfEven(amount * (1.0 - 0.2 * std::clamp(level, 0, kMaxShieldLevel)));
}

} // namespace

void BattleActions::hide(Game& game, BattleState& state, int pos)
{
    Character& c = MemberAt(game, pos);
    const int32_t bonus = c.classCode == Class::Ninja ? 15 : 5;
    const int32_t chance = Roll(game, std::max(1, c.level + c.agility + c.luck)) + bonus;
    if (Roll(game, 100) < chance) {
        c.conditions |= Cond::Hidden;
        Say(state, Cat({c.name, "は影に隠れた"}));
    } else {
        Say(state, Cat({c.name, "は隠れることが出来なかった"}));
    }
}

void BattleActions::steal(Game& game, BattleState& state, int pos)
{
    const int g = state.orders[pos].target;
    std::vector<Combatant> targets;
    if (g >= 1 && g <= kGroupCount)
        for (int s = 1; s <= kGroupSlots && targets.empty(); ++s)
            if (IsLiving(state.monsters[g][s]))
                targets.push_back(MonsterSide(state, g, s));
    if (targets.empty())
        return;
    const int rosterNo = RosterAt(game, pos);
    Character& c = game.character(rosterNo);
    const MonsterSlot& m = state.monsters[g][targets.front().slot];
    std::string text = Cat({c.name, "は\n", *targets.front().name, "のふところを探った\r"});
    const int slot = FirstEmptySlot(c);
    const bool quick = slot != 0 && Roll(game, std::max<int32_t>(1, c.agility)) > 10;
    const int item = quick ? (Roll(game, 30) == 2 ? m.stealItems[1] : m.stealItems[0]) : 0;
    if (item > 0 && item <= kItemCount) {
        c.items[slot] = static_cast<int16_t>(item);
        c.itemFlags[slot] = CanEquip(game, rosterNo, item);
        int32_t& tally = game.save().itemTally[item];
        tally = SaturatingAdd(tally, 1);
        text += "そしてアイテムを盗んだ！";
    } else {
        text += "しかし何も持っていなかった";
    }
    c.conditions &= ~Cond::Hidden;
    Say(state, text);
}

void BattleActions::dispel(Game& game, BattleState& state, int pos, int group)
{
    Character& c = MemberAt(game, pos);
    if (group < 1 || group > kGroupCount || state.groupMonster[group] == 0)
        return;
    const MonsterSlot& tmpl = state.monsters[group][0];
    if (tmpl.kind != 1024 || tmpl.rank > c.level) {
        Say(state, Cat({c.name, "は呪いを解けなかった"}));
        return;
    }
    int removed = 0;
    for (int s = 1; s <= kGroupSlots; ++s) {
        MonsterSlot& m = state.monsters[group][s];
        if (IsLiving(m) && Roll(game, std::max<int32_t>(1, c.piety)) + 1 > 6) {
            m.conditions = kEmptySlot; // gone, and nothing gained by it
            ++removed;
        }
    }
    Say(state, Cat({c.name, "は\n", Digits(removed), "体のモンスターをディスペルした"}));
}

// A dragon's fire: min(level, 10) breaths a battle, each weaker than the
// last (the n-th does 1/n), at the first monster of the group or, from level
// 10, at every one of it.
void BattleActions::breathe(Game& game, BattleState& state, int pos)
{
    const int rosterNo = RosterAt(game, pos);
    Character& c = game.character(rosterNo);
    const int g = state.orders[pos].target;
    int16_t& used = state.breaths[rosterNo];
    if (c.race != Race::Dragon || used >= std::min(c.level, 10))
        return;
    ++used;
    const int32_t base = std::min(c.hp / 2, 150);
    const int32_t rolled = SaturatingAdd(Roll(game, base), c.vitality) / used;
    const int32_t amount = BreathShielded(rolled, state.monsterShield.breath);
    Say(state, Cat({c.name, BreathText(game, Res::Fire)}));
    if (g < 1 || g > kGroupCount || state.groupMonster[g] == 0)
        return;
    Combatant breather = MemberSide(game, rosterNo);
    for (int s = 1; s <= kGroupSlots; ++s) {
        if (!IsLiving(state.monsters[g][s]))
            continue;
        Combatant m = MonsterSide(state, g, s);
        const int32_t general = m.resist(Res::Breath);
        const int32_t fire = m.resist(Res::Fire);
        if (general > 100 || fire > 100) {
            Say(state, Cat({*m.name, "は\nブレスを吸収した"}));
            Mend(m, amount);
        } else if (general < 0 || fire < 0) {
            Say(state, Cat({*m.name, "は\nブレスを反射した\r", c.name, "は\n", Digits(amount),
                            "のダメージをうけた"}));
            Wound(breather, amount);
            if (*breather.hp < 1)
                Say(state, Kill(game, state, breather, false));
        } else if (Roll(game, 100) < general || Roll(game, std::max(1, m.luck)) > 16 ||
                   Roll(game, 100) < fire) {
            Say(state, Cat({*m.name, "は\nダメージをうけなかった"}));
        } else {
            const int32_t taken = Roll(game, std::max(1, m.luck)) > 10 ? amount / 2 : amount;
            Say(state, Cat({*m.name, "は\n", Digits(taken), "のダメージをうけた"}));
            Wound(m, taken);
            if (*m.hp < 1)
                Say(state, Kill(game, state, m, true, rosterNo));
        }
        if (c.level < 10 || (c.conditions & Cond::Dead))
            break;
    }
}

void BattleActions::monsterFlee(Game&, BattleState& state)
{
    MonsterSlot& m = state.monsters[state.actingGroup][state.actingMonster];
    Say(state,
        Cat({MonsterName(state, state.actingGroup, state.actingMonster), "は\n逃げた・・・"}));
    m.conditions = kEmptySlot;
}

void BattleActions::callForHelp(Game& game, BattleState& state)
{
    const int g = state.actingGroup;
    std::string text = Cat({MonsterName(state, g, state.actingMonster), "は\n助けを呼んだ"});
    int free = 0;
    for (int s = 1; s <= kGroupSlots && free == 0; ++s)
        if (!IsLiving(state.monsters[g][s]) && state.monsters[g][s].conditions == kEmptySlot)
            free = s;
    if (Roll(game, 2) == 2 && free != 0) {
        MonsterSlot fresh = state.monsters[g][0];
        fresh.name = state.monsters[g][0].name;
        fresh.conditions = 0;
        fresh.initiative = 0;
        fresh.hp = fresh.maxHp;
        state.monsters[g][free] = fresh;
        text += "\r仲間が１体あらわれた";
    } else {
        text += "\rしかし助けは来なかった・・・";
    }
    Say(state, text);
}

void BattleActions::monsterBreath(Game& game, BattleState& state, int kind)
{
    const int g = state.actingGroup;
    const int s = state.actingMonster;
    Combatant monster = MonsterSide(state, g, s);
    for (int p = 1; p <= PartySize(game); ++p) {
        if (MemberAt(game, p).conditions & Cond::BeyondCare)
            continue;
        Combatant c = MemberSide(game, RosterAt(game, p));
        Character& member = game.character(c.rosterNo);
        Say(state, Cat({*monster.name, BreathText(game, kind)}));
        const int32_t general = c.resist(Res::Breath);
        const int32_t own = c.resist(kind);
        if (general > 100 || own > 100) {
            const int32_t amount = *monster.hp / 2;
            Say(state, Cat({*c.name, "は\nブレスを吸収した"}));
            Mend(c, amount);
            continue;
        }
        if (Roll(game, 100) < general || Roll(game, std::max(1, c.luck)) > 16 ||
            Roll(game, 100) < own) {
            Say(state, Cat({*c.name, "は\nダメージをうけなかった"}));
            continue;
        }
        int32_t amount = BreathShielded(*monster.hp / 2, state.partyShield.breath);
        if ((member.classCode == Class::Ninja || member.classCode == Class::Thief) &&
            Roll(game, std::max<int32_t>(1, member.agility)) > 10)
            amount /= 2;
        if (Roll(game, std::max(1, c.luck)) >= 11)
            amount /= 2;
        Say(state, Cat({*c.name, "は\n", Digits(amount), "のダメージをうけた"}));
        Wound(c, amount);
        if (*c.hp < 1) {
            Say(state, Kill(game, state, c, true));
            continue;
        }
        struct Side {
            int kind;
            int index;
            int32_t condition;
            const char* text;
        };
        static constexpr Side kSides[] = {
            {Res::Cold, Res::Freezing, Cond::Frozen, "は\n凍りついた"},
            {Res::Lightning, Res::Shock, Cond::Shocked, "は\n感電した"},
            {Res::Acid, Res::Poison, Cond::Poisoned, "は\n毒に犯された"},
        };
        for (const Side& side : kSides)
            if (side.kind == kind && Roll(game, 100) > c.resist(side.index) &&
                Roll(game, std::max(1, c.luck)) <= 9) {
                *c.conditions |= side.condition;
                Say(state, Cat({*c.name, side.text}));
            }
    }
}

} // namespace qvr
