#include <algorithm>

#include "battle/battle_rules.h"
#include "battle/melee.h"
#include "core/game.h"
#include "rules/equipment.h"

namespace qvr {

std::string AttackFrame(const std::string& attacker)
{
    return Cat({attacker, "の攻撃！！\r"});
}

std::string SneakFrame(const std::string& attacker)
{
    return Cat({attacker, "の不意打ち！\r"});
}

std::string HitText(std::string_view frame, const std::string& target, int32_t swings,
                    int32_t damage)
{
    return Cat({frame, target, "に　", Digits(swings), "あたり", Digits(damage), "のダメージ"});
}

MemberBlow RollMemberBlow(Game& game, const Character& c, int weapon, bool confusedFists)
{
    MemberBlow blow;
    const int slot = WornSlot(c, weapon);
    int64_t sum = 0;
    if (slot == 0) {
        blow.swings = ClassAttacks(c.classCode, c.level);
        int32_t sides = 4;
        if (c.classCode == Class::Ninja)
            sides = 8;
        else if (c.classCode == Class::MartialArtist)
            sides = c.level + (confusedFists ? 4 : 3);
        const int32_t bonus = StrengthBonus(c.strength);
        for (int i = 0; i < blow.swings; ++i)
            sum += RollDice(game, 1, sides, bonus);
    } else {
        const ItemDef& item = game.item(c.items[slot]);
        blow.weapon = &item;
        blow.strengthMod = item.hitBonus;
        blow.swings =
            std::max<int32_t>(Roll(game, ClassAttacks(c.classCode, c.level)), item.attacks);
        const int32_t bonus = StrengthBonus(c.strength + item.hitBonus);
        const Dice3& d = item.damageDice;
        for (int i = 0; i < blow.swings; ++i)
            sum += RollDice(game, d[0], d[1], d[2] + bonus);
    }
    blow.damage = SaturatingAdd(0, sum);
    return blow;
}

namespace {

struct WeaponEffect {
    int index;
    int32_t condition;
    const char* text;
};

// The order a weapon's added effects are tried in, with what the monster
// and what a struck party member hears.
constexpr WeaponEffect kWeaponEffects[] = {
    {17, Cond::Afraid, "は\n恐怖に犯された"}, {15, Cond::Asleep, "は\n眠らされた"},
    {23, Cond::Silenced, "は\n沈黙した"},     {18, Cond::Confused, "は\n混乱した"},
    {19, Cond::Frozen, "は\n凍りついた"},     {20, Cond::Shocked, "は\n感電した"},
    {21, Cond::Charmed, "は\n魅了された"},
};
constexpr const char* kMemberEffectTexts[] = {
    "は\n恐怖におかされた", "は\n眠った",   "は\n沈黙した",  "は\n混乱した",
    "は\n凍りついた",       "は\n感電した", "は\n誘惑された"};

// What the hit roll decided.
enum class Swing { Hit, Miss, Stumble };

struct Judgement {
    Swing swing = Swing::Miss;
    int32_t roll = 0; // a sneak attack's counts as 100
};

Judgement JudgeSwing(Game& game, Character& a, bool targetHidden, int32_t targetAc,
                     int32_t strengthMod, std::string& frame, bool blindCounts = true)
{
    int32_t roll = 0;
    int32_t need = 0;
    if (a.conditions & Cond::Hidden) {
        frame = SneakFrame(a.name);
        a.conditions &= ~Cond::Hidden;
        roll = 100;
    } else {
        need = 50 - a.level - StrengthBonus(a.strength + strengthMod) - targetAc;
        roll = Roll(game, 100) + 1;
    }
    const bool blindMiss = blindCounts && (a.conditions & Cond::Blind) && Roll(game, 2) == 1;
    if (blindMiss || targetHidden)
        return {Swing::Miss, roll};
    if (roll == 100)
        return {Swing::Hit, roll};
    if (roll < 3)
        return {Swing::Stumble, roll};
    return {roll < need ? Swing::Miss : Swing::Hit, roll};
}

void reflectOnAttacker(BattleState& state, Character& a, const std::string& frame,
                       const std::string& target, const MemberBlow& blow)
{
    Say(state, frame + target + "は攻撃を反射した！！\r" + a.name + "は" + Digits(blow.swings) +
                   "あたり" + Digits(blow.damage) + "のダメージ");
    a.hp = SaturatingAdd(a.hp, -static_cast<int64_t>(blow.damage));
    if (a.hp < 0) {
        Say(state, Cat({a.name, kDeathText}));
        a.hp = 0;
        a.conditions |= Cond::Dead;
    }
}

void absorbText(BattleState& state, const std::string& frame, const std::string& target,
                int32_t damage)
{
    Say(state, frame + target + "は攻撃を吸収した！\r" + target + "は\n" + Digits(damage) +
                   "ポイント回復した");
}

void heal(int32_t& hp, int32_t maxHp, int32_t amount)
{
    hp = std::min(maxHp, SaturatingAdd(hp, amount));
}

// A ninja's eye for the neck: the fewer things worn, the likelier.
bool NinjaBeheads(Game& game, const Character& a, int32_t hitRoll)
{
    int worn = 0;
    for (int s = 1; s <= 12; ++s)
        if (a.itemFlags[s] & 15)
            ++worn;
    const int32_t limit = a.level <= 100 ? a.level - 3 * worn + 22 : 100 - 5 * worn;
    return hitRoll < Roll(game, limit) + 1;
}

// The critical hit: "beheaded" or "mortal" when it lands, nothing otherwise.
enum class Critical { None, Beheaded, Mortal };
Critical RollCritical(Game& game, const Character& a, const ItemDef* weapon, int32_t res31,
                      int32_t hitRoll)
{
    const bool ninjaTry = Roll(game, 100) > res31 && a.classCode == Class::Ninja;
    if (ninjaTry)
        return NinjaBeheads(game, a, hitRoll) ? Critical::Beheaded : Critical::None;
    const int32_t chance = weapon ? weapon->chance[31] : 0;
    return EffectLands(game, res31, chance) ? Critical::Mortal : Critical::None;
}

} // namespace

void MemberMelee(Game& game, BattleState& state, int pos, int weapon)
{
    const int g = state.orders[pos].target;
    if (g < 1 || g > kGroupCount)
        return;
    int t = 0;
    for (int s = 1; s <= kGroupSlots && t == 0; ++s)
        if (state.monsters[g][s].present > 0 && !(state.monsters[g][s].conditions & Cond::Dead))
            t = s;
    if (t == 0)
        return;
    const int rosterNo = RosterAt(game, pos);
    Character& a = game.character(rosterNo);
    MonsterSlot& m = state.monsters[g][t];
    const std::string& target = MonsterName(state, g, t);
    std::string frame = AttackFrame(a.name);

    const int32_t res1 = m.res[1];
    const int32_t nullRoll = Roll(game, 100);
    if (nullRoll < res1 && res1 <= 100) {
        Say(state, Cat({frame, target, "は攻撃を無効化した！"}));
        return;
    }
    MemberBlow blow = RollMemberBlow(game, a, weapon, false);
    const bool slays = blow.weapon && (blow.weapon->slayMask & m.kind) != 0;
    if (slays)
        blow.damage = SaturatingAdd(blow.damage, blow.damage);
    if (a.conditions & Cond::Poisoned)
        blow.damage /= 2;
    if (res1 < 0 && !slays) {
        reflectOnAttacker(state, a, frame, target, blow);
        return;
    }
    if (res1 > 100 && !slays) {
        absorbText(state, frame, target, blow.damage);
        heal(m.hp, m.maxHp, blow.damage);
        return;
    }
    if (m.conditions & Cond::Asleep)
        blow.damage = SaturatingAdd(blow.damage, blow.damage);

    const Judgement j =
        JudgeSwing(game, a, (m.conditions & Cond::Hidden) != 0, m.ac, blow.strengthMod, frame);
    const Swing swing = j.swing;
    if (swing == Swing::Stumble) {
        Say(state, Cat({frame, a.name, "は　ころんだ・・・"}));
        return;
    }
    if (swing == Swing::Miss) {
        Say(state, Cat({frame, target, kMissText}));
        return;
    }
    Say(state, HitText(frame, target, blow.swings, blow.damage));
    m.hp = SaturatingAdd(m.hp, -static_cast<int64_t>(blow.damage));
    m.conditions &= ~(Cond::Asleep | Cond::Confused);

    if (const ItemDef* w = blow.weapon) {
        if (EffectLands(game, m.res[28], w->chance[28])) {
            Say(state, Cat({a.name, "は\nＨＰを吸収した"}));
            heal(a.hp, a.maxHp, blow.damage / 8);
        }
        for (const WeaponEffect& e : kWeaponEffects)
            if (w->chance[e.index] > 1 && EffectLands(game, m.res[e.index], w->chance[e.index])) {
                Say(state, Cat({target, e.text}));
                m.conditions |= e.condition;
            }
    }
    const Critical crit = RollCritical(game, a, blow.weapon, m.res[31], j.roll);
    if (crit != Critical::None) {
        Say(state, target + (crit == Critical::Beheaded ? "は\nくびをはねられた！"
                                                        : "は\n致命傷をうけた"));
        m.hp = 0;
        a.marks = SaturatingAdd(a.marks, 1);
    }
    if (m.hp <= 0) {
        state.actingGroup = g;
        state.actingMonster = t;
        Say(state, MonsterKilled(game, state, g, t, rosterNo));
    }
}

void ConfusedMemberMelee(Game& game, BattleState& state, int pos, int weapon)
{
    const int victimNo = PickLivingMember(game);
    if (victimNo == 0)
        return;
    Character& v = game.character(victimNo);
    if (v.conditions & Cond::BeyondCare)
        return;
    Character& a = MemberAt(game, pos);
    std::string frame = AttackFrame(a.name);
    const int32_t res1 = v.res[1];
    if (Roll(game, 100) < res1 && res1 <= 100) {
        Say(state, Cat({frame, v.name, "は攻撃を無効化した！"}));
        return;
    }
    MemberBlow blow = RollMemberBlow(game, a, weapon, true);
    if (a.conditions & Cond::Poisoned)
        blow.damage /= 2;
    if (res1 < 0) {
        reflectOnAttacker(state, a, frame, v.name, blow);
        return;
    }
    if (res1 > 100) {
        absorbText(state, frame, v.name, blow.damage);
        heal(v.hp, v.maxHp, blow.damage);
        return;
    }
    if (v.conditions & Cond::Asleep)
        blow.damage = SaturatingAdd(blow.damage, blow.damage);

    const Judgement j = JudgeSwing(game, a, (v.conditions & Cond::Hidden) != 0, v.ac,
                                   blow.strengthMod, frame, false);
    Swing swing = j.swing;
    // The swing goes astray when the one struck cannot be seen clearly: a
    // blind victim is missed on a d2 of 1, like a blind attacker's swing.
    if (swing == Swing::Hit && (v.conditions & Cond::Blind) && Roll(game, 2) == 1)
        swing = Swing::Miss;
    if (swing == Swing::Stumble) {
        Say(state, Cat({frame, a.name, "は　ころんだ・・・"}));
        return;
    }
    if (swing == Swing::Miss) {
        Say(state, Cat({frame, v.name, kMissText}));
        return;
    }
    Say(state, HitText(frame, v.name, blow.swings, blow.damage));
    v.hp = SaturatingAdd(v.hp, -static_cast<int64_t>(blow.damage));
    v.conditions &= ~(Cond::Asleep | Cond::Confused);
    if (v.hp < 1) {
        v.hp = 0;
        v.conditions |= Cond::Dead;
        Say(state, Cat({v.name, kDeathText}));
    }
    if (const ItemDef* w = blow.weapon) {
        if (EffectLands(game, v.res[28], w->chance[28])) {
            Say(state, Cat({a.name, "は\nＨＰを吸収した"}));
            heal(a.hp, a.maxHp, blow.damage / 8);
        }
        for (std::size_t i = 0; i < std::size(kWeaponEffects); ++i) {
            const WeaponEffect& e = kWeaponEffects[i];
            if (w->chance[e.index] > 1 && EffectLands(game, v.res[e.index], w->chance[e.index])) {
                Say(state, Cat({v.name, kMemberEffectTexts[i]}));
                v.conditions |= e.condition;
            }
        }
    }
    const Critical crit = RollCritical(game, a, blow.weapon, v.res[31], j.roll);
    if (crit != Critical::None && !(v.conditions & Cond::Dead)) {
        Say(state, v.name + (crit == Critical::Beheaded ? "はくびをはねられた！！"
                                                        : "は致命傷をうけた！"));
        v.hp = 0;
        v.conditions |= Cond::Dead;
    }
}

} // namespace qvr
