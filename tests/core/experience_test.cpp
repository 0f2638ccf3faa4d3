#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

#include "rules/experience.h"

#include "roll_range.h"

namespace qvr {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

constexpr std::array<int32_t, 13> kClasses{
    Class::Fighter,        Class::Wizard,   Class::Cleric,        Class::Thief, Class::Sage,
    Class::Bard,           Class::Valkyrie, Class::Samurai,       Class::Lord,  Class::Ninja,
    Class::MagicSwordsman, Class::Onmyoji,  Class::MartialArtist,
};

struct ExpCase {
    int32_t level;
    int32_t classCode;
    int32_t race;
    int32_t exp;
};

TEST(ExpForLevelTest, KnownValues)
{
    const ExpCase cases[] = {
        {0, Class::Fighter, Race::Human, 0},
        {0, Class::Ninja, Race::Elf, 0},
        {-3, Class::Fighter, Race::Human, 0},
        {1, Class::Fighter, Race::Human, 1000},
        {1, Class::Fighter, Race::Elf, 1010},
        {1, Class::Thief, Race::Human, 800},
        {5, Class::Ninja, Race::Human, 44444},
        {13, Class::Sage, Race::Human, 1000819},
        {19, Class::Valkyrie, Race::Human, 3590400},
        {20, Class::Fighter, Race::Human, 4034033},
        {20, Class::MartialArtist, Race::Human, 4404939},
        // Above the table every class follows its own line.
        {21, Class::Fighter, Race::Human, 4634528},
        {22, Class::Fighter, Race::Human, 5235023},
        {21, Class::Thief, Race::Human, 4740967}, // from 4204033, not its level-20 entry
        {21, Class::Wizard, Race::Human, 4906966},
        {21, Class::Ninja, Race::Human, 6678014}, // the ninja's line starts at level 15
        {30, Class::Onmyoji, Race::Human, 10839593},
    };
    for (const ExpCase& c : cases)
        EXPECT_EQ(ExpForLevel(c.level, c.classCode, c.race), c.exp)
            << "level " << c.level << " class " << c.classCode << " race " << c.race;
}

TEST(ExpForLevelTest, ClassesWithoutACurveNeedNothing)
{
    for (int32_t classCode : {0, 64, 4096, 3, 32768, -1})
        for (int32_t level : {1, 20, 21})
            EXPECT_EQ(ExpForLevel(level, classCode, Race::Human), 0) << "class " << classCode;
}

TEST(ExpForLevelTest, EveryClassNeedsMoreForEachLevel)
{
    // A mistyped entry in the table almost always breaks the climb.
    for (int32_t classCode : kClasses) {
        for (int32_t level = 1; level < 60; ++level)
            EXPECT_LT(ExpForLevel(level, classCode, Race::Human),
                      ExpForLevel(level + 1, classCode, Race::Human))
                << "class " << classCode << " level " << level;
    }
}

TEST(ExpForLevelTest, RaceFactors)
{
    const std::array<std::pair<int32_t, int32_t>, 13> permille{{
        {Race::Human, 1000},
        {Race::Elf, 1010},
        {Race::Dwarf, 999},
        {Race::Gnome, 998},
        {Race::Hobbit, 1002},
        {Race::Fairy, 1003},
        {Race::Dragon, 1005},
        {Race::Demon, 1003},
        {Race::Angel, 995},
        {Race::Mutant, 998},
        {0, 1000},
        {3, 1000}, // not a race: taken as it stands
        {1024, 1000},
    }};
    for (const auto& [race, factor] : permille) {
        EXPECT_EQ(RaceExpFactorPermille(race), factor) << "race " << race;
        // Fighter level 1 needs 1000, so the factor shows through unrounded.
        EXPECT_EQ(ExpForLevel(1, Class::Fighter, race), factor) << "race " << race;
    }
}

TEST(ExpForLevelTest, RaceScalingRoundsToNearestAndHalvesToEven)
{
    const ExpCase cases[] = {
        {1, Class::Valkyrie, Race::Dragon, 1106},      // 1105.5 goes up to even
        {1, Class::Samurai, Race::Dragon, 1306},       // 1306.5 goes down to even
        {1, Class::Lord, Race::Elf, 1364},             // 1363.5
        {1, Class::MagicSwordsman, Race::Elf, 1162},   // 1161.5
        {2, Class::Onmyoji, Race::Elf, 2474},          // 2474.5
        {20, Class::Fighter, Race::Dwarf, 4029999},    // 4029998.967
        {20, Class::Fighter, Race::Angel, 4013863},    // 4013862.835
        {5, Class::MartialArtist, Race::Gnome, 35832}, // 35832.192
        {2, Class::Bard, Race::Hobbit, 2405},          // 2404.8
        {1, Class::Wizard, Race::Angel, 896},          // 895.5 goes up to even
        {3, Class::Wizard, Race::Angel, 4478},         // 4477.5 goes up to even
    };
    for (const ExpCase& c : cases)
        EXPECT_EQ(ExpForLevel(c.level, c.classCode, c.race), c.exp)
            << "level " << c.level << " class " << c.classCode << " race " << c.race;
}

TEST(ExpForLevelTest, VeryHighLevelsSaturateInsteadOfWrapping)
{
    EXPECT_EQ(ExpForLevel(3589, Class::Fighter, Race::Human), 2147200688);
    EXPECT_EQ(ExpForLevel(3590, Class::Fighter, Race::Human), kMax);
    EXPECT_EQ(ExpForLevel(kMax, Class::Ninja, Race::Elf), kMax);
    for (int32_t classCode : kClasses)
        EXPECT_EQ(ExpForLevel(100000, classCode, Race::Angel), kMax) << "class " << classCode;
}

Character DrainSubject(int16_t classCode, int16_t vitality)
{
    Character c;
    c.rosterNo = 1;
    c.level = 10;
    c.maxLevel = 12;
    c.classCode = classCode;
    c.race = Race::Human;
    c.exp = 400000;
    c.hp = 80;
    c.maxHp = 90;
    c.strength = 10;
    c.iq = 10;
    c.piety = 10;
    c.vitality = vitality;
    c.agility = 10;
    c.luck = 10;
    return c;
}

struct RollRange {
    int32_t classCode;
    int32_t vitality;
    int32_t lowest;
    int32_t highest;
};

TEST(DrainLevelsTest, DrainDieFollowsClassAndVitality)
{
    const RollRange ranges[] = {
        {Class::Fighter, 10, 1, 12},
        {Class::MagicSwordsman, 10, 1, 12},
        {Class::Wizard, 10, 2, 7}, // 1d6 + 1: the die is floor(10 / 1.5)
        {Class::Sage, 10, 2, 7},
        {Class::Wizard, 5, 2, 4}, // 5 / 1.5 = 3.33 must not make a fourth face
        {Class::Wizard, 1, 2, 2}, // a die of no sides shows 1, plus 1
        {Class::Thief, 10, 1, 10},
        {Class::Bard, 10, 1, 10},
        {64, 10, 1, 10},
        {Class::Ninja, 10, 1, 10},
        {4096, 10, 1, 10},
        {Class::Onmyoji, 10, 1, 10},
        {Class::MartialArtist, 10, 1, 10},
        {Class::Cleric, 10, 1, 11},
        {Class::Valkyrie, 10, 1, 11},
        {Class::Samurai, 10, 1, 11},
        {Class::Lord, 10, 1, 11},
        {0, 10, 1, 11},
    };
    Rng rng(31);
    for (const RollRange& r : ranges) {
        const auto range =
            ObservedRange(3000, [&] { return DrainRoll(rng, r.classCode, r.vitality); });
        EXPECT_EQ(range, std::make_pair(r.lowest, r.highest))
            << "class " << r.classCode << " vitality " << r.vitality;
    }
}

struct LossCase {
    int32_t roll;
    int32_t lowest;
    int32_t highest;
    double mean;
};

TEST(DrainLevelsTest, HitPointLossPerRoll)
{
    const LossCase cases[] = {
        {-2, 1, 1, 1},      {1, 1, 1, 1},     {4, 1, 1, 1},      {5, 5, 5, 5},
        {6, 2, 2, 2},       {7, 2, 2, 2},     {8, 3, 3, 3},      {9, 3, 3, 3},
        {10, 2, 6, 4},      {11, 4, 18, 11},  {12, 4, 18, 11},   {13, 6, 27, 16.5},
        {15, 6, 27, 16.5},  {16, 8, 36, 22},  {18, 8, 36, 22},   {19, 10, 45, 27.5},
        {21, 10, 45, 27.5}, {22, 11, 53, 32}, {30, 19, 117, 68},
    };
    Rng rng(47);
    constexpr int kRolls = 4000;
    for (const LossCase& c : cases) {
        double sum = 0;
        for (int i = 0; i < kRolls; ++i) {
            const int32_t loss = DrainHpLoss(rng, c.roll);
            ASSERT_GE(loss, c.lowest) << "roll " << c.roll;
            ASSERT_LE(loss, c.highest) << "roll " << c.roll;
            sum += loss;
        }
        EXPECT_NEAR(sum / kRolls, c.mean, 0.03 * c.mean + 0.01) << "roll " << c.roll;
    }
}

TEST(DrainLevelsTest, LevelOneStaysAtLevelOneWithNoExperience)
{
    Rng rng(1);
    Character c = DrainSubject(Class::Fighter, 10);
    c.level = 1;
    DrainLevels(rng, c, 1);
    EXPECT_EQ(c.level, 1);
    EXPECT_EQ(c.exp, 0);

    c.level = 3;
    c.exp = 9000;
    DrainLevels(rng, c, 7);
    EXPECT_EQ(c.level, 1);
    EXPECT_EQ(c.exp, 0);
    EXPECT_EQ(c.maxLevel, 12);
}

TEST(DrainLevelsTest, ExperienceDropsToTheStartOfTheNewLevel)
{
    Rng rng(2);
    Character c = DrainSubject(Class::Fighter, 10);
    c.race = Race::Elf;
    DrainLevels(rng, c, 2);
    EXPECT_EQ(c.level, 8);
    EXPECT_EQ(c.exp, ExpForLevel(7, Class::Fighter, Race::Elf));
    EXPECT_EQ(c.exp, 124270);
    EXPECT_EQ(c.maxLevel, 12);
}

TEST(DrainLevelsTest, NoLevelsDrainedChangesNothing)
{
    Rng rng(3);
    for (int32_t n : {0, -2}) {
        Character c = DrainSubject(Class::Cleric, 10);
        const Character before = c;
        DrainLevels(rng, c, n);
        EXPECT_EQ(c, before) << "n = " << n;
    }
}

TEST(DrainLevelsTest, SmallDieTakesOnePointPerLevel)
{
    // A thief's die has as many sides as its vitality: with 4 or less every
    // roll counts as one point, whatever the attributes lose on the way.
    Rng rng(4);
    for (int trial = 0; trial < 200; ++trial) {
        Character c = DrainSubject(Class::Thief, 4);
        c.hp = trial % 2 == 0 ? 89 : 12; // above the new maximum, or well below it
        DrainLevels(rng, c, 3);
        ASSERT_EQ(c.maxHp, 87);
        ASSERT_EQ(c.hp, trial % 2 == 0 ? 87 : 12);
        ASSERT_EQ(c.level, 7);
    }
}

TEST(DrainLevelsTest, LargerDieSometimesTakesFive)
{
    // A cleric of vitality 4 rolls 1d5: a 5 costs five points, 1..4 cost one.
    Rng rng(5);
    int fives = 0;
    constexpr int kTrials = 2000;
    for (int trial = 0; trial < kTrials; ++trial) {
        Character c = DrainSubject(Class::Cleric, 4);
        DrainLevels(rng, c, 1);
        const int32_t loss = 90 - c.maxHp;
        ASSERT_TRUE(loss == 1 || loss == 5) << loss;
        fives += loss == 5;
    }
    EXPECT_NEAR(fives, kTrials / 5, kTrials / 25);
}

TEST(DrainLevelsTest, MaximumHitPointsNeverFallBelowOne)
{
    Rng rng(6);
    Character c = DrainSubject(Class::Fighter, 20);
    c.maxHp = 3;
    c.hp = 3;
    DrainLevels(rng, c, 4);
    EXPECT_EQ(c.maxHp, 1);
    EXPECT_EQ(c.hp, 1);
}

TEST(DrainLevelsTest, EachAttributeLosesAPointOneTimeInFive)
{
    Rng rng(8);
    constexpr int kTrials = 4000;
    std::array<int, 6> losses{};
    for (int trial = 0; trial < kTrials; ++trial) {
        Character c = DrainSubject(Class::Fighter, 10);
        DrainLevels(rng, c, 1);
        const std::array<int16_t, 6> after{c.strength, c.iq,      c.piety,
                                           c.vitality, c.agility, c.luck};
        for (std::size_t i = 0; i < after.size(); ++i) {
            ASSERT_TRUE(after[i] == 10 || after[i] == 9);
            losses[i] += after[i] == 9;
        }
    }
    for (std::size_t i = 0; i < losses.size(); ++i)
        EXPECT_NEAR(losses[i], kTrials / 5, kTrials / 25) << "attribute " << i;
}

TEST(DrainLevelsTest, AttributesAtZeroStayAtZero)
{
    Rng rng(9);
    Character c = DrainSubject(Class::Thief, 0);
    c.strength = c.iq = c.piety = c.agility = c.luck = 0;
    c.level = 40;
    DrainLevels(rng, c, 30);
    EXPECT_EQ(c.strength, 0);
    EXPECT_EQ(c.iq, 0);
    EXPECT_EQ(c.piety, 0);
    EXPECT_EQ(c.vitality, 0);
    EXPECT_EQ(c.agility, 0);
    EXPECT_EQ(c.luck, 0);
    EXPECT_EQ(c.maxHp, 60); // a die of no sides shows 1: one point a level
}

} // namespace
} // namespace qvr
