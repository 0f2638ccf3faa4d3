#include <algorithm>

#include "battle/battle_rules.h"
#include "battle/melee.h"
#include "core/game.h"
#include "core/resistances.h"
#include "rules/experience.h"

namespace qvr {

namespace {

// The added effects of a monster's blow, in the order they are tried.
constexpr AddedEffect kMonsterEffects[] = {
    {Res::Fear, Cond::Afraid, "は\n恐怖に犯された"},
    {Res::Sleep, Cond::Asleep, "は\n眠らされた"},
    {Res::Poison, Cond::Poisoned, "は\n毒に犯された"},
    {Res::Paralysis, Cond::Paralysed, "は\n麻痺した"},
    {Res::Stoning, Cond::Stoned, "は\n石化した"},
    {Res::Blinding, Cond::Blind, "は\n目が見えなくなった"},
    {Res::Silence, Cond::Silenced, "は\n沈黙した"},
    {Res::Confusion, Cond::Confused, "は\n混乱した"},
    {Res::Freezing, Cond::Frozen, "は\n凍りついた"},
    {Res::Shock, Cond::Shocked, "は\n感電した"},
    {Res::Charm, Cond::Charmed, "は\n魅了された"},
};

// A monster's blow: no sneaking, and a roll under 3 means it held back.
constexpr StrikeRules kMonsterStrikes{.stumbleText = "は　攻撃してこなかった"};
constexpr StrikeRules kConfusedMonsterStrikes{};
constexpr int32_t kDefendBonus = 20;

Blow RollMonsterBlow(Game& game, const MonsterSlot& m)
{
    Blow blow;
    blow.swings = Roll(game, m.attacks);
    int64_t sum = 0;
    for (int i = 0; i < blow.swings; ++i)
        sum += RollDice(game, m.damageDice[0], m.damageDice[1], m.damageDice[2]);
    blow.damage = SaturatingAdd(0, sum);
    return blow;
}

int PickMeleeTarget(Game& game, const MonsterSlot& m)
{
    const int size = PartySize(game);
    const int sides = m.reach ? size : std::min(3, size);
    for (int tries = 0; tries < 51; ++tries) {
        const int pos = Roll(game, sides);
        if (pos < 1 || pos > size)
            continue;
        const Character& c = MemberAt(game, pos);
        if ((c.wardBits & m.kind) || (c.conditions & kNotTargetable))
            continue;
        return pos;
    }
    return 0;
}

// Level drain, beheading and ashes: the blows that reach past hit points.
// The battle's wards keep the first two off.
void DeadlyEffects(Game& game, BattleState& state, const MonsterSlot& m, Character& c, Combatant& v,
                   int32_t swings)
{
    if (!(c.conditions & kDrainWard) && m.chance[Res::LevelDrain] > 1) {
        const bool drains = Roll(game, 100) < m.chance[Res::LevelDrain];
        const bool unresisted = Roll(game, 100) > c.res[Res::LevelDrain];
        if (drains && unresisted && swings < c.level) {
            DrainLevels(game.rng, c, swings);
            Say(state, {c.name, "は\nレベルを", Digits(swings), "下げられた！"});
        }
    }
    constexpr AddedEffect kBeheading[] = {{Res::Critical, Cond::Dead, "は\nくびをはねられた！"}};
    constexpr AddedEffect kAshes[] = {
        {Res::Ashes, Cond::Dead | Cond::Ashes, "は\n灰燼と化した！！"}};
    if (!(c.conditions & kBeheadingWard))
        TryAddedEffects(game, state, kBeheading, m.chance, v);
    TryAddedEffects(game, state, kAshes, m.chance, v);
}

} // namespace

void MonsterMelee(Game& game, BattleState& state)
{
    const int g = state.actingGroup;
    const int s = state.actingMonster;
    MonsterSlot& m = state.monsters[g][s];
    const int pos = PickMeleeTarget(game, m);
    if (pos == 0)
        return;
    Character& c = MemberAt(game, pos);
    Combatant a = MonsterSide(state, g, s);
    Combatant v = MemberSide(game, RosterAt(game, pos));
    std::string frame = AttackFrame(*a.name);
    StrikeRules rules = kMonsterStrikes;
    if (state.orders[pos].code == Order::Defend)
        rules.defendBonus = kDefendBonus;
    Blow blow;
    if (Strike(game, state, a, v, frame, rules, blow, [&] { return RollMonsterBlow(game, m); }) ==
        0)
        return;
    if (c.hp < 1)
        c.conditions |= Cond::Dead;
    TryAddedEffects(game, state, kMonsterEffects, m.chance, v);
    DeadlyEffects(game, state, m, c, v, blow.swings);
    if (v.has(Cond::Dead) || c.hp < 1)
        Say(state, Kill(game, state, v, true));
}

void ConfusedMonsterMelee(Game& game, BattleState& state)
{
    if (state.listedGroups.empty())
        return;
    const int line = Roll(game, static_cast<int32_t>(state.listedGroups.size()));
    const int g = state.listedGroups[static_cast<std::size_t>(line - 1)];
    int t = 0;
    for (int s = 1; s <= kGroupSlots && t == 0; ++s)
        if (IsLiving(state.monsters[g][s]))
            t = s;
    if (t == 0)
        return;
    MonsterSlot& m = state.monsters[state.actingGroup][state.actingMonster];
    Combatant a = MonsterSide(state, state.actingGroup, state.actingMonster);
    Combatant v = MonsterSide(state, g, t);
    std::string frame = AttackFrame(*a.name);
    Blow blow;
    if (Strike(game, state, a, v, frame, kConfusedMonsterStrikes, blow,
               [&] { return RollMonsterBlow(game, m); }) == 0)
        return;
    TryAddedEffects(game, state, kMonsterEffects, m.chance, v);
    if (*v.hp <= 0)
        Say(state, Kill(game, state, v, true));
}

} // namespace qvr
