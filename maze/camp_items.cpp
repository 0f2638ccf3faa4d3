#include "maze/camp_items.h"

#include "core/dice.h"
#include "core/game.h"
#include "core/prompts.h"
#include "rules/equipment.h"
#include "rules/spell_lookup.h"

namespace qvr {

namespace {

const SpellDef* SpellOfItem(const Game& game, const ItemDef& def)
{
    const int n = SpellNumberOfItem(game.content(), def.castSpell);
    return n ? &game.content().spells[n] : nullptr;
}

// Instruments sing only for bards, charms and orbs answer only an onmyoji.
bool Answers(const ItemDef& def, const Character& c)
{
    if (def.kind == kInstrumentKind)
        return c.classCode == Class::Bard;
    if (def.kind == kCharmKind)
        return c.classCode == Class::Onmyoji;
    return true;
}

} // namespace

CampOutcome UseItem(Game& game, int rosterNo, int slot)
{
    const Character& c = game.character(rosterNo);
    const ItemDef* def = CarriedItem(game, c, slot);
    if (!def)
        return CampOutcome::Stay;
    const SpellDef* spell = SpellOfItem(game, *def);
    if (!spell || !Answers(*def, c)) {
        ShowMessage(game, "", kNothingHappenedText);
        return CampOutcome::Stay;
    }
    return CastFromSource(game, spell, {rosterNo, slot});
}

IdentifyResult IdentifyItem(Game& game, int rosterNo, int slot)
{
    Character& c = game.character(rosterNo);
    const ItemDef* def = CarriedItem(game, c, slot);
    if (!def)
        return IdentifyResult::Nothing;
    if (!(c.itemFlags[slot] & ItemFlag::Unidentified)) {
        ShowMessage(game, "", kAlreadyIdentifiedText);
        return IdentifyResult::AlreadyKnown;
    }
    const int roll = Dice(game.rng, 1, c.level, 0) + 1;
    const int difficulty = def->itemLevel;
    if (Dice(game.rng, 1, 50, 0) == 1 || difficulty < roll) {
        c.itemFlags[slot] = static_cast<int16_t>(c.itemFlags[slot] & ~ItemFlag::Unidentified);
        ShowMessage(game, "", kIdentifiedText);
        return IdentifyResult::Identified;
    }
    const int d = Dice(game.rng, 1, 25, 0);
    if (roll < difficulty / 2 || d == 1) {
        c.conditions |= Cond::Afraid;
        ShowMessage(game, "", kFrightenedText);
        return IdentifyResult::Frightened;
    }
    ShowMessage(game, "", kNotIdentifiedText);
    return IdentifyResult::Failed;
}

std::optional<ItemCard> AppraiseItem(Game& game, int rosterNo, int slot)
{
    const Character& c = game.character(rosterNo);
    const ItemDef* def = CarriedItem(game, c, slot);
    if (!def)
        return std::nullopt;
    if (c.itemFlags[slot] & ItemFlag::Unidentified) {
        ShowMessage(game, "", kUnidentifiedText);
        return std::nullopt;
    }
    if (c.level < def->itemLevel) {
        ShowMessage(game, "", kCannotAppraiseText);
        return std::nullopt;
    }
    return MakeItemCard(*def);
}

} // namespace qvr
