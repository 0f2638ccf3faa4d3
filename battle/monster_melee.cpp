#include <algorithm>

#include "battle/battle_rules.h"
#include "battle/melee.h"
#include "core/game.h"
#include "rules/experience.h"

namespace qvr {

namespace {

struct MonsterEffect {
    int index;
    int32_t condition;
    const char* text;
};

// The added effects of a monster's blow, in the order they are tried.
constexpr MonsterEffect kMonsterEffects[] = {
    {17, Cond::Afraid, "は\n恐怖に犯された"}, {15, Cond::Asleep, "は\n眠らされた"},
    {22, Cond::Poisoned, "は\n毒に犯された"}, {16, Cond::Paralysed, "は\n麻痺した"},
    {29, Cond::Stoned, "は\n石化した"},       {24, Cond::Blind, "は\n目が見えなくなった"},
    {23, Cond::Silenced, "は\n沈黙した"},     {18, Cond::Confused, "は\n混乱した"},
    {19, Cond::Frozen, "は\n凍りついた"},     {20, Cond::Shocked, "は\n感電した"},
    {21, Cond::Charmed, "は\n魅了された"},
};

struct MonsterBlow {
    int32_t swings = 0;
    int32_t damage = 0;
};

MonsterBlow RollMonsterBlow(Game& game, const MonsterSlot& m)
{
    MonsterBlow blow;
    blow.swings = Roll(game, m.attacks);
    int64_t sum = 0;
    for (int i = 0; i < blow.swings; ++i)
        sum += RollDice(game, m.damageDice[0], m.damageDice[1], m.damageDice[2]);
    blow.damage = SaturatingAdd(0, sum);
    return blow;
}

enum class Swing { Hit, Miss, Stumble };

Swing JudgeMonsterSwing(Game& game, const MonsterSlot& m, int32_t need, bool targetHidden)
{
    const int32_t roll = Roll(game, 100) + 1;
    if ((m.conditions & Cond::Blind) && Roll(game, 2) == 1)
        return Swing::Miss;
    if (targetHidden)
        return Swing::Miss;
    if (roll == 100)
        return Swing::Hit;
    if (roll < 3)
        return Swing::Stumble;
    return roll < need ? Swing::Miss : Swing::Hit;
}

// Damage turned back on the monster that struck: no reward for such a death.
void ReflectOnMonster(BattleState& state, MonsterSlot& m, const std::string& name,
                      const std::string& frame, const std::string& target, const MonsterBlow& blow)
{
    Say(state, frame + target + "は攻撃を反射した！！\r" + name + "は" + Digits(blow.swings) +
                   "あたり" + Digits(blow.damage) + "のダメージ");
    m.hp = SaturatingAdd(m.hp, -static_cast<int64_t>(blow.damage));
    if (m.hp < 0) {
        Say(state, Cat({name, kDeathText}));
        m.hp = 0;
        m.conditions |= Cond::Dead;
    }
}

void Absorb(BattleState& state, const std::string& frame, const std::string& target, int32_t& hp,
            int32_t maxHp, int32_t damage)
{
    Say(state, frame + target + "は攻撃を吸収した！\r" + target + "は\n" + Digits(damage) +
                   "ポイント回復した");
    hp = std::min(maxHp, SaturatingAdd(hp, damage));
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

} // namespace

void MonsterMelee(Game& game, BattleState& state)
{
    MonsterSlot& m = state.monsters[state.actingGroup][state.actingMonster];
    const int pos = PickMeleeTarget(game, m);
    if (pos == 0)
        return;
    Character& c = MemberAt(game, pos);
    const std::string& name = MonsterName(state, state.actingGroup, state.actingMonster);
    const std::string frame = AttackFrame(name);
    if (Roll(game, 100) < c.res[1]) {
        Say(state, Cat({frame, c.name, "は攻撃を無効化した！"}));
        return;
    }
    MonsterBlow blow = RollMonsterBlow(game, m);
    if (c.res[1] < 0) {
        ReflectOnMonster(state, m, name, frame, c.name, blow);
        return;
    }
    if (c.res[1] > 100) {
        Absorb(state, frame, c.name, c.hp, c.maxHp, blow.damage);
        return;
    }
    if (c.conditions & Cond::Asleep)
        blow.damage = SaturatingAdd(blow.damage, blow.damage);
    int32_t need = 50 - m.rank - StrengthBonus(m.strength) - c.ac;
    if (state.orders[pos].code == Order::Defend)
        need -= 20;
    const Swing swing = JudgeMonsterSwing(game, m, need, false);
    if (swing == Swing::Stumble) {
        Say(state, Cat({frame, name, "は　攻撃してこなかった"}));
        return;
    }
    if (swing == Swing::Miss) {
        Say(state, Cat({frame, c.name, kMissText}));
        return;
    }
    Say(state, HitText(frame, c.name, blow.swings, blow.damage));
    c.hp = SaturatingAdd(c.hp, -static_cast<int64_t>(blow.damage));
    c.conditions &= ~(Cond::Asleep | Cond::Confused);
    if (c.hp < 1)
        c.conditions |= Cond::Dead;

    for (const MonsterEffect& e : kMonsterEffects)
        if (m.chance[e.index] > 1 && EffectLands(game, c.res[e.index], m.chance[e.index])) {
            Say(state, Cat({c.name, e.text}));
            c.conditions |= e.condition;
        }
    if (!(c.conditions & Cond::BattleMarkB) && m.chance[30] > 1) {
        const bool drains = Roll(game, 100) < m.chance[30];
        const bool unresisted = Roll(game, 100) > c.res[30];
        if (drains && unresisted && blow.swings < c.level) {
            DrainLevels(game.rng, c, blow.swings);
            Say(state, Cat({c.name, "は\nレベルを", Digits(blow.swings), "下げられた！"}));
        }
    }
    if (!(c.conditions & Cond::BattleMarkA) && m.chance[31] > 1 &&
        EffectLands(game, c.res[31], m.chance[31])) {
        Say(state, Cat({c.name, "は\nくびをはねられた！"}));
        c.conditions |= Cond::Dead;
    }
    if (m.chance[32] > 1 && EffectLands(game, c.res[32], m.chance[32])) {
        Say(state, Cat({c.name, "は\n灰燼と化した！！"}));
        c.conditions |= Cond::Dead | Cond::Ashes;
    }
    if ((c.conditions & Cond::Dead) || c.hp < 1) {
        c.hp = 0;
        c.conditions |= Cond::Dead;
        Say(state, Cat({c.name, kDeathText}));
    }
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
    MonsterSlot& v = state.monsters[g][t];
    const std::string& name = MonsterName(state, state.actingGroup, state.actingMonster);
    const std::string& target = MonsterName(state, g, t);
    const std::string frame = AttackFrame(name);
    const int32_t res1 = v.res[1];
    if (Roll(game, 100) < res1 && res1 <= 100) {
        Say(state, Cat({frame, target, "は攻撃を無効化した！"}));
        return;
    }
    MonsterBlow blow = RollMonsterBlow(game, m);
    if (res1 < 0) {
        ReflectOnMonster(state, m, name, frame, target, blow);
        return;
    }
    if (res1 > 100) {
        Absorb(state, frame, target, v.hp, v.maxHp, blow.damage);
        return;
    }
    if (v.conditions & Cond::Asleep)
        blow.damage = SaturatingAdd(blow.damage, blow.damage);
    const int32_t need = 50 - m.rank - StrengthBonus(m.strength) - v.ac;
    const Swing swing = JudgeMonsterSwing(game, m, need, (v.conditions & Cond::Hidden) != 0);
    if (swing == Swing::Stumble) {
        Say(state, Cat({frame, name, "は　ころんだ・・・"}));
        return;
    }
    if (swing == Swing::Miss) {
        Say(state, Cat({frame, target, kMissText}));
        return;
    }
    Say(state, HitText(frame, target, blow.swings, blow.damage));
    v.hp = SaturatingAdd(v.hp, -static_cast<int64_t>(blow.damage));
    v.conditions &= ~(Cond::Asleep | Cond::Confused);
    for (const MonsterEffect& e : kMonsterEffects)
        if (m.chance[e.index] > 1 && EffectLands(game, v.res[e.index], m.chance[e.index])) {
            Say(state, Cat({target, e.text}));
            v.conditions |= e.condition;
        }
    if (v.hp <= 0)
        Say(state, MonsterKilled(game, state, g, t, 0));
}

} // namespace qvr
