#include "rules/item_powers.h"

#include <array>
#include <string>

#include "core/dice.h"
#include "core/game.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "rules/character_rules.h"
#include "rules/class_rules.h"
#include "rules/equipment.h"

namespace qvr {

namespace {

constexpr int kItemSlots = 12;
constexpr int32_t kBeyondHealing =
    Cond::Paralysed | Cond::Stoned | Cond::Dead | Cond::Ashes | Cond::Vanished;

struct NewNature {
    int code;
    int16_t race; // 0 keeps the race
    int16_t alignment;
};

constexpr std::array<NewNature, 5> kNatures{{
    {Power::BecomeAngel, Race::Angel, Align::Lawful},
    {Power::BecomeDemon, Race::Demon, Align::Chaotic},
    {Power::TurnChaotic, 0, Align::Chaotic},
    {Power::TurnLawful, 0, Align::Lawful},
    {Power::TurnNeutral, 0, Align::Neutral},
}};

// The doom powers: at or below the level limit the first fate, above it the
// second.
struct Doom {
    int code;
    int32_t levelLimit;
    int32_t fateAtOrBelow;
    int32_t fateAbove;
};

constexpr std::array<Doom, 4> kDooms{{
    {Power::DoomBelow10, 10, Cond::Ashes, Cond::Dead},
    {Power::DoomBelow20, 20, Cond::Ashes, Cond::Dead},
    {Power::DoomBelow30, 30, Cond::Ashes, Cond::Dead},
    {Power::DoomBelow50, 50, Cond::Vanished, Cond::Ashes},
}};

bool LostForGood(int32_t fate)
{
    return (fate & (Cond::Ashes | Cond::Vanished)) != 0;
}

bool Befall(Character& c, int32_t fate)
{
    c.conditions |= fate;
    c.hp = 0;
    return LostForGood(fate);
}

void StartOver(Character& c)
{
    c.level = 1;
    c.maxLevel = 1;
    c.exp = 0;
    c.maxHp = 5;
    c.steps = 0;
    c.marks = 0;
    c.gold = 0;
    c.meleeCount = 0;
    c.classMark = 0;
    SetAttributes(c, {3, 3, 3, 3, 3, 3});
}

std::string PowerQuestion(const Game& game, int rosterNo, int slot)
{
    return std::string(MessageText(game, 1045)) + CarriedItemName(game, rosterNo, slot) +
           std::string(MessageText(game, 1046)) + "\r" + std::string(MessageText(game, 1047));
}

// A released power may wear the item out: it becomes its successor, or
// nothing.
void MaybeBreak(Game& game, int rosterNo, int slot, bool nothingLeft)
{
    Character& c = game.character(rosterNo);
    const ItemDef* def = CarriedItem(game, c, slot);
    if (!def || Dice(game.rng, 1, 100, 0) >= def->breakChance)
        return;
    ShowMessage(game, "", std::string(MessageText(game, 1048)));
    int next = nothingLeft ? 0 : def->wearsInto;
    if (next < 0 || !Bounded<ItemDef, 0, kItemCount>::contains(next))
        next = 0;
    c.items[slot] = static_cast<int16_t>(next);
    c.itemFlags[slot] = next != 0 ? CanEquip(game, rosterNo, next) : 0;
    if (next != 0)
        ++game.save().itemTally[next];
}

} // namespace

bool ApplyPower(Game& game, int rosterNo, int code)
{
    Character& c = game.character(rosterNo);
    if (code >= Power::FirstAttribute && code <= Power::LastAttribute) {
        const auto i = static_cast<std::size_t>(code - Power::FirstAttribute);
        Attributes values = AttributesOf(c);
        // Measured against a man's limit whatever the owner's sex.
        if (values[i] < AttributeMaxima(c.race, 1, true)[i]) {
            ++values[i];
            SetAttributes(c, values);
        }
        return false;
    }
    for (const NewNature& n : kNatures) {
        if (n.code != code)
            continue;
        if (n.race != 0)
            c.race = n.race;
        c.alignment = n.alignment;
        ResetDerived(game, rosterNo, false);
        RefreshWearability(game, rosterNo);
        return false;
    }
    for (const Doom& d : kDooms)
        if (d.code == code)
            return Befall(c, c.level <= d.levelLimit ? d.fateAtOrBelow : d.fateAbove);

    switch (code) {
    case Power::Youth:
        if (c.age >= 16)
            --c.age;
        break;
    case Power::HealParty:
        for (int i = 1; i <= game.state.partyCount; ++i) {
            Character& m = game.character(game.state.partyMember[i]);
            if ((m.conditions & kBeyondHealing) == 0)
                m.hp = m.maxHp;
        }
        break;
    case Power::Vigour:
        c.maxHp += Dice(game.rng, 1, 5, 0);
        break;
    case Power::Rebirth:
        if (c.level > 200)
            StartOver(c);
        return Befall(c, Cond::Vanished);
    case Power::Frailty:
        if (c.vitality >= 4)
            --c.vitality;
        break;
    default:
        break;
    }
    return false;
}

void ReleasePowers(Game& game, int r)
{
    for (int slot = 1; slot <= kItemSlots; ++slot) {
        const ItemDef* def = CarriedItem(game, game.character(r), slot);
        if (!def || def->specialPower <= 0)
            continue;
        if (!AskYesNo(game, "", PowerQuestion(game, r, slot)))
            continue;
        const bool nothingLeft = ApplyPower(game, r, def->specialPower);
        MaybeBreak(game, r, slot, nothingLeft);
    }
    ApplyEquipment(game, r);
}

} // namespace qvr
