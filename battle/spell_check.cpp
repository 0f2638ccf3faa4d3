// The pieces every spell in battle shares, whichever side casts it.

#include <algorithm>

#include "battle/battle_rules.h"
#include "battle/melee.h"
#include "battle/narrator.h"
#include "battle/spell_rules.h"
#include "core/error.h"
#include "core/game.h"
#include "core/resistances.h"
#include "core/spell_effects.h"
#include "core/textformat.h"

namespace qvr {

namespace {

// Cold and lightning may leave more than a wound: a d100 over the victim's
// resistance to the element freezes or shocks it.
void ElementSideEffect(SpellCast& cast, Combatant& target)
{
    const int element = cast.spell.element;
    if (element != Res::Cold && element != Res::Lightning)
        return;
    if (Roll(cast.game, 100) <= target.resist(element))
        return;
    const bool cold = element == Res::Cold;
    *target.conditions |= cold ? Cond::Frozen : Cond::Shocked;
    cast.say({*target.name, cold ? "は\n凍りついた" : "は\n感電した"});
}

} // namespace

void SpellCast::say(std::string_view text)
{
    if (state.narrator)
        state.narrator->sayJoined({text}, frame);
}

void SpellCast::say(std::initializer_list<std::string_view> parts)
{
    if (state.narrator)
        state.narrator->sayJoined(parts, frame);
}

int32_t SpellCast::roll()
{
    return std::max(0, RollDice(game, spell.dice[0], spell.dice[1], spell.dice[2]));
}

const std::string& ShownSpellName(BattleState& state, int spellNo, const SpellDef& spell)
{
    if (spellNo < 1 || spellNo > kNamedSpells)
        throw GameError("spell " + std::to_string(spellNo) + " has no name to show in battle");
    BattleState::SpellName& shown = state.spellNames[static_cast<std::size_t>(spellNo)];
    if (!shown.known) {
        shown.text = toFullWidth(spell.name);
        shown.known = true;
    }
    return shown.text;
}

std::string CastFrame(const std::string& caster, std::string_view spellName)
{
    return Cat({caster, "は\n", spellName, "の呪文を唱えた\r"});
}

SpellOutcome SpellCheck(SpellCast& cast, const Combatant& target, int32_t resist, int32_t evade,
                        int32_t nullify)
{
    if (resist > 100 || nullify > 100)
        return SpellOutcome::Absorbed;
    if (resist < 0 || nullify < 0)
        return SpellOutcome::Reflected;
    // Below 17 the die cannot show 17: no roll is spent on a dodge that
    // cannot happen.
    if (evade >= 17 && Roll(cast.game, evade) >= 17) {
        cast.say({*target.name, "は呪文を回避した"});
        return SpellOutcome::Nothing;
    }
    if (Roll(cast.game, 100) < nullify) {
        cast.say({*target.name, "は\n呪文を無効化した"});
        return SpellOutcome::Nothing;
    }
    if (Roll(cast.game, 100) < resist) {
        cast.say({*target.name, "は\n呪文に抵抗した"});
        return SpellOutcome::Nothing;
    }
    return SpellOutcome::Affected;
}

SpellOutcome HarmCheck(SpellCast& cast, const Combatant& target)
{
    // A spell without an element meets only the general magic defence: the
    // table's element 0 is "none", not the unused resistance entry 0.
    const int element = cast.spell.element;
    const int32_t resist =
        IsValidElement(element) && element != kElementNone ? target.resist(element) : 0;
    return SpellCheck(cast, target, resist, target.luck, target.resist(Res::Magic));
}

Shield& ShieldOf(BattleState& state, const Combatant& side)
{
    return side.isMonster() ? state.monsterShield : state.partyShield;
}

int32_t Shielded(int32_t amount, int32_t level)
{
    const int32_t kept = 5 - std::clamp(level, 0, kMaxShieldLevel);
    return static_cast<int32_t>(int64_t{amount} * kept / 5);
}

std::string SpellKill(SpellCast& cast, Combatant& victim)
{
    return Kill(cast.game, cast.state, victim, true, cast.caster.rosterNo);
}

void SpellDamage(SpellCast& cast, Combatant& target, int32_t rolled)
{
    const int32_t damage = Shielded(rolled, ShieldOf(cast.state, target).magic);
    cast.say({*target.name, "は\n", Digits(damage), "のダメージをうけた"});
    Wound(target, damage);
    if (*target.hp < 1) {
        Say(cast.state, SpellKill(cast, target));
        return;
    }
    if (Roll(cast.game, std::max(1, target.luck)) <= 7)
        ElementSideEffect(cast, target);
}

void SpellReflected(SpellCast& cast, const Combatant& target, int32_t rolled)
{
    Combatant& caster = cast.caster;
    const int32_t damage = Shielded(rolled, ShieldOf(cast.state, caster).magic);
    cast.say({*target.name, "は\n呪文を反射した！\r", *caster.name, "は\n", Digits(damage),
              "のダメージをうけた"});
    Wound(caster, damage);
    if (*caster.hp < 1)
        Say(cast.state, Kill(cast.game, cast.state, caster, false));
}

void SayAbsorbed(SpellCast& cast, const Combatant& target)
{
    cast.say({*target.name, "は\n呪文を吸収した！"});
}

void SpellAbsorbed(SpellCast& cast, Combatant& target, int32_t rolled)
{
    SayAbsorbed(cast, target);
    Mend(target, rolled);
}

void HarmWithDamage(SpellCast& cast, Combatant& target)
{
    switch (HarmCheck(cast, target)) {
    case SpellOutcome::Affected:
        SpellDamage(cast, target, cast.roll());
        break;
    case SpellOutcome::Reflected:
        SpellReflected(cast, target, cast.roll());
        break;
    case SpellOutcome::Absorbed:
        SpellAbsorbed(cast, target, cast.roll());
        break;
    case SpellOutcome::Nothing:
        break;
    }
}

Targets MonstersOf(SpellCast& cast, int group, bool firstOnly)
{
    Targets out;
    const int from = group == 0 ? 1 : group;
    const int to = group == 0 ? kGroupCount : group;
    for (int g = from; g <= to && g >= 1 && g <= kGroupCount; ++g)
        for (int s = 1; s <= kGroupSlots; ++s)
            if (IsLiving(cast.state.monsters[g][s])) {
                out.push_back(MonsterSide(cast.state, g, s));
                if (firstOnly)
                    return out;
            }
    return out;
}

Targets MembersOf(SpellCast& cast)
{
    Targets out;
    for (int p = 1; p <= PartySize(cast.game); ++p)
        if (!(MemberAt(cast.game, p).conditions & kNotTargetable))
            out.push_back(MemberSide(cast.game, RosterAt(cast.game, p)));
    return out;
}

} // namespace qvr
