// The outcomes the camp and the battle share: healing up to the maximum and
// its refusals, curing, and the two raisings with their thresholds.

#include <gtest/gtest.h>

#include "rules/spell_outcomes.h"

namespace qvr {
namespace {

Character Patient(int32_t hp, int32_t maxHp, int32_t conditions)
{
    Character c;
    c.hp = hp;
    c.maxHp = maxHp;
    c.conditions = conditions;
    c.vitality = 10;
    return c;
}

TEST(SpellOutcomes, HealingStopsAtTheMaximumAndRefusesTheDeadAndTheSick)
{
    struct Case {
        const char* what;
        int32_t hp;
        int32_t conditions;
        int64_t amount;
        bool full;
        Healing outcome;
        int32_t hpAfter;
    };
    const Case cases[] = {
        {"some points", 10, 0, 5, false, Healing::Healed, 15},
        {"exactly to the top", 10, 0, 20, false, Healing::Full, 30},
        {"past the top", 10, 0, 2'000'000'000'000, false, Healing::Full, 30},
        {"full", 1, Cond::Poisoned, 0, true, Healing::Full, 30},
        {"the dead", 0, Cond::Dead, 5, false, Healing::BeyondCare, 0},
        {"a carrot", 4, Cond::Carrot, 5, true, Healing::BeyondCare, 4},
        {"the sick", 4, Cond::Sick, 5, false, Healing::Sick, 4},
    };
    for (const Case& c : cases) {
        Character p = Patient(c.hp, 30, c.conditions);
        EXPECT_EQ(Heal(p, c.amount, c.full), c.outcome) << c.what;
        EXPECT_EQ(p.hp, c.hpAfter) << c.what;
        EXPECT_EQ(p.conditions, c.conditions) << c.what; // healing cures nothing by itself
    }
}

TEST(SpellOutcomes, CuringClearsOnlyItsAilments)
{
    Character p = Patient(5, 5, Cond::Poisoned | Cond::Asleep | Cond::Dead | Cond::CurseBound);
    EXPECT_TRUE(Cure(p, kMindAilments));
    EXPECT_EQ(p.conditions, Cond::Poisoned | Cond::Dead | Cond::CurseBound);
    EXPECT_FALSE(Cure(p, Cond::Paralysed));
    EXPECT_TRUE(Cure(p, kAllAilments));
    EXPECT_EQ(p.conditions, Cond::Dead | Cond::CurseBound);
}

TEST(SpellOutcomes, RaisingByTheVitalityRoll)
{
    struct Case {
        const char* what;
        bool fully;
        int32_t conditions;
        int32_t roll;
        Raising outcome;
        int32_t conditionsAfter;
        int32_t hpAfter;
    };
    constexpr int32_t kFailBelow = 5;
    const Case cases[] = {
        {"dead, raised", false, Cond::Dead | Cond::Poisoned, 5, Raising::Raised, Cond::Poisoned, 1},
        {"dead, burned", false, Cond::Dead, 4, Raising::ToAshes, Cond::Ashes, 0},
        {"ashes are not for the lesser raising", false, Cond::Ashes, 9, Raising::Nothing,
         Cond::Ashes, 0},
        {"the living", false, 0, 9, Raising::Nothing, 0, 0},
        {"dead, fully", true, Cond::Dead | Cond::Poisoned | Cond::CurseBound, 5, Raising::Raised,
         Cond::CurseBound, 40},
        {"ashes, fully", true, Cond::Ashes, 5, Raising::Raised, 0, 40},
        {"dead, burned by the greater", true, Cond::Dead, 4, Raising::ToAshes, Cond::Ashes, 0},
        {"ashes, lost", true, Cond::Ashes, 4, Raising::Vanished, Cond::Dead | Cond::Vanished, 0},
        {"the vanished", true, Cond::Dead | Cond::Vanished, 9, Raising::Nothing,
         Cond::Dead | Cond::Vanished, 0},
    };
    for (const Case& c : cases) {
        Character p = Patient(0, 40, c.conditions);
        const Raising r =
            c.fully ? RaiseFully(p, c.roll, kFailBelow) : RaiseDead(p, c.roll, kFailBelow);
        EXPECT_EQ(r, c.outcome) << c.what;
        EXPECT_EQ(p.conditions, c.conditionsAfter) << c.what;
        EXPECT_EQ(p.hp, c.hpAfter) << c.what;
        const bool raised = c.outcome == Raising::Raised;
        EXPECT_EQ(p.rip, raised ? 1 : 0) << c.what;
        EXPECT_EQ(p.vitality, raised ? 9 : 10) << c.what;
    }
    Character frail = Patient(0, 40, Cond::Dead);
    frail.vitality = 1;
    RaiseDead(frail, 9, kFailBelow);
    EXPECT_EQ(frail.vitality, 1); // never below 1
}

} // namespace
} // namespace qvr
