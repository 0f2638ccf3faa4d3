// The spells that strike the other side: damage, armour, conditions, the
// drain, banishing, wild magic and death's door.

#include <algorithm>

#include "battle/battle_rules.h"
#include "battle/spell_rules.h"
#include "core/game.h"
#include "core/resistances.h"
#include "core/spell_effects.h"

namespace qvr {

namespace {

// Who a harmful spell of the party reaches: one monster, a group or all
// groups; a monster's reaches one member picked by a die over the party
// (nobody when that one may not be targeted) or the whole party.
Targets Victims(SpellCast& cast)
{
    const int kind = cast.spell.targetKind;
    if (cast.byParty()) {
        const bool grouped = kind == SpellTarget::OneMonster || kind == SpellTarget::MonsterGroup;
        return MonstersOf(cast, grouped ? cast.target : 0, kind == SpellTarget::OneMonster);
    }
    if (kind == SpellTarget::OneMonster) {
        const int pos = Roll(cast.game, PartySize(cast.game));
        if (pos < 1 || pos > PartySize(cast.game) ||
            (MemberAt(cast.game, pos).conditions & kNotTargetable))
            return {};
        Targets one;
        one.push_back(MemberSide(cast.game, RosterAt(cast.game, pos)));
        return one;
    }
    return MembersOf(cast);
}

struct ConditionSpell {
    int16_t code;
    int32_t condition;
    const char* text;
};
constexpr ConditionSpell kConditionSpells[] = {
    {Res::Sleep, Cond::Asleep, "は\n眠らされた"},
    {Res::Fear, Cond::Afraid, "は\n恐怖に犯された"},
    {Res::Confusion, Cond::Confused, "は\n混乱した"},
    {Res::Charm, Cond::Charmed, "は\n魅了された"},
    {Res::Silence, Cond::Silenced, "は\n沈黙した"},
    {Res::Blinding, Cond::Blind, "は\n目が見えなくなった"},
    {Res::Death, Cond::Dead, "は\nロストした！！！"},
};

// The condition lands on a d100 above the victim's resistance to it; death
// is a death like any other, with its rewards.
void Inflict(SpellCast& cast, Combatant& victim, const ConditionSpell& c)
{
    // Wild magic's conditions (code 0) know no resistance.
    if (c.code != 0 && Roll(cast.game, 100) <= victim.resist(c.code))
        return;
    cast.say({*victim.name, c.text});
    if (c.condition == Cond::Dead)
        SpellKill(cast, victim);
    else
        *victim.conditions |= c.condition;
}

bool StillCasting(const SpellCast& cast)
{
    return !cast.caster.has(Cond::Dead);
}

} // namespace

void SpellHarm(SpellCast& cast)
{
    for (Combatant& v : Victims(cast)) {
        if (!StillCasting(cast))
            return;
        HarmWithDamage(cast, v);
    }
}

void SpellArmourUp(SpellCast& cast)
{
    const int32_t amount = cast.spell.dice[0];
    for (Combatant& v : Victims(cast)) {
        if (HarmCheck(cast, v) != SpellOutcome::Affected)
            continue;
        if (v.isMonster())
            cast.state.monsters[v.group][v.slot].ac =
                static_cast<int16_t>(std::clamp(v.ac + amount, -32768, 32767));
        else
            cast.game.character(v.rosterNo).ac = SaturatingAdd(v.ac, amount);
        cast.say({*v.name, "は\nＡＣが", Digits(amount), "上がった"});
    }
}

void SpellCondition(SpellCast& cast)
{
    const auto* c =
        std::find_if(std::begin(kConditionSpells), std::end(kConditionSpells),
                     [&](const ConditionSpell& s) { return s.code == cast.spell.effect; });
    if (c == std::end(kConditionSpells))
        return;
    for (Combatant& v : Victims(cast)) {
        if (!StillCasting(cast))
            return;
        const int element = cast.spell.element;
        const int32_t byElement =
            element >= kFirstElement && element <= kLastElement ? v.resist(element) : 0;
        const int32_t resist = std::max<int32_t>(v.resist(c->code), byElement);
        switch (SpellCheck(cast, v, resist, v.luck, v.resist(Res::Magic))) {
        case SpellOutcome::Affected:
            Inflict(cast, v, *c);
            break;
        case SpellOutcome::Reflected:
            // Turned back, the spell seeks its caster with the same odds.
            cast.say({*v.name, "は\n呪文を反射した！"});
            Inflict(cast, cast.caster, *c);
            break;
        case SpellOutcome::Absorbed:
            SayAbsorbed(cast, v);
            break;
        case SpellOutcome::Nothing:
            break;
        }
    }
}

void SpellDrain(SpellCast& cast)
{
    Targets victims = MonstersOf(cast, cast.target, true);
    if (victims.empty())
        return;
    Combatant& v = victims.front();
    if (HarmCheck(cast, v) != SpellOutcome::Affected)
        return;
    const int32_t before = *v.hp;
    SpellDamage(cast, v, cast.roll());
    const int32_t taken = std::max(0, before - std::max(0, *v.hp));
    Combatant& caster = cast.caster;
    if (!caster.isMonster() && cast.game.character(caster.rosterNo).race == Race::Angel) {
        cast.say({*caster.name, "は\n吸収できなかった"});
        return;
    }
    Mend(caster, taken);
    cast.say({*caster.name, "は\n", Digits(taken), "ポイント回復した"});
}

void SpellBanish(SpellCast& cast)
{
    for (Combatant& v : MonstersOf(cast, cast.target, false)) {
        if (HarmCheck(cast, v) != SpellOutcome::Affected)
            continue;
        const int32_t mine = Roll(cast.game, std::max(1, cast.caster.level));
        const int32_t theirs = Roll(cast.game, std::max(1, v.level));
        if (mine > theirs) {
            cast.say({*v.name, "を\n退魔した"});
            *v.conditions = kEmptySlot; // gone, and nothing gained by it
        } else {
            cast.say({*v.name, "を\n退魔できなかった"});
        }
    }
}

void SpellWild(SpellCast& cast)
{
    Targets victims = MonstersOf(cast, cast.target, true);
    if (victims.empty())
        return;
    Combatant& v = victims.front();
    const int32_t strength = std::max(1, cast.caster.strength);
    switch (Roll(cast.game, 10)) {
    case 1:
        return Inflict(cast, v, {0, Cond::Asleep, "は\n眠らされた"});
    case 2:
        return Inflict(cast, v, {0, Cond::Confused, "は\n混乱した"});
    case 3:
        return Inflict(cast, v, {0, Cond::Blind, "は\n目が見えなくなった"});
    case 4:
        return Inflict(cast, v, {0, Cond::Silenced, "は\n沈黙した"});
    case 5:
        cast.say({*v.name, "は逃げた・・・"});
        *v.conditions = kEmptySlot;
        return;
    case 6:
        Mend(v, v.maxHp);
        cast.say({*v.name, "は\n全快した"});
        return;
    case 9:
        return SpellDamage(cast, v, RollDice(cast.game, strength, strength, 0));
    case 10:
        return Inflict(cast, v, {0, Cond::Dead, "は\nロストした！！！"});
    default:
        cast.say("何の変化も無い");
        return;
    }
}

void SpellDeathsDoor(SpellCast& cast)
{
    for (Combatant& v : MonstersOf(cast, cast.target, false)) {
        switch (HarmCheck(cast, v)) {
        case SpellOutcome::Affected:
            *v.hp = 1;
            cast.say({*v.name, "は\n瀕死状態におちいった"});
            break;
        case SpellOutcome::Reflected:
            *cast.caster.hp = std::min(*cast.caster.hp, 1);
            cast.say(
                {*v.name, "は\n呪文を反射した\r", *cast.caster.name, "は\n瀕死状態におちいった"});
            break;
        case SpellOutcome::Absorbed:
            SayAbsorbed(cast, v);
            break;
        case SpellOutcome::Nothing:
            break;
        }
    }
}

} // namespace qvr
