#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>

#include "own_content.h"
#include "rules/character_rules.h"

namespace qvr {
namespace {

constexpr int kRosterNo = 7;
constexpr int kItemNo = 33;

class CharacterRulesTest : public ::testing::Test {
protected:
    CharacterRulesTest()
    {
        Character& c = game.character(kRosterNo);
        c.rosterNo = kRosterNo;
        c.sex = 2;
        c.alignment = Align::Neutral;
        c.race = Race::Dwarf;
        c.classCode = Class::Thief;

        ItemDef& item = content.items[kItemNo];
        item.itemNo = kItemNo;
        item.sexMask = 3;
        item.alignMask = 7;
        item.raceMask = 0x3FF;
        item.classMask = 0x7FFF;
    }

    Character& hero() { return game.character(kRosterNo); }
    ItemDef& item() { return content.items[kItemNo]; }

    Game game;
    Content& content = test::OwnContent(game);
};

TEST_F(CharacterRulesTest, CanEquipNeedsEveryMaskToMatch)
{
    struct MaskCase {
        int16_t sexMask, alignMask, raceMask, classMask;
        int16_t expected;
    };
    const MaskCase cases[] = {
        {3, 7, 0x3FF, 0x7FFF, 0},
        {2, Align::Neutral, Race::Dwarf, Class::Thief, 0}, // exactly the character
        {1, 7, 0x3FF, 0x7FFF, 64},                         // men only, she is a woman
        {3, Align::Lawful | Align::Chaotic, 0x3FF, 0x7FFF, 64},
        {3, 7, Race::Human | Race::Elf, 0x7FFF, 64},
        {3, 7, 0x3FF, Class::Fighter | Class::Ninja, 64},
        {0, 7, 0x3FF, 0x7FFF, 64},
        {3, 0, 0x3FF, 0x7FFF, 64},
        {3, 7, 0, 0x7FFF, 64},
        {3, 7, 0x3FF, 0, 64},
    };
    for (const MaskCase& m : cases) {
        item().sexMask = m.sexMask;
        item().alignMask = m.alignMask;
        item().raceMask = m.raceMask;
        item().classMask = m.classMask;
        EXPECT_EQ(CanEquip(game, kRosterNo, kItemNo), m.expected)
            << m.sexMask << " " << m.alignMask << " " << m.raceMask << " " << m.classMask;
    }
}

TEST_F(CharacterRulesTest, CanEquipResultIsTheSlotFlag)
{
    item().sexMask = 1;
    EXPECT_EQ(CanEquip(game, kRosterNo, kItemNo), ItemFlag::CannotEquip);
    EXPECT_EQ(CanEquip(game, kRosterNo, 0), ItemFlag::CannotEquip); // the empty item fits nobody
}

TEST_F(CharacterRulesTest, CanEquipRejectsNumbersOutsideTheTables)
{
    EXPECT_THROW(CanEquip(game, kRosterNo, kItemCount + 1), IndexError);
    EXPECT_THROW(CanEquip(game, kRosterSize + 1, kItemNo), IndexError);
}

// Fills every derived value with something equipment could have left there.
void Scramble(Character& c)
{
    c.regen = 4;
    c.baseAc = -3;
    c.classMark = 5;
    for (int i = 0; i <= c.res.hi; ++i)
        c.res[i] = 55;
    c.wardBits = 0x1234;
    c.slayBits = 0x4321;
    for (int slot = 1; slot <= 12; ++slot)
        c.itemFlags[slot] = static_cast<int16_t>((slot % 4 == 0 ? 0 : 0x70) | slot % 9);
}

TEST_F(CharacterRulesTest, ResetDerivedByRace)
{
    struct RaceReset {
        int16_t race;
        int32_t baseAc;
        std::map<int, int16_t> res; // every other res[1..33] is 0
    };
    const RaceReset cases[] = {
        {Race::Human, 10, {}},
        {Race::Elf, 12, {{2, 3}}},
        {Race::Dwarf, 10, {{2, 1}}},
        {Race::Gnome, 10, {{2, 1}}},
        {Race::Hobbit, 9, {}},
        {Race::Fairy, 6, {{2, 5}}},
        {Race::Dragon, 10, {{2, 1}}},
        {Race::Demon, 10, {{13, 100}}},
        {Race::Angel, 9, {{2, 100}, {12, 100}}},
        {Race::Mutant, 10, {{15, 100}, {17, 100}, {18, 100}}},
        {0, 10, {}},
    };
    for (const RaceReset& r : cases) {
        Character& c = hero();
        Scramble(c);
        c.race = r.race;
        c.classCode = Class::Fighter;
        ResetDerived(game, kRosterNo, true);
        EXPECT_EQ(c.baseAc, r.baseAc) << "race " << r.race;
        for (int i = 1; i <= 33; ++i) {
            const auto found = r.res.find(i);
            EXPECT_EQ(c.res[i], found == r.res.end() ? 0 : found->second)
                << "race " << r.race << " res[" << i << "]";
        }
        EXPECT_EQ(c.res[0], 55) << "res[0] is not the equipment's";
        EXPECT_EQ(c.regen, 0);
        EXPECT_EQ(c.classMark, 0);
        EXPECT_EQ(c.wardBits, 0);
        EXPECT_EQ(c.slayBits, 0);
    }
}

TEST_F(CharacterRulesTest, ResetDerivedByClass)
{
    Character& c = hero();
    c.race = Race::Human;

    Scramble(c);
    c.classCode = Class::Samurai;
    ResetDerived(game, kRosterNo, true);
    EXPECT_EQ(c.res[17], 100);
    EXPECT_EQ(c.classMark, 0);

    Scramble(c);
    c.classCode = Class::Ninja;
    ResetDerived(game, kRosterNo, true);
    EXPECT_EQ(c.classMark, -1);
    EXPECT_EQ(c.res[17], 0);

    // A race that sets the same entry leaves it where the class put it.
    Scramble(c);
    c.classCode = Class::Samurai;
    c.race = Race::Angel;
    ResetDerived(game, kRosterNo, true);
    EXPECT_EQ(c.res[17], 100);
    EXPECT_EQ(c.res[12], 100);
    EXPECT_EQ(c.baseAc, 9);
}

TEST_F(CharacterRulesTest, ResetDerivedTakesItemsOffUnlessKept)
{
    Character& c = hero();
    Scramble(c);
    const auto before = c.itemFlags;
    ResetDerived(game, kRosterNo, true);
    EXPECT_EQ(c.itemFlags, before);

    ResetDerived(game, kRosterNo, false);
    for (int slot = 1; slot <= 12; ++slot) {
        EXPECT_EQ(c.itemFlags[slot] & ItemFlag::SlotMask, 0) << "slot " << slot;
        EXPECT_EQ(c.itemFlags[slot] & ~ItemFlag::SlotMask, before[slot] & ~ItemFlag::SlotMask)
            << "slot " << slot << " lost its curse, identity or permission bits";
    }
}

TEST_F(CharacterRulesTest, BlankTemplateAndEntriesOutsideTheRosterAreNeverTouched)
{
    game.character(0).baseAc = 77;
    game.character(0).items[2] = 5;
    for (int r : {0, -1, kRosterSize + 1}) {
        SCOPED_TRACE(r);
        EXPECT_THROW(ResetDerived(game, r, false), GameError);
        EXPECT_THROW(CompactItems(game, r), GameError);
    }
    EXPECT_EQ(game.character(0).baseAc, 77);
    EXPECT_EQ(game.character(0).items[2], 5);
}

struct Slots {
    std::array<int16_t, 12> items;
    std::array<int16_t, 12> flags;
};

void Load(Character& c, const Slots& s)
{
    for (int slot = 1; slot <= 12; ++slot) {
        c.items[slot] = s.items[static_cast<std::size_t>(slot - 1)];
        c.itemFlags[slot] = s.flags[static_cast<std::size_t>(slot - 1)];
    }
}

Slots Read(const Character& c)
{
    Slots s{};
    for (int slot = 1; slot <= 12; ++slot) {
        s.items[static_cast<std::size_t>(slot - 1)] = c.items[slot];
        s.flags[static_cast<std::size_t>(slot - 1)] = c.itemFlags[slot];
    }
    return s;
}

TEST_F(CharacterRulesTest, CompactItemsClosesGapsInOrder)
{
    struct CompactCase {
        Slots before;
        Slots after;
    };
    const CompactCase cases[] = {
        // Gaps anywhere; stray flags on empty slots are dropped.
        {{{0, 5, 0, 7, 0, 0, 0, 0, 0, 0, 0, 9}, {0x40, 0x11, 3, 0x20, 0, 0, 0, 0, 0, 0, 0, 0x12}},
         {{5, 7, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0x11, 0x20, 0x12, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
        // Nothing to close.
        {{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {1, 2, 3, 4, 5, 6, 7, 8, 0x10, 0x20, 0x40, 0}},
         {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {1, 2, 3, 4, 5, 6, 7, 8, 0x10, 0x20, 0x40, 0}}},
        // The first slot freed.
        {{{0, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0x21, 0x32, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
         {{2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0x21, 0x32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
        // Empty pack.
        {{{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x40}},
         {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
    };
    for (const CompactCase& c : cases) {
        Load(hero(), c.before);
        CompactItems(game, kRosterNo);
        const Slots got = Read(hero());
        EXPECT_EQ(got.items, c.after.items);
        EXPECT_EQ(got.flags, c.after.flags);
    }
}

TEST_F(CharacterRulesTest, CompactItemsWorksOnTheGivenCharacterOnly)
{
    Character& other = game.character(kRosterNo + 1);
    other.items[2] = 40;
    hero().items[3] = 41;
    CompactItems(game, kRosterNo);
    EXPECT_EQ(hero().items[1], 41);
    EXPECT_EQ(other.items[1], 0);
    EXPECT_EQ(other.items[2], 40);
}

} // namespace
} // namespace qvr
