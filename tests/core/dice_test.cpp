#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <set>

#include "core/dice.h"
#include "core/records.h"

#include "roll_range.h"

namespace qvr {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr float kJustBelowOne = 1.0f - 1.0f / 16777216.0f;

struct FaceCase {
    float r;
    int32_t sides;
    int32_t face;
};

TEST(DiceTest, DieFaceFollowsFloorOfDrawTimesSidesPlusOne)
{
    const FaceCase cases[] = {
        {0.0f, 6, 1},
        {0.5f, 6, 4},
        {kJustBelowOne, 6, 6},
        {1.0f / 3.0f, 3, 2}, // 1/3 in float lies just above a third
        {0.0f, 1, 1},
        {kJustBelowOne, 1, 1},
        {0.0f, 0, 1}, // a die of no sides still shows 1
        {kJustBelowOne, 0, 1},
        {0.0f, -5, 1},
        {1.0e-30f, -5, 0}, // anything above 0 times a negative die floors below 1
        {0.5f, -5, -2},
        {kJustBelowOne, -5, -4},
        {kJustBelowOne, kMax, kMax - 127}, // a 24-bit draw cannot reach every face
        {0.0f, kMin, 1},
        {kJustBelowOne, kMin, kMin + 129},
        {1.0e-30f, kMax, 1},
    };
    for (const FaceCase& c : cases)
        EXPECT_EQ(DieFace(c.r, c.sides), c.face) << "r=" << c.r << " sides=" << c.sides;
}

TEST(DiceTest, DieFaceIsExactWhereADoubleProductWouldRoundUp)
{
    // (1 - 2^-24) * (2^30 + 1) lies 2^-24 below a whole number, closer than a
    // double can resolve at that size.
    const int32_t sides = (1 << 30) + 1;
    EXPECT_EQ(DieFace(kJustBelowOne, sides), 1073741761);
    EXPECT_EQ(static_cast<int32_t>(std::floor(double{kJustBelowOne} * sides + 1)), 1073741762)
        << "the case no longer exercises double rounding";
}

TEST(DiceTest, DieFaceRefusesDrawsOutsideTheUnitInterval)
{
    EXPECT_THROW(DieFace(1.0f, 6), GameError);
    EXPECT_THROW(DieFace(-0.25f, 6), GameError);
    EXPECT_THROW(DieFace(std::nanf(""), 6), GameError);
}

TEST(DiceTest, FixedCases)
{
    Rng rng(3);
    EXPECT_EQ(Dice(rng, 0, 6, 3), 3);
    EXPECT_EQ(Dice(rng, -4, 6, 3), 3);
    EXPECT_EQ(Dice(rng, 3, 1, 0), 3);
    EXPECT_EQ(Dice(rng, 5, 0, 0), 5);
    EXPECT_EQ(Dice(rng, 2, 1, -7), -5);
}

TEST(DiceTest, EveryDieTakesExactlyOneDrawFromTheGameStream)
{
    Rng a(99);
    Rng b(99);
    const int32_t total = Dice(a, 4, 20, 2);
    int32_t expected = 2;
    for (int i = 0; i < 4; ++i)
        expected += DieFace(b.uniform(), 20);
    EXPECT_EQ(total, expected);
    EXPECT_EQ(a.uniform(), b.uniform()); // both streams stand at the same place

    Rng c(99);
    Dice(c, 0, 20, 2); // no dice, no draws
    Rng d(99);
    EXPECT_EQ(c.uniform(), d.uniform());
}

TEST(DiceTest, RollsInQuickSuccessionDoNotRepeat)
{
    // Re-seeding per roll from the clock would hand back the same value for
    // every roll made within one tick.
    Rng rng(2024);
    std::set<int32_t> seen;
    for (int i = 0; i < 200; ++i)
        seen.insert(Dice(rng, 1, 1000000, 0));
    EXPECT_GT(seen.size(), 190u);
}

TEST(DiceTest, FacesAreUniformAndInRange)
{
    Rng rng(7);
    constexpr int kRolls = 60000;
    std::map<int32_t, int> counts;
    for (int i = 0; i < kRolls; ++i)
        ++counts[Dice(rng, 1, 6, 0)];
    ASSERT_EQ(counts.size(), 6u);
    EXPECT_EQ(counts.begin()->first, 1);
    EXPECT_EQ(counts.rbegin()->first, 6);
    for (const auto& [face, count] : counts)
        EXPECT_NEAR(count, kRolls / 6, kRolls / 60) << "face " << face;
}

TEST(DiceTest, SumsOfSeveralDiceSpanTheirWholeRange)
{
    Rng rng(11);
    double sum = 0;
    constexpr int kRolls = 20000;
    const auto range = ObservedRange(kRolls, [&] {
        const int32_t roll = Dice(rng, 3, 4, 10);
        sum += roll;
        return roll;
    });
    EXPECT_EQ(range, std::make_pair(13, 22));
    EXPECT_NEAR(sum / kRolls, 17.5, 0.1);
}

TEST(DiceTest, SumsBeyondThirtyTwoBitsSaturate)
{
    Rng rng(5);
    EXPECT_EQ(Dice(rng, 3, kMax, kMax), kMax);
    EXPECT_EQ(Dice(rng, 1, 1, kMax), kMax);
    EXPECT_EQ(Dice(rng, 2, kMin, kMin), kMin);
    EXPECT_EQ(Dice(rng, 1, 1, kMax - 1), kMax);
}

TEST(HpRollTest, DieSidesPerClass)
{
    const std::array<std::pair<int32_t, int32_t>, 16> sides{{
        {Class::Fighter, 18},
        {Class::Wizard, 5},
        {Class::Sage, 5},
        {Class::Cleric, 15},
        {Class::Lord, 15},
        {Class::Thief, 9},
        {Class::Ninja, 9},
        {Class::MagicSwordsman, 9},
        {Class::MartialArtist, 9},
        {Class::Bard, 11},
        {64, 11},
        {4096, 11},
        {Class::Onmyoji, 11},
        {Class::Valkyrie, 13},
        {Class::Samurai, 13},
        {0, 13},
    }};
    Rng rng(17);
    for (const auto& [classCode, expected] : sides) {
        EXPECT_EQ(HpDieSides(classCode), expected) << "class " << classCode;
        const auto range = ObservedRange(2000, [&] { return HpRoll(rng, 1, classCode, 0); });
        EXPECT_EQ(range, std::make_pair(1, expected)) << "class " << classCode;
    }
}

TEST(HpRollTest, VitalityBonusDropsToTheExcessAboveThirteen)
{
    const std::array<std::pair<int32_t, int32_t>, 7> bonuses{{
        {0, 0},
        {3, 3},
        {13, 13},
        {14, 1},
        {18, 5},
        {25, 12},
        {-2, -2},
    }};
    Rng rng(1);
    for (const auto& [vitality, bonus] : bonuses)
        EXPECT_EQ(HpRoll(rng, 0, Class::Fighter, vitality), bonus) << "vitality " << vitality;
}

TEST(HpRollTest, RollsCountDiceAndAddsTheBonusOnce)
{
    Rng rng(8);
    const auto range = ObservedRange(20000, [&] { return HpRoll(rng, 2, Class::Wizard, 14); });
    EXPECT_EQ(range, std::make_pair(3, 11));
}

} // namespace
} // namespace qvr
