#include "maze/camp_spells.h"

#include "core/dice.h"
#include "core/game.h"
#include "core/prompts.h"
#include "rules/equipment.h"
#include "rules/spell_lookup.h"

namespace qvr {

namespace {

// The effects that ask for one member: only these wear an item out.
bool TargetsOneMember(int effect)
{
    switch (effect) {
    case 1:
    case 7:
    case 9:
    case 10:
    case 43:
    case 53:
    case 60:
        return true;
    default:
        return false;
    }
}

// The spell's place in the book: its school and level, within the grid.
bool InBook(const SpellDef& s)
{
    return s.school >= 0 && s.school <= 2 && s.level >= 1 && s.level <= 9 && s.slot >= 0 &&
           s.slot <= 4;
}

// A charge of the item is gone when it wears out: the first copy carried, in
// slot order, turns into its successor with clean flags.
void WearOut(Game& game, SpellSource source)
{
    Character& c = game.character(source.rosterNo);
    const ItemDef* def = CarriedItem(game, c, source.itemSlot);
    if (!def)
        return;
    if (Dice(game.rng, 1, 100, 0) >= def->wearOut)
        return;
    const int16_t item = c.items[source.itemSlot];
    for (int slot = 1; slot <= 12; ++slot)
        if (c.items[slot] == item) {
            c.items[slot] = def->wearsInto;
            c.itemFlags[slot] = 0;
            return;
        }
}

} // namespace

const SpellDef* FindCampSpell(const Game& game, const std::string& typed)
{
    const int n = SpellNumberByName(game.content(), typed);
    if (n == 0)
        return nullptr;
    const SpellDef& s = game.content().spells[n];
    return (s.flags & SpellFlag::Camp) ? &s : nullptr;
}

CampOutcome CastCampSpell(Game& game, int rosterNo, const std::string& typed)
{
    return CastFromSource(game, FindCampSpell(game, typed), {rosterNo, 0});
}

CampOutcome CastFromSource(Game& game, const SpellDef* spell, SpellSource source)
{
    if (!spell || !(spell->flags & SpellFlag::Camp)) {
        ShowMessage(game, "", kUnknownSpellText);
        return CampOutcome::Stay;
    }
    if (source.itemSlot == 0) {
        Character& c = game.character(source.rosterNo);
        if (!InBook(*spell) || c.spellKnown(spell->school, spell->level, spell->slot) == 0) {
            ShowMessage(game, "", kNotKnownText);
            return CampOutcome::Stay;
        }
        int16_t& points = c.mp(spell->school, spell->level);
        if (points <= 0) {
            ShowMessage(game, "", kNoPointsText);
            return CampOutcome::Stay;
        }
        --points;
    }
    return ApplyCampEffect(game, *spell, source);
}

CampOutcome ApplyCampEffect(Game& game, const SpellDef& spell, SpellSource source)
{
    if (TargetsOneMember(spell.effect)) {
        if (CastOnMember(game, spell) && source.itemSlot != 0)
            WearOut(game, source);
        return CampOutcome::Stay;
    }
    switch (spell.effect) {
    case 52:
        HealParty(game, spell);
        break;
    case 57:
        CheckLevel(game);
        break;
    case 5:
        CastProtection(game, spell);
        break;
    case 6:
        CastLevitation(game);
        break;
    case 11:
        SetPartyEffect(game, PartyEffect::Identify);
        break;
    case 49:
        SetPartyEffect(game, PartyEffect::Compass);
        break;
    case 3:
        ReportLocation(game);
        break;
    case 59:
        LookThroughWall(game);
        break;
    case 54:
        return ReturnToEntrance(game);
    case 8:
        LocateCharacter(game);
        break;
    case 44:
        return CampOutcome::OpenTeleport;
    case 45:
        return CampOutcome::Appraise;
    default:
        // The wish (64) has no camp effect yet; any other code does nothing.
        break;
    }
    return CampOutcome::Stay;
}

} // namespace qvr
