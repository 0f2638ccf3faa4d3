// Equipping kind by kind, and what the worn items add up to.

#include <gtest/gtest.h>

#include "rules/character_rules.h"
#include "rules/equipment.h"
#include "rules/item_powers.h"
#include "status_fixture.h"

using namespace qvr;
using namespace qvr::test;
using namespace qvr::test::status;

TEST(EquipCaptions, OneCaptionPerKindAndNoneOutside)
{
    const char* expected[] = {"利き手の装備を選んで下さい", "補助の手の装備を選んで下さい",
                              "鎧を選んで下さい",           "小手を選んで下さい",
                              "靴を選んで下さい",           "兜を選んで下さい",
                              "アクセサリを選んで下さい"};
    for (int kind = 1; kind <= 7; ++kind)
        EXPECT_EQ(EquipCaption(kind), expected[kind - 1]) << kind;
    EXPECT_EQ(EquipCaption(0), "");
    EXPECT_EQ(EquipCaption(8), "");
}

TEST(EquipChoices, OfferTheWearableItemsOfTheKindWithNothingLast)
{
    StatusFixture f;
    f.carry(1, 1, kSword);
    f.carry(1, 2, kStaff, ItemFlag::CannotEquip); // clerics only
    f.carry(1, 3, kGreatSword, ItemFlag::Unidentified);
    f.carry(1, 4, kArmour);
    f.carry(1, 5, kShield);
    std::vector<Row> rows = EquipChoices(f.game, 1, 1);
    EXPECT_EQ(StatusRowTexts(rows),
              (std::vector<std::string>{"ロングソード", "？グレートソード", "なにもつけない"}));
    EXPECT_EQ(rows[0].value, 1);
    EXPECT_EQ(rows[1].value, 3);
    EXPECT_EQ(rows[2].value, 0);

    // The second hand takes shields and the weapons made for it, but not
    // the weapon already in the main hand.
    EXPECT_EQ(StatusRowTexts(EquipChoices(f.game, 1, 2)),
              (std::vector<std::string>{"ロングソード", "ラージシールド", "なにもつけない"}));
    f.game.character(1).itemFlags[1] = kMainHand;
    EXPECT_EQ(StatusRowTexts(EquipChoices(f.game, 1, 2)),
              (std::vector<std::string>{"ラージシールド", "なにもつけない"}));
    EXPECT_EQ(StatusRowTexts(EquipChoices(f.game, 1, 7)),
              (std::vector<std::string>{"なにもつけない"}));
}

TEST(EquipChoices, WearingIsDecidedByTheRulesNotByAStaleMark)
{
    StatusFixture f;
    f.carry(1, 1, kStaff); // the mark says nothing, but a fighter may not wield it
    f.carry(1, 2, kSword, ItemFlag::CannotEquip);
    EXPECT_EQ(StatusRowTexts(EquipChoices(f.game, 1, 1)),
              (std::vector<std::string>{"ロングソード", "なにもつけない"}));
    PutOn(f.game, 1, kMainHand, 2);
    EXPECT_EQ(f.game.character(1).itemFlags[2], kMainHand);
}

TEST(PutOn, ReplacesWhatTheKindHeldAndLeavesOtherKindsAlone)
{
    StatusFixture f;
    f.carry(1, 1, kSword, kMainHand);
    f.carry(1, 2, kGreatSword);
    f.carry(1, 3, kArmour, 3);
    PutOn(f.game, 1, kMainHand, 2);
    const Character& c = f.game.character(1);
    EXPECT_EQ(c.itemFlags[1], 0);
    EXPECT_EQ(c.itemFlags[2], kMainHand);
    EXPECT_EQ(c.itemFlags[3], 3);
    PutOn(f.game, 1, 3, 0);
    EXPECT_EQ(c.itemFlags[3], 0);
    EXPECT_TRUE(f.shown().empty());
}

TEST(PutOn, ACursedItemSaysSoSticksAndBindsItsWearer)
{
    StatusFixture f;
    f.carry(1, 1, kCursedHelm, ItemFlag::Unidentified);
    f.dismiss();
    PutOn(f.game, 1, 6, 1);
    const Character& c = f.game.character(1);
    EXPECT_EQ(f.shown(), (std::vector<std::string>{"MSG |呪われている！"}));
    EXPECT_EQ(c.itemFlags[1], 6 | ItemFlag::Cursed | ItemFlag::Unidentified);
    EXPECT_TRUE(c.conditions & Cond::CurseBound);
    // Stuck: the kind is no longer offered and cannot be emptied.
    EXPECT_FALSE(KindIsOffered(f.game, 1, 6));
    PutOn(f.game, 1, 6, 0);
    EXPECT_EQ(c.itemFlags[1] & ItemFlag::SlotMask, 6);
}

TEST(TwoHandedWeapons, TheSecondHandIsPassedOverAndEmptied)
{
    StatusFixture f;
    f.carry(1, 1, kGreatSword, kMainHand);
    f.carry(1, 2, kShield, kSecondHand);
    EXPECT_FALSE(KindIsOffered(f.game, 1, kSecondHand));
    EXPECT_EQ(NextEquipKind(f.game, 1, kMainHand), 3);
    EXPECT_EQ(f.game.character(1).itemFlags[2], 0);

    // With a one-handed weapon the second hand is asked about.
    f.carry(1, 1, kSword, kMainHand);
    EXPECT_EQ(NextEquipKind(f.game, 1, kMainHand), kSecondHand);
    EXPECT_EQ(NextEquipKind(f.game, 1, 7), 0);
}

TEST(TwoHandedWeapons, AreNotOfferedWhileACursedShieldHoldsTheOtherHand)
{
    StatusFixture f;
    f.carry(1, 1, kGreatSword);
    f.carry(1, 2, kSword);
    f.carry(1, 3, kCursedShield, kSecondHand | ItemFlag::Cursed);
    EXPECT_EQ(StatusRowTexts(EquipChoices(f.game, 1, kMainHand)),
              (std::vector<std::string>{"ロングソード", "なにもつけない"}));
    EXPECT_FALSE(KindIsOffered(f.game, 1, kSecondHand));
}

TEST(ApplyEquipment, AddsTheWornItemsOnly)
{
    StatusFixture f;
    Character& c = f.game.character(1);
    c.res[4] = 99; // whatever equipment left before is reset first
    c.wardBits = 0x100;
    f.carry(1, 1, kArmour, 3);
    f.carry(1, 2, kRing, 7);
    f.carry(1, 3, kShield); // carried, not worn
    ApplyEquipment(f.game, 1);
    EXPECT_EQ(c.baseAc, 10 - 5);
    EXPECT_EQ(c.ac, 5);
    EXPECT_EQ(c.regen, 1);
    EXPECT_EQ(c.res[4], 30); // the larger of 30 and 10
    EXPECT_EQ(c.res[12], 50);
    EXPECT_EQ(c.wardBits, 0x30);
    EXPECT_EQ(c.slayBits, 0x05);
    EXPECT_EQ(c.itemFlags[1], 3); // nothing is taken off
}

TEST(ApplyEquipment, ArmourClassInEffectFollowsTheProtection)
{
    struct Case {
        int32_t effects;
        int32_t ac;
    };
    const Case cases[] = {{0, 10},
                          {PartyEffect::Armour3, 7},
                          {PartyEffect::Armour5, 5},
                          {PartyEffect::Armour3 | PartyEffect::Armour5, 5}};
    for (const Case& k : cases) {
        StatusFixture f;
        f.game.state.partyEffects = k.effects;
        ApplyEquipment(f.game, 1);
        EXPECT_EQ(f.game.character(1).baseAc, 10);
        EXPECT_EQ(f.game.character(1).ac, k.ac) << k.effects;
    }
}

TEST(ApplyEquipment, RaceBaseNinjaBareSkinAndTheLowestArmourClass)
{
    StatusFixture f;
    Character& c = f.game.character(1);
    c.race = Race::Elf;
    ApplyEquipment(f.game, 1);
    EXPECT_EQ(c.baseAc, 12);
    EXPECT_EQ(c.res[2], 3);

    c.race = Race::Human;
    c.classCode = Class::Ninja;
    c.level = 13;
    ApplyEquipment(f.game, 1);
    EXPECT_EQ(c.baseAc, 8 - 4);
    f.carry(1, 1, kBoots, 5);
    ApplyEquipment(f.game, 1);
    EXPECT_EQ(c.baseAc, 9);

    f.content().items[kBoots].acBonus = -30000;
    ApplyEquipment(f.game, 1);
    EXPECT_EQ(c.baseAc, -255);
}

TEST(ApplyEquipment, RosterEntryZeroIsTheBlankTemplateNotACharacter)
{
    StatusFixture f;
    f.carry(2, 1, kArmour, 3);
    EXPECT_THROW(ApplyEquipment(f.game, 0), GameError);
    EXPECT_EQ(f.game.character(0), Character{});
    ApplyEquipment(f.game, 2);
    EXPECT_EQ(f.game.character(2).baseAc, 5);
}
