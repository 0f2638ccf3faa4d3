// Releasing the true powers of items: the question, every power code, the
// breaking of the item and the equipment applied afterwards.

#include <gtest/gtest.h>

#include "rules/class_rules.h"
#include "rules/equipment.h"
#include "rules/item_powers.h"
#include "status_fixture.h"

using namespace qvr;
using namespace qvr::test;
using namespace qvr::test::status;

namespace {

// A ring of the given power in slot 1 of character 1, never breaking.
StatusFixture& WithPower(StatusFixture& f, int code, int breakChance = 0)
{
    ItemDef& ring = f.content().items[kPowerRing];
    ring.specialPower = static_cast<int16_t>(code);
    ring.breakChance = static_cast<int16_t>(breakChance);
    ring.wearsInto = kDust;
    f.carry(1, 1, kPowerRing);
    return f;
}

void Release(StatusFixture& f, bool yes = true)
{
    f.prompter->answer({yes ? CharKey('Y') : CharKey('N')});
    ReleasePowers(f.game, 1);
}

} // namespace

TEST(ReleasePowers, AsksWithTheItemsShownNameAndNoTitle)
{
    StatusFixture f;
    WithPower(f, Power::Youth);
    f.game.character(1).itemFlags[1] = ItemFlag::Unidentified;
    f.carry(1, 2, kSword); // no power: not asked about
    Release(f);
    EXPECT_EQ(f.shown(),
              (std::vector<std::string>{"ASK |あなたは？力の指輪の\r真の力を解放しますか？"}));
}

TEST(ReleasePowers, NoLeavesTheCharacterAndTheItemAsTheyWere)
{
    StatusFixture f;
    WithPower(f, Power::FirstAttribute, 101);
    Release(f, false);
    EXPECT_EQ(f.game.character(1).strength, 12);
    EXPECT_EQ(f.game.character(1).items[1], kPowerRing);
}

TEST(ReleasePowers, AttributePowersRaiseToTheMansExtendedLimit)
{
    // A hobbit man may reach 21, 22, 21, 23, 25, 30.
    const Attributes limits = {21, 22, 21, 23, 25, 30};
    for (int code = Power::FirstAttribute; code <= Power::LastAttribute; ++code) {
        const auto i = static_cast<std::size_t>(code - 1);
        StatusFixture f;
        Character& c = f.game.character(1);
        c.race = Race::Hobbit;
        c.sex = 2; // a woman is measured against the man's limit
        Attributes values = {10, 10, 10, 10, 10, 10};
        values[i] = limits[i] - 1;
        SetAttributes(c, values);
        WithPower(f, code);
        Release(f);
        values[i] = limits[i];
        EXPECT_EQ(AttributesOf(c), values) << code;
        f.carry(1, 1, kPowerRing);
        Release(f);
        EXPECT_EQ(AttributesOf(c), values) << code;
    }
}

TEST(ReleasePowers, YouthVigourAndFrailtyStopAtTheirBounds)
{
    struct Case {
        int code;
        int16_t before;
        int16_t after;
    };
    const Case ages[] = {{Power::Youth, 30, 29}, {Power::Youth, 16, 15}, {Power::Youth, 15, 15}};
    for (const Case& k : ages) {
        StatusFixture f;
        f.game.character(1).age = k.before;
        WithPower(f, k.code);
        Release(f);
        EXPECT_EQ(f.game.character(1).age, k.after) << k.before;
    }
    const Case vitalities[] = {
        {Power::Frailty, 10, 9}, {Power::Frailty, 4, 3}, {Power::Frailty, 3, 3}};
    for (const Case& k : vitalities) {
        StatusFixture f;
        f.game.character(1).vitality = k.before;
        WithPower(f, k.code);
        Release(f);
        EXPECT_EQ(f.game.character(1).vitality, k.after) << k.before;
    }
    for (int i = 0; i < 20; ++i) {
        StatusFixture f;
        WithPower(f, Power::Vigour);
        Release(f);
        EXPECT_GE(f.game.character(1).maxHp, 21);
        EXPECT_LE(f.game.character(1).maxHp, 25);
    }
}

TEST(ReleasePowers, HealingThePartyPassesOverTheHelpless)
{
    const int32_t helpless[] = {Cond::Paralysed, Cond::Stoned, Cond::Dead, Cond::Ashes,
                                Cond::Vanished};
    for (int32_t bit : helpless) {
        StatusFixture f;
        f.game.character(2).conditions = Cond::Poisoned;
        f.game.character(3).conditions = bit;
        WithPower(f, Power::HealParty);
        Release(f);
        EXPECT_EQ(f.game.character(1).hp, 20);
        EXPECT_EQ(f.game.character(2).hp, 20);
        EXPECT_EQ(f.game.character(3).hp, 10) << bit;
    }
}

TEST(ReleasePowers, NewRaceOrAlignmentTakesEverythingOff)
{
    struct Case {
        int code;
        int16_t race;
        int16_t alignment;
    };
    const Case cases[] = {{Power::BecomeAngel, Race::Angel, Align::Lawful},
                          {Power::BecomeDemon, Race::Demon, Align::Chaotic},
                          {Power::TurnChaotic, Race::Human, Align::Chaotic},
                          {Power::TurnLawful, Race::Human, Align::Lawful},
                          {Power::TurnNeutral, Race::Human, Align::Neutral}};
    for (const Case& k : cases) {
        StatusFixture f;
        Character& c = f.game.character(1);
        c.alignment = k.code == Power::TurnNeutral ? Align::Lawful : Align::Neutral;
        f.content().items[kArmour].alignMask = Align::Neutral;
        f.carry(1, 2, kArmour, 3);
        WithPower(f, k.code);
        f.game.character(1).itemFlags[1] = 7;
        Release(f);
        EXPECT_EQ(c.race, k.race) << k.code;
        EXPECT_EQ(c.alignment, k.alignment) << k.code;
        EXPECT_EQ(c.itemFlags[1] & ItemFlag::SlotMask, 0) << k.code;
        EXPECT_EQ(c.itemFlags[2] & ItemFlag::SlotMask, 0) << k.code;
        // The mark of what may be worn follows the new nature.
        EXPECT_EQ(c.itemFlags[2] & ItemFlag::CannotEquip,
                  k.alignment == Align::Neutral ? 0 : ItemFlag::CannotEquip)
            << k.code;
        EXPECT_EQ(c.baseAc, k.race == Race::Angel ? 9 : 10) << k.code;
    }
}

TEST(ReleasePowers, DoomPowersByLevel)
{
    struct Case {
        int code;
        int32_t level;
        int32_t fate;
    };
    const Case cases[] = {
        {Power::DoomBelow10, 10, Cond::Ashes},    {Power::DoomBelow10, 11, Cond::Dead},
        {Power::DoomBelow20, 20, Cond::Ashes},    {Power::DoomBelow20, 21, Cond::Dead},
        {Power::DoomBelow30, 30, Cond::Ashes},    {Power::DoomBelow30, 31, Cond::Dead},
        {Power::DoomBelow50, 50, Cond::Vanished}, {Power::DoomBelow50, 51, Cond::Ashes},
        {Power::Rebirth, 200, Cond::Vanished},
    };
    for (const Case& k : cases) {
        StatusFixture f;
        Character& c = f.game.character(1);
        c.level = k.level;
        c.conditions = Cond::Poisoned;
        WithPower(f, k.code);
        Release(f);
        EXPECT_EQ(c.conditions, Cond::Poisoned | k.fate) << k.code << " at " << k.level;
        EXPECT_EQ(c.hp, 0);
        EXPECT_EQ(c.level, k.level);
    }
}

TEST(ReleasePowers, RebirthAboveLevelTwoHundredStartsOver)
{
    StatusFixture f;
    Character& c = f.game.character(1);
    c.level = 201;
    c.maxLevel = 250;
    c.exp = 999999;
    c.steps = 1234;
    c.marks = 77;
    c.gold = 5000;
    c.meleeCount = 40;
    c.classMark = -1;
    c.iq = 18;
    c.age = 40;
    WithPower(f, Power::Rebirth);
    Release(f);
    EXPECT_EQ(c.level, 1);
    EXPECT_EQ(c.maxLevel, 1);
    EXPECT_EQ(c.exp, 0);
    EXPECT_EQ(c.maxHp, 5);
    EXPECT_EQ(c.steps, 0);
    EXPECT_EQ(c.marks, 0);
    EXPECT_EQ(c.gold, 0);
    EXPECT_EQ(c.meleeCount, 0);
    EXPECT_EQ(c.classMark, 0);
    EXPECT_EQ(AttributesOf(c), (Attributes{3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(c.conditions, Cond::Vanished);
    EXPECT_EQ(c.hp, 0);
    EXPECT_EQ(c.age, 40);
}

TEST(ReleasePowers, UnknownCodesDoNothing)
{
    for (int code : {20, 29, 31, 99}) {
        StatusFixture f;
        const Character before = f.game.character(1);
        WithPower(f, code);
        Release(f);
        Character after = f.game.character(1);
        after.items = before.items;
        after.itemFlags = before.itemFlags;
        EXPECT_EQ(after, before) << code;
    }
}

TEST(ReleasePowers, ABrokenItemBecomesItsSuccessor)
{
    StatusFixture f;
    f.content().items[kDust].classMask = Class::Cleric; // a fighter cannot wear the rest
    WithPower(f, Power::Youth, 101);
    f.game.character(1).itemFlags[1] = 7 | ItemFlag::Unidentified;
    f.prompter->answer({CharKey('Y')});
    f.dismiss();
    ReleasePowers(f.game, 1);
    const Character& c = f.game.character(1);
    EXPECT_EQ(f.shown().back(), "MSG |壊れました");
    EXPECT_EQ(c.items[1], kDust);
    EXPECT_EQ(c.itemFlags[1], ItemFlag::CannotEquip);
    EXPECT_EQ(f.game.save().itemTally[kDust], 1);
}

TEST(ReleasePowers, AshesOrVanishingLeaveNothingOfABrokenItem)
{
    struct Case {
        int code;
        int32_t level;
        int16_t left;
    };
    // Death alone still leaves the successor.
    const Case cases[] = {{Power::DoomBelow10, 5, 0},
                          {Power::DoomBelow10, 15, kDust},
                          {Power::DoomBelow50, 5, 0},
                          {Power::Rebirth, 5, 0}};
    for (const Case& k : cases) {
        StatusFixture f;
        f.game.character(1).level = k.level;
        WithPower(f, k.code, 101);
        f.prompter->answer({CharKey('Y')});
        f.dismiss();
        ReleasePowers(f.game, 1);
        EXPECT_EQ(f.game.character(1).items[1], k.left) << k.code << " at " << k.level;
        EXPECT_EQ(f.game.save().itemTally[kDust], k.left ? 1 : 0);
    }
}

TEST(ReleasePowers, EveryCarriedPowerIsOfferedThenTheEquipmentApplied)
{
    StatusFixture f;
    WithPower(f, Power::FirstAttribute);
    f.carry(1, 3, kPowerRing); // a second copy, not worn
    f.carry(1, 4, kArmour, 3);
    f.prompter->answer({CharKey('Y')});
    f.prompter->answer({Key::Escape});
    ReleasePowers(f.game, 1);
    EXPECT_EQ(f.shown().size(), 2u);
    EXPECT_EQ(f.game.character(1).strength, 13);
    EXPECT_EQ(f.game.character(1).baseAc, 5);
}
