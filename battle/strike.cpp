// The part of a blow that is the same whoever strikes whom: the target's
// first resistance, the sleeper's double, the hit roll and the wound.

#include "battle/battle_rules.h"
#include "battle/melee.h"
#include "core/game.h"

namespace qvr {

std::string AttackFrame(const std::string& attacker)
{
    return Cat({attacker, "の攻撃！！\r"});
}

std::string SneakFrame(const std::string& attacker)
{
    return Cat({attacker, "の不意打ち！\r"});
}

void SayNullified(BattleState& state, std::string_view frame, const Combatant& t)
{
    Say(state, {frame, *t.name, "は攻撃を無効化した！"});
}

namespace {

enum class Swing { Hit, Miss, Stumble };

} // namespace

int32_t LandBlow(Game& game, BattleState& state, Combatant& a, Combatant& t, std::string& frame,
                 const StrikeRules& rules, Blow& blow)
{
    if (ReflectsBlow(t) && !blow.slays) {
        ReflectBlow(game, state, a, frame, t, blow.swings, blow.damage);
        return 0;
    }
    if (AbsorbsBlow(t) && !blow.slays) {
        AbsorbBlow(state, t, frame, blow.damage);
        return 0;
    }
    if (t.has(Cond::Asleep))
        blow.damage = SaturatingAdd(blow.damage, blow.damage);

    int32_t roll = 100;
    int32_t need = 0;
    if (rules.sneaks && a.has(Cond::Hidden)) {
        frame = SneakFrame(*a.name);
        *a.conditions &= ~Cond::Hidden;
    } else {
        need =
            50 - a.level - StrengthBonus(a.strength + blow.strengthMod) - t.ac - rules.defendBonus;
        roll = Roll(game, 100) + 1;
    }
    const bool blindMiss = rules.blindAttacker && a.has(Cond::Blind) && Roll(game, 2) == 1;
    Swing swing = Swing::Hit;
    if (blindMiss || t.has(Cond::Hidden))
        swing = Swing::Miss;
    else if (roll == 100)
        swing = Swing::Hit;
    else if (roll < 3)
        swing = Swing::Stumble;
    else if (roll < need)
        swing = Swing::Miss;
    // The swing goes astray when the one struck cannot be seen clearly: a
    // blind victim is missed on a d2 of 1, like a blind attacker's swing.
    if (swing == Swing::Hit && rules.blindVictim && t.has(Cond::Blind) && Roll(game, 2) == 1)
        swing = Swing::Miss;
    if (swing == Swing::Stumble) {
        Say(state, {frame, *a.name, rules.stumbleText});
        return 0;
    }
    if (swing == Swing::Miss) {
        Say(state, {frame, *t.name, kMissText});
        return 0;
    }
    Say(state,
        {frame, *t.name, "に　", Digits(blow.swings), "あたり", Digits(blow.damage), "のダメージ"});
    Wound(t, blow.damage);
    *t.conditions &= ~(Cond::Asleep | Cond::Confused);
    return roll;
}

} // namespace qvr
