// The tables that decide who a character can be: race bases, the sex
// adjustment, attribute maxima, class requirements with their two list
// orders, and the bonus points of a 6d10 roll.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/codes.h"
#include "core/records.h"
#include "rules/class_rules.h"

using namespace qvr;

namespace {

bool offers(const Attributes& values, int alignment, int sex, int code)
{
    for (ClassListOrder order : {ClassListOrder::Creation, ClassListOrder::ClassChange}) {
        const std::vector<int16_t> codes = EligibleClasses(values, alignment, sex, order);
        if (std::find(codes.begin(), codes.end(), code) != codes.end())
            return true;
    }
    return false;
}

} // namespace

TEST(ClassRequirements, EveryClassAtItsMinimumOneBelowAndForEachAlignmentAndSex)
{
    struct Case {
        int16_t code;
        Attributes minimum;
        int alignments; // those admitted
        int sex;        // 0: either
    };
    using namespace Class;
    const std::vector<Case> table{
        {Fighter, {12, 0, 0, 0, 0, 0}, 7, 0},
        {Wizard, {0, 12, 0, 0, 0, 0}, 7, 0},
        {Cleric, {0, 0, 12, 0, 0, 0}, 5, 0},
        {Thief, {0, 0, 0, 0, 12, 0}, 6, 0},
        {Sage, {0, 12, 12, 0, 0, 0}, 5, 0},
        {Valkyrie, {11, 0, 12, 11, 12, 0}, 2, 2},
        {Samurai, {14, 12, 0, 14, 12, 0}, 3, 0},
        {Lord, {15, 11, 15, 12, 13, 13}, 1, 0},
        {Ninja, {15, 15, 15, 15, 15, 15}, 4, 0},
        {Bard, {0, 12, 0, 0, 12, 10}, 3, 0},
        {Onmyoji, {0, 0, 12, 0, 12, 10}, 6, 0},
        {MartialArtist, {16, 0, 0, 0, 16, 0}, 5, 0},
        {MagicSwordsman, {15, 15, 0, 0, 15, 0}, 4, 1},
    };
    for (const Case& k : table) {
        SCOPED_TRACE(ClassName(k.code));
        const int alignment = k.alignments & 1 ? 1 : k.alignments & 2 ? 2 : 4;
        const int sex = k.sex == 0 ? 1 : k.sex;
        EXPECT_TRUE(offers(k.minimum, alignment, sex, k.code));
        for (std::size_t i = 0; i < k.minimum.size(); ++i) {
            if (k.minimum[i] == 0)
                continue;
            Attributes below = k.minimum;
            below[i] -= 1;
            EXPECT_FALSE(offers(below, alignment, sex, k.code)) << "attribute " << i;
        }
        for (int a : {1, 2, 4})
            for (int s : {1, 2})
                EXPECT_EQ(offers(k.minimum, a, s, k.code),
                          (k.alignments & a) != 0 && (k.sex == 0 || k.sex == s))
                    << "alignment " << a << " sex " << s;
        // A stored alignment that is no single code admits nobody.
        EXPECT_FALSE(offers(k.minimum, 3, sex, k.code));
    }
}

TEST(ClassLists, CreationKeepsTheTableOrderAndClassChangeTurnsTheLateThree)
{
    struct Case {
        int alignment;
        int sex;
        std::vector<int16_t> creation;
        std::vector<int16_t> change;
    };
    using namespace Class;
    const std::vector<Case> cases{
        {4,
         1,
         {Fighter, Wizard, Cleric, Thief, Sage, Ninja, Onmyoji, MartialArtist, MagicSwordsman},
         {Fighter, Wizard, Cleric, Thief, Sage, Ninja, MartialArtist, Onmyoji, MagicSwordsman}},
        {1,
         1,
         {Fighter, Wizard, Cleric, Sage, Samurai, Lord, Bard, MartialArtist},
         {Fighter, Wizard, Cleric, Sage, Samurai, Lord, MartialArtist, Bard}},
        {2,
         2,
         {Fighter, Wizard, Thief, Valkyrie, Samurai, Bard, Onmyoji},
         {Fighter, Wizard, Thief, Valkyrie, Samurai, Onmyoji, Bard}},
    };
    const Attributes high{16, 16, 16, 16, 16, 16};
    for (const Case& c : cases) {
        EXPECT_EQ(EligibleClasses(high, c.alignment, c.sex, ClassListOrder::Creation), c.creation);
        EXPECT_EQ(EligibleClasses(high, c.alignment, c.sex, ClassListOrder::ClassChange), c.change);
    }
}

TEST(RaceTables, BasesSexAdjustmentAndMaxima)
{
    struct Case {
        int race;
        Attributes base;
    };
    const std::vector<Case> cases{
        {Race::Human, {8, 8, 6, 8, 9, 7}},    {Race::Elf, {6, 10, 10, 6, 9, 8}},
        {Race::Dwarf, {10, 5, 9, 10, 6, 6}},  {Race::Gnome, {7, 7, 10, 8, 8, 8}},
        {Race::Hobbit, {5, 7, 6, 7, 10, 15}}, {Race::Fairy, {2, 11, 11, 2, 10, 10}},
        {Race::Dragon, {10, 7, 6, 7, 10, 6}}, {Race::Demon, {9, 9, 5, 10, 7, 7}},
        {Race::Angel, {8, 7, 9, 8, 7, 10}},   {Race::Mutant, {10, 10, 10, 10, 10, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.race);
        Attributes male = c.base, female = c.base, maxMale = c.base, farMale = c.base;
        for (std::size_t i = 0; i < c.base.size(); ++i) {
            male[i] += (i == 0 || i == 3) ? 1 : 0;
            female[i] += (i == 4 || i == 5) ? 1 : 0;
            maxMale[i] = male[i] + 10;
            farMale[i] = male[i] + 15;
        }
        EXPECT_EQ(StartingAttributes(c.race, 1), male);
        EXPECT_EQ(StartingAttributes(c.race, 2), female);
        EXPECT_EQ(StartingAttributes(c.race, 0), female) << "anything but 1 is female";
        EXPECT_EQ(AttributeMaxima(c.race, 1), maxMale);
        EXPECT_EQ(AttributeMaxima(c.race, 1, true), farMale);
    }
    EXPECT_EQ(AttributeMaxima(Race::Human, 1), (Attributes{19, 18, 16, 19, 19, 17}));
    EXPECT_EQ(AttributeMaxima(Race::Fairy, 2), (Attributes{12, 21, 21, 12, 21, 21}));
    EXPECT_EQ(StartingAttributes(Race::Dwarf, 1), (Attributes{11, 5, 9, 11, 6, 6}));
    EXPECT_EQ(AttributeMaxima(Race::Dwarf, 1)[0], 21);
    EXPECT_EQ(AttributeMaxima(Race::Dwarf, 1)[4], 16);
}

TEST(BonusPoints, EveryBandAtBothEdges)
{
    const std::vector<std::pair<int, int>> cases{
        {6, 5},   {19, 5},  {20, 6},  {25, 6},  {26, 7},  {29, 7},  {30, 8},  {34, 8},
        {35, 9},  {38, 9},  {39, 10}, {42, 10}, {43, 15}, {44, 15}, {45, 16}, {46, 16},
        {47, 17}, {48, 17}, {49, 18}, {50, 18}, {51, 19}, {55, 23}, {60, 28},
    };
    for (auto [sum, points] : cases)
        EXPECT_EQ(BonusPoints(sum), points) << "sum " << sum;
}
