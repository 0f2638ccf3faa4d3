#include <algorithm>

#include "battle/battle_rules.h"
#include "battle/melee.h"
#include "core/game.h"
#include "core/resistances.h"
#include "rules/equipment.h"

namespace qvr {

Blow RollMemberBlow(Game& game, const Character& c, int weapon, bool confusedFists)
{
    Blow blow;
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

// The order a weapon's added effects are tried in, with what is said of a
// struck monster and of a struck party member.
constexpr AddedEffect kWeaponEffects[] = {
    {Res::Fear, Cond::Afraid, "は\n恐怖に犯された"},
    {Res::Sleep, Cond::Asleep, "は\n眠らされた"},
    {Res::Silence, Cond::Silenced, "は\n沈黙した"},
    {Res::Confusion, Cond::Confused, "は\n混乱した"},
    {Res::Freezing, Cond::Frozen, "は\n凍りついた"},
    {Res::Shock, Cond::Shocked, "は\n感電した"},
    {Res::Charm, Cond::Charmed, "は\n魅了された"},
};
constexpr AddedEffect kWeaponEffectsOnMembers[] = {
    {Res::Fear, Cond::Afraid, "は\n恐怖におかされた"},
    {Res::Sleep, Cond::Asleep, "は\n眠った"},
    {Res::Silence, Cond::Silenced, "は\n沈黙した"},
    {Res::Confusion, Cond::Confused, "は\n混乱した"},
    {Res::Freezing, Cond::Frozen, "は\n凍りついた"},
    {Res::Shock, Cond::Shocked, "は\n感電した"},
    {Res::Charm, Cond::Charmed, "は\n誘惑された"},
};

constexpr StrikeRules kMemberStrikes{.sneaks = true};
// A confused member does not see whom it strikes: its own blindness does
// not count, the victim's does.
constexpr StrikeRules kConfusedMemberStrikes{
    .sneaks = true, .blindAttacker = false, .blindVictim = true};

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
    const int32_t chance = weapon ? weapon->chance[Res::Critical] : 0;
    return EffectLands(game, res31, chance) ? Critical::Mortal : Critical::None;
}

// What a weapon does besides the wound: the attacker may drink some of it,
// and the victim may take the weapon's added effects.
void WeaponAfterHit(Game& game, BattleState& state, Combatant& a, Combatant& v, const Blow& blow,
                    std::span<const AddedEffect> effects)
{
    const ItemDef* w = blow.weapon;
    if (!w)
        return;
    if (EffectLands(game, v.resist(Res::Drain), w->chance[Res::Drain])) {
        Say(state, {*a.name, "は\nＨＰを吸収した"});
        Mend(a, blow.damage / 8);
    }
    TryAddedEffects(game, state, effects, w->chance, v);
}

} // namespace

void MemberMelee(Game& game, BattleState& state, int pos, int weapon)
{
    const int g = state.orders[pos].target;
    if (g < 1 || g > kGroupCount)
        return;
    int t = 0;
    for (int s = 1; s <= kGroupSlots && t == 0; ++s)
        if (IsLiving(state.monsters[g][s]))
            t = s;
    if (t == 0)
        return;
    const int rosterNo = RosterAt(game, pos);
    Character& c = game.character(rosterNo);
    Combatant a = MemberSide(game, rosterNo);
    Combatant m = MonsterSide(state, g, t);
    const int16_t kind = state.monsters[g][t].kind;
    std::string frame = AttackFrame(c.name);
    Blow blow;
    const int32_t hitRoll = Strike(game, state, a, m, frame, kMemberStrikes, blow, [&] {
        Blow b = RollMemberBlow(game, c, weapon, false);
        b.slays = b.weapon && (b.weapon->slayMask & kind) != 0;
        if (b.slays)
            b.damage = SaturatingAdd(b.damage, b.damage);
        if (c.conditions & Cond::Poisoned)
            b.damage /= 2;
        return b;
    });
    if (hitRoll == 0)
        return;
    WeaponAfterHit(game, state, a, m, blow, kWeaponEffects);
    const Critical crit = RollCritical(game, c, blow.weapon, m.resist(Res::Critical), hitRoll);
    if (crit != Critical::None) {
        Say(state, *m.name + (crit == Critical::Beheaded ? "は\nくびをはねられた！"
                                                         : "は\n致命傷をうけた"));
        *m.hp = 0;
        c.marks = SaturatingAdd(c.marks, 1);
    }
    if (*m.hp <= 0) {
        state.actingGroup = g;
        state.actingMonster = t;
        Say(state, Kill(game, state, m, true, rosterNo));
    }
}

void ConfusedMemberMelee(Game& game, BattleState& state, int pos, int weapon)
{
    const int victimNo = PickLivingMember(game);
    if (victimNo == 0)
        return;
    if (game.character(victimNo).conditions & Cond::BeyondCare)
        return;
    Character& c = MemberAt(game, pos);
    Combatant a = MemberSide(game, RosterAt(game, pos));
    Combatant v = MemberSide(game, victimNo);
    std::string frame = AttackFrame(c.name);
    Blow blow;
    const int32_t hitRoll = Strike(game, state, a, v, frame, kConfusedMemberStrikes, blow, [&] {
        Blow b = RollMemberBlow(game, c, weapon, true);
        if (c.conditions & Cond::Poisoned)
            b.damage /= 2;
        return b;
    });
    if (hitRoll == 0)
        return;
    if (*v.hp < 1)
        Say(state, Kill(game, state, v, true));
    WeaponAfterHit(game, state, a, v, blow, kWeaponEffectsOnMembers);
    const Critical crit = RollCritical(game, c, blow.weapon, v.resist(Res::Critical), hitRoll);
    if (crit != Critical::None && !v.has(Cond::Dead)) {
        Say(state, *v.name + (crit == Critical::Beheaded ? "はくびをはねられた！！"
                                                         : "は致命傷をうけた！"));
        *v.hp = 0;
        *v.conditions |= Cond::Dead;
    }
}

} // namespace qvr
