#include "rules/spell_learning.h"

#include <algorithm>

#include "core/dice.h"

namespace qvr {

namespace {

constexpr int kSlotsPerLevel = 3;
constexpr int kMostPoints = 9;

int halfUp(int level)
{
    return (level + 1) / 2;
}

} // namespace

std::vector<SpellStudy> SpellStudies(int classCode, int level)
{
    using namespace SpellSchool;
    switch (classCode) {
    case Class::Wizard:
        return {{Wizard, halfUp(level)}};
    case Class::Cleric:
        return {{Priest, halfUp(level)}};
    case Class::Sage: {
        // A sage takes the two schools in turn, two levels each.
        const int school = level % 4 == 2 || level % 4 == 3 ? Wizard : Priest;
        return {{school, level / 4 + 1}};
    }
    case Class::Valkyrie:
    case Class::Lord:
        return {{Priest, level / 3}};
    case Class::Samurai:
    case Class::MagicSwordsman:
        return {{Wizard, level / 3}};
    case 64:
        return {{Third, halfUp(level)}, {Wizard, level / 3}};
    case 4096:
        return {{Third, halfUp(level)}, {Priest, level / 3}};
    default:
        return {};
    }
}

int StudySchool(Rng& rng, Character& c, const SpellStudy& study)
{
    if (study.school != SpellSchool::Wizard && study.school != SpellSchool::Priest)
        return 0;
    const int attribute = study.school == SpellSchool::Priest ? c.piety : c.iq;
    const int upTo = std::min(study.upTo, kTopSpellLevel);
    int learnt = 0;
    for (int level = 1; level <= upTo; ++level) {
        for (int slot = 1; slot <= kSlotsPerLevel; ++slot) {
            if (Dice(rng, 1, attribute - 7, 0) <= level)
                continue;
            int16_t& points = c.maxMp(study.school, level);
            points = static_cast<int16_t>(std::min(points + 1, kMostPoints));
            int16_t& known = c.spellKnown(study.school, level, slot);
            if (known == 0) {
                known = 1;
                ++learnt;
            }
        }
    }
    return learnt;
}

} // namespace qvr
