#include "town/new_character.h"

#include <algorithm>

#include "core/dice.h"
#include "core/game.h"
#include "rules/character_rules.h"

namespace qvr {

namespace {

constexpr int kFirstSpellPoints = 4; // a new caster never starts with more

int firstFreeSlot(const Game& game)
{
    for (int slot = 1; slot <= kRosterSize; ++slot)
        if (game.character(slot).rosterNo == 0)
            return slot;
    return 0;
}

void giveFirstSpells(Game& game, Character& c, int school)
{
    const int learnt = LearnFirstSpells(game, c, school);
    const int points = std::min(kFirstSpellPoints, learnt + FirstPointsRoll(game, c));
    c.maxMp(school, 1) = static_cast<int16_t>(points);
    c.mp(school, 1) = static_cast<int16_t>(points);
}

} // namespace

int FirstPointsRoll(Game& game, const Character& c)
{
    return Dice(game.rng, 1, c.iq / 4, 0);
}

int LearnFirstSpells(Game& game, Character& c, int school)
{
    int learnt = 0;
    while (learnt == 0) {
        for (int slot = 1; slot <= 3; ++slot) {
            if (Dice(game.rng, 1, 10, 0) > 5) {
                c.spellKnown(school, 1, slot) = 1;
                ++learnt;
            }
        }
    }
    return learnt;
}

int WriteNewCharacter(Game& game, const NewCharacter& made)
{
    const int slot = firstFreeSlot(game);
    if (slot == 0)
        return 0;
    Character& c = game.character(slot);
    // A fresh record, not whatever a free slot still holds: every value not
    // set below starts at zero.
    c = Character{};
    c.rosterNo = slot;
    c.name = made.name;
    c.level = 1;
    c.maxLevel = 1;
    c.race = made.race;
    c.classCode = made.classCode;
    c.sex = made.sex;
    c.alignment = made.alignment;
    SetAttributes(c, made.attributes);
    c.age = static_cast<int16_t>(Dice(game.rng, 1, 5, 12));
    c.gold = Dice(game.rng, 10, 10, 100);
    c.maxHp = HpRoll(game.rng, 1, c.classCode, c.vitality);
    c.hp = c.maxHp;
    if (made.bonusPoints >= 20)
        c.specialFlags = Special::LuckyRoll;
    // Armour class and resistances of the race, and the samurai's and the
    // ninja's marks, come from the same rule that equipping starts from.
    ResetDerived(game, slot, false);
    c.ac = c.baseAc;

    switch (c.classCode) {
    case Class::Wizard:
    case Class::Sage:
        giveFirstSpells(game, c, kWizardSchool);
        break;
    case Class::Cleric:
        giveFirstSpells(game, c, kPriestSchool);
        break;
    default:
        break;
    }
    return slot;
}

} // namespace qvr
