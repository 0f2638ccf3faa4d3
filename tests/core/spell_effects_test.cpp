#include "core/spell_effects.h"

#include <gtest/gtest.h>

#include <set>

namespace qvr {
namespace {

// Every code the camp, the party's battle spells and the monsters' spells act
// on, as the rules list them.
const std::set<int> kCampCodes{1,  3,  5,  6,  7,  8,  9,  10, 11, 43,
                               44, 45, 49, 52, 53, 54, 57, 59, 60, 64};
const std::set<int> kBattleCodes{1,  2,  4,  5,  7,  9,  10, 11, 15, 17, 18, 21, 23, 24, 33,
                                 43, 46, 47, 48, 50, 51, 52, 53, 55, 56, 58, 60, 61, 62, 63};
const std::set<int> kMonsterCodes{2, 4, 5, 7, 15, 17, 18, 23, 33, 46, 47, 48, 53};

TEST(SpellEffects, TableHoldsExactlyTheCodesTheRulesActOn)
{
    std::set<int> expected{0}; // the trap-revealing spell's
    expected.insert(kCampCodes.begin(), kCampCodes.end());
    expected.insert(kBattleCodes.begin(), kBattleCodes.end());
    std::set<int> listed;
    for (const SpellEffectInfo& e : AllSpellEffects())
        listed.insert(e.code);
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(AllSpellEffects().size(), expected.size());
}

TEST(SpellEffects, EachCodeKnowsWhereItWorks)
{
    for (const SpellEffectInfo& e : AllSpellEffects()) {
        SCOPED_TRACE(e.code);
        EXPECT_EQ(e.camp, kCampCodes.count(e.code) == 1);
        EXPECT_EQ(e.battle, kBattleCodes.count(e.code) == 1);
        EXPECT_EQ(e.monster, kMonsterCodes.count(e.code) == 1);
        ASSERT_NE(e.what, nullptr);
        EXPECT_NE(e.what[0], '\0');
    }
}

TEST(SpellEffects, FindReturnsTheEntryOrNothing)
{
    for (const SpellEffectInfo& e : AllSpellEffects())
        EXPECT_EQ(FindSpellEffect(e.code), &e);
    for (int gap : {-1, 12, 14, 16, 19, 20, 22, 25, 32, 34, 42, 65, 100, 32767})
        EXPECT_EQ(FindSpellEffect(gap), nullptr) << gap;
    static_assert(FindSpellEffect(41) == nullptr);
    static_assert(FindSpellEffect(52)->camp && FindSpellEffect(52)->battle);
}

TEST(SpellEffects, OnlyTheFourTargetKindsAreValid)
{
    for (int k = -2; k <= 8; ++k)
        EXPECT_EQ(IsValidTargetKind(k), k == 0 || k == 1 || k == 2 || k == 4) << k;
}

TEST(SpellEffects, ElementsAreNoneOrTheDictionaryDefences)
{
    EXPECT_TRUE(IsValidElement(0));
    for (int e = 4; e <= 13; ++e)
        EXPECT_TRUE(IsValidElement(e)) << e;
    for (int e : {-1, 1, 2, 3, 14, 15, 22, 33, 34})
        EXPECT_FALSE(IsValidElement(e)) << e;
}

TEST(SpellEffects, TargetKindMustSuitTheEffect)
{
    struct Case {
        int code, kind;
        bool fits;
    };
    const Case cases[] = {
        {2, 1, true},   {2, 2, true},  {2, 0, true},   {2, 4, false}, // every group with no target
        {7, 4, true},   {7, 1, false}, {52, 4, true},  {52, 0, false}, {53, 4, true},
        {1, 4, true},   {5, 4, true},  {5, 0, false},  {15, 2, true},  {15, 1, false},
        {33, 2, true},  {11, 2, true}, {4, 2, true},   {50, 1, true},  {50, 2, false},
        {55, 1, true},  {46, 0, true}, {46, 2, false}, {58, 0, true},  {56, 0, true},
        {3, 0, true},   {3, 4, false}, {64, 0, true},  {0, 0, true},   {0, 4, false},
        {12, 0, false}, {2, 3, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TargetFitsEffect(c.code, c.kind), c.fits) << c.code << " / " << c.kind;
}

TEST(SpellEffects, EveryEffectAcceptsSomeTargetKind)
{
    for (const SpellEffectInfo& e : AllSpellEffects()) {
        int fitting = 0;
        for (int k : {0, 1, 2, 4})
            fitting += TargetFitsEffect(e.code, k);
        EXPECT_GE(fitting, 1) << e.code;
    }
}

} // namespace
} // namespace qvr
