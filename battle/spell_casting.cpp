// Casting in battle: the party's typed spells and items, the monsters' spells
// by school and level, and the table that hands each effect code to its
// handler on either side.

#include <algorithm>
#include <array>

#include "battle/battle_rules.h"
#include "battle/spell_rules.h"
#include "core/game.h"
#include "core/textformat.h"

namespace qvr {

namespace {

constexpr SpellHandler kHandlers[] = {
    {1, SpellRaise, nullptr},
    {2, SpellHarm, SpellHarm},
    {4, SpellArmourUp, SpellArmourUp},
    {5, SpellArmourDown, SpellArmourDown},
    {7, SpellHeal, SpellHeal},
    {9, SpellRaiseFully, nullptr},
    {10, SpellCure, nullptr},
    {11, SpellIdentify, nullptr},
    {15, SpellCondition, SpellCondition},
    {17, SpellCondition, SpellCondition},
    {18, SpellCondition, SpellCondition},
    {21, SpellCondition, nullptr},
    {23, SpellCondition, SpellCondition},
    {24, SpellCondition, nullptr},
    {33, SpellCondition, SpellCondition},
    {43, SpellCure, nullptr},
    {46, SpellShieldUp, SpellShieldUp},
    {47, SpellShieldUp, SpellShieldUp},
    {48, SpellShieldsDown, SpellShieldsDown},
    {50, SpellDrain, nullptr},
    {51, SpellBanish, nullptr},
    {52, SpellHeal, nullptr},
    {53, SpellHeal, SpellHeal},
    {55, SpellWild, nullptr},
    {56, SpellBlessing, nullptr},
    {58, SpellEscape, nullptr},
    {60, SpellCure, nullptr},
    {61, SpellWard, nullptr},
    {62, SpellWard, nullptr},
    {63, SpellDeathsDoor, nullptr},
};

constexpr const char* kNothingText = "しかし何もおこらなかった";
constexpr const char* kSilencedText = "しかし呪文は音にならなかった";

// An item used in battle may wear into its successor (0: it is gone).
void WearOut(Game& game, Character& c, int itemNo)
{
    const ItemDef& item = game.item(itemNo);
    if (Roll(game, 100) >= item.wearOut)
        return;
    for (int s = 1; s <= 12; ++s)
        if (c.items[s] == itemNo) {
            c.items[s] = item.wearsInto;
            if (item.wearsInto == 0)
                c.itemFlags[s] = 0;
            return;
        }
}

} // namespace

std::span<const SpellHandler> SpellHandlers()
{
    return kHandlers;
}

const SpellHandler* FindSpellHandler(int code)
{
    for (const SpellHandler& h : kHandlers)
        if (h.code == code)
            return &h;
    return nullptr;
}

void CastPartySpell(Game& game, BattleState& state, int pos)
{
    const MemberOrder& order = state.orders[pos];
    const int rosterNo = RosterAt(game, pos);
    Character& c = game.character(rosterNo);
    const int spellNo = order.spell;
    if (spellNo < 1 || spellNo > kNamedSpells) {
        if (order.code == Order::Spell)
            Say(state, {c.name, "は呪文に失敗した"});
        return;
    }
    const SpellDef& spell = game.content().spells[spellNo];
    const std::string& spellName = ShownSpellName(state, spellNo, spell);
    SpellCast cast{
        game, state, spell, MemberSide(game, rosterNo), CastFrame(c.name, spellName), order.target};
    if (order.code == Order::Spell && (c.conditions & Cond::Silenced)) {
        cast.say(kSilencedText);
        return;
    }
    if (!(spell.flags & SpellFlag::Battle)) {
        cast.say(kNothingText);
        return;
    }
    if (order.code == Order::Spell) {
        const bool known = spell.level >= 1 && spell.level <= 9 && spell.slot >= 1 &&
                           spell.slot <= 4 && spell.school >= 0 && spell.school <= 2 &&
                           c.spellKnown(spell.school, spell.level, spell.slot) != 0;
        if (!known || c.mp(spell.school, spell.level) < 1) {
            Say(state, {c.name, "には\r", spellName, "を唱える魔力がなかった"});
            return;
        }
        --c.mp(spell.school, spell.level);
    } else if (order.item > 0) {
        WearOut(game, c, order.item);
    }
    const SpellHandler* h = FindSpellHandler(spell.effect);
    if (h && h->party)
        h->party(cast);
    else
        cast.say(kNothingText);
}

void CastMonsterSpell(Game& game, BattleState& state, int school, int level)
{
    const int g = state.actingGroup;
    const int s = state.actingMonster;
    std::array<int, kNamedSpells> candidates{};
    int count = 0;
    for (int n = 1; n <= kNamedSpells; ++n) {
        const SpellDef& sp = game.content().spells[n];
        if (sp.school == school && sp.level == level && (sp.flags & SpellFlag::Monster))
            candidates[static_cast<std::size_t>(count++)] = n;
    }
    if (count == 0)
        return;
    const int spellNo = candidates[static_cast<std::size_t>(Roll(game, count) - 1)];
    const SpellDef& spell = game.content().spells[spellNo];
    SpellCast cast{game,
                   state,
                   spell,
                   MonsterSide(state, g, s),
                   CastFrame(MonsterName(state, g, s), ShownSpellName(state, spellNo, spell)),
                   0};
    if (cast.caster.has(Cond::Silenced)) {
        cast.say(kSilencedText);
        return;
    }
    const SpellHandler* h = FindSpellHandler(spell.effect);
    if (h && h->monster)
        h->monster(cast);
}

} // namespace qvr
