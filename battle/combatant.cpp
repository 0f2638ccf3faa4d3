#include "battle/combatant.h"

#include <algorithm>

#include "battle/battle_rules.h"
#include "battle/melee.h"
#include "core/game.h"

namespace qvr {

Combatant MemberSide(Game& game, int rosterNo)
{
    Character& c = game.character(rosterNo);
    Combatant side;
    side.name = &c.name;
    side.hp = &c.hp;
    side.maxHp = c.maxHp;
    side.conditions = &c.conditions;
    side.res = &c.res;
    side.ac = c.ac;
    side.level = c.level;
    side.strength = c.strength;
    side.luck = c.luck;
    side.rosterNo = rosterNo;
    return side;
}

Combatant MonsterSide(BattleState& state, int group, int slot)
{
    MonsterSlot& m = state.monsters[group][slot];
    Combatant side;
    side.name = &MonsterName(state, group, slot);
    side.hp = &m.hp;
    side.maxHp = m.maxHp;
    side.conditions = &m.conditions;
    side.res = &m.res;
    side.ac = m.ac;
    side.level = m.rank;
    side.strength = m.strength;
    side.luck = m.luck;
    side.group = group;
    side.slot = slot;
    return side;
}

void Wound(Combatant& c, int64_t amount)
{
    *c.hp = SaturatingAdd(*c.hp, -amount);
}

void Mend(Combatant& c, int64_t amount)
{
    *c.hp = std::min(c.maxHp, SaturatingAdd(*c.hp, amount));
}

std::string Kill(Game& game, BattleState& state, Combatant& victim, bool rewarded, int killer)
{
    if (victim.isMonster() && rewarded)
        return MonsterKilled(game, state, victim.group, victim.slot, killer);
    *victim.hp = 0;
    *victim.conditions |= Cond::Dead;
    return Cat({*victim.name, kDeathText});
}

bool NullifiesBlow(Game& game, const Combatant& target)
{
    const int32_t res1 = target.resist(1);
    return Roll(game, 100) < res1 && res1 <= 100;
}

void ReflectBlow(Game& game, BattleState& state, Combatant& attacker, std::string_view frame,
                 const Combatant& target, int32_t swings, int32_t damage)
{
    Say(state, {frame, *target.name, "は攻撃を反射した！！\r", *attacker.name, "は", Digits(swings),
                "あたり", Digits(damage), "のダメージ"});
    Wound(attacker, damage);
    if (*attacker.hp < 0)
        Say(state, Kill(game, state, attacker, false));
}

void AbsorbBlow(BattleState& state, Combatant& target, std::string_view frame, int32_t damage)
{
    Say(state, {frame, *target.name, "は攻撃を吸収した！\r", *target.name, "は\n", Digits(damage),
                "ポイント回復した"});
    Mend(target, damage);
}

void TryAddedEffects(Game& game, BattleState& state, std::span<const AddedEffect> effects,
                     const Bounded<int16_t, 15, 33>& chance, Combatant& victim)
{
    for (const AddedEffect& e : effects)
        if (chance[e.index] > 1 && EffectLands(game, victim.resist(e.index), chance[e.index])) {
            Say(state, {*victim.name, e.text});
            *victim.conditions |= e.condition;
        }
}

} // namespace qvr
